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
    std::string bytes = ToCrLf(text);
    // An existing file is replaced through a flushed temporary file, so a failure never
    // destroys it. A new file has nothing to protect: it is created directly, which keeps a
    // run over thousands of new pages as fast as creating that many files.
    if (!path.empty()) {
        int err = WriteNewFile(path, bytes);
        if (err != EEXIST) return err;
    }
    return WriteFileReplacing(path, bytes);
}

bool IsWriteFailure(int err) {
    return err == ENOSPC || err == EDQUOT || err == EIO || err == EFBIG;
}

}  // namespace mirulane
