#include "app/thumbnail_step.h"

#include <string>

#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

ThumbnailWritten WriteThumbnail(ThumbnailOutput& out, std::string_view fileName,
                                std::string_view bytes, const SourceStamp* source) {
    // A name that would lead out of the output folder (an album file can hold anything) is
    // refused like an empty one.
    if (fileName.empty() || !IsPlainFileName(fileName)) return {ThumbnailWrite::NoFileName, {}};
    std::string path = JoinPath(out.folder, fileName);

    // Written through a temporary file in the same folder, put in place only when complete, so
    // that a failed write never leaves a half-written thumbnail where a good one was.
    OutputLedger unrecorded(false);
    OutputLedger& outputs = out.outputs ? *out.outputs : unrecorded;
    OutputWrite written =
        outputs.Write(path, bytes, out.keep, AskBeforeReplacing(out.overwrite, path),
                      OutputKind::Thumbnail, source);
    switch (written.outcome) {
        case OutputOutcome::Written:
        case OutputOutcome::Unchanged:
            return {ThumbnailWrite::Written, {}};
        case OutputOutcome::Kept:
            return {ThumbnailWrite::Declined, {}};
        case OutputOutcome::Cancelled:
            return {ThumbnailWrite::Cancelled, {}};
        case OutputOutcome::Failed:
            break;
    }
    Problem problem{.kind = ProblemKind::ThumbnailNotWritten,
                    .path = path,
                    .error = written.error,
                    .stage = written.stage};
    switch (written.stage) {
        case WriteStage::Write:
            return {ThumbnailWrite::WriteFailed, problem};
        case WriteStage::Refused:
            return {ThumbnailWrite::Refused, problem};
        default:
            return {ThumbnailWrite::CannotCreate, problem};
    }
}

}  // namespace mirulane
