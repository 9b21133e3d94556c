#include "html/page_file.h"

#include <functional>
#include <string>

#include "album/entry_list.h"
#include "album/media.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

PageWrite WriteTextFile(PageOutput& out, std::string_view path, std::string_view text,
                        PageRole role) {
    PageWrite result;
    const std::string bytes = ToCrLf(text);
    if (role == PageRole::Preview) {
        result.error = WriteGeneratedFile(path, bytes, out.keep, &result.stage);
        if (result.error != 0) result.outcome = OutputOutcome::Failed;
    } else {
        // A companion file of the program's own is replaced without a question; one that is
        // not is asked about as a page is.
        OutputConfirm confirm =
            AskBeforeReplacing(out.overwrite, std::string(path), role == PageRole::AlbumPage);
        OutputLedger unrecorded(false);
        OutputLedger& outputs = out.outputs ? *out.outputs : unrecorded;
        result = outputs.Write(path, bytes, out.keep, confirm);
    }
    return result;
}

Problem PageWriteProblem(ProblemKind kind, const PageWrite& written, std::string_view path) {
    if (written.stage == WriteStage::Refused) {
        return {.kind = ProblemKind::OutputIsPicture, .path = std::string(path)};
    }
    return {
        .kind = kind, .path = std::string(path), .error = written.error, .stage = written.stage};
}

FileIdSet AlbumPictures(const EntryList& entries, std::string_view targetFolder) {
    FileIdSet pictures;
    for (int i = 0; i < entries.Count(); ++i) {
        const std::string& name = entries.Field(i, COL_FILE);
        if (KindOfName(name) == MediaKind::Other) continue;
        if (auto id = GetFileId(JoinPath(targetFolder, name))) pictures.insert(*id);
    }
    return pictures;
}

}  // namespace mirulane
