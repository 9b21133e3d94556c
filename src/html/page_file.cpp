#include "html/page_file.h"

#include <cerrno>

#include "app/session.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {

ReplaceDecision ConfirmReplace(Session& session, std::string_view path) {
    if (session.overwriteAll || !FileExists(path)) return ReplaceDecision::Write;
    switch (session.ui.ConfirmOverwrite(path)) {
        case OverwriteAnswer::Yes:
            return ReplaceDecision::Write;
        case OverwriteAnswer::All:
            session.overwriteAll = true;
            return ReplaceDecision::Write;
        case OverwriteAnswer::No:
            return ReplaceDecision::Skip;
        case OverwriteAnswer::Cancel:
            break;
    }
    return ReplaceDecision::Cancel;
}

int WriteTextFile(std::string_view path, std::string_view text) {
    return WriteFileReplacing(path, ToCrLf(text));
}

bool IsWriteFailure(int err) {
    return err == ENOSPC || err == EDQUOT || err == EIO || err == EFBIG;
}

}  // namespace mirulane
