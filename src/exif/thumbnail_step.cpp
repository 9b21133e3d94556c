#include "exif/thumbnail_step.h"

#include <cerrno>
#include <string>

#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"
#include "html/locations.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

struct WriteOutcome {
    int status = kThumbWritten;
    int error = 0;
};

// The status of a write, which goes through a temporary file in the same folder put in place
// only when complete, so that a failed write never leaves a half-written thumbnail where a
// good one was. Failing to create the file (or to put it in place) is kThumbCannotCreate; a
// short write, flush or close is kThumbWriteFailed.
WriteOutcome OutcomeOf(const OutputWrite& written) {
    const int error = written.error;
    switch (written.outcome) {
        case OutputOutcome::Written:
        case OutputOutcome::Unchanged:
            return {};
        case OutputOutcome::Kept:
            return {kThumbDeclined, 0};
        case OutputOutcome::Cancelled:
            return {kThumbCancelled, 0};
        case OutputOutcome::Failed:
            break;
    }
    switch (written.stage) {
        case WriteStage::Write:
            return {kThumbWriteFailed, error};
        case WriteStage::Refused:
            return {kThumbRefused, error};
        default:
            return {kThumbCannotCreate, error};
    }
}

}  // namespace

int ThumbnailStep(const ExifTable& table, std::string_view tiff, ThumbnailOutput& out) {
    const ExifItem* compression = Find(table, exiftag::kCompression);
    if (!compression) return kThumbNoCompression;
    if (ExifInteger(compression->value) != 6) return kThumbNotJpeg;

    // A start or length outside the segment counts as missing: nothing outside is read.
    const ExifItem* offsetItem = Find(table, exiftag::kJpegOffset);
    if (!offsetItem) return kThumbNoOffset;
    int64_t start = ExifInteger(offsetItem->value);
    if (start < 0 || static_cast<uint64_t>(start) > tiff.size()) return kThumbNoOffset;
    const ExifItem* lengthItem = Find(table, exiftag::kJpegLength);
    if (!lengthItem) return kThumbNoLength;
    int64_t length = ExifInteger(lengthItem->value);
    // An empty thumbnail is no thumbnail.
    if (length <= 0 || static_cast<uint64_t>(length) > tiff.size() - static_cast<size_t>(start)) {
        return kThumbNoLength;
    }

    // A name that would lead out of the output folder (an album file can hold anything) is
    // refused like an empty one.
    if (out.fileName.empty() || !IsPlainFileName(out.fileName)) return kThumbNoFileName;
    std::string path = JoinPath(out.folder, out.fileName);

    auto confirm = [&out, &path] {
        if (out.overwriteAll) return OutputDecision::Write;
        switch (out.ui.ConfirmOverwrite(path)) {
            case OverwriteAnswer::Yes:
                break;
            case OverwriteAnswer::All:
                out.overwriteAll = true;
                break;
            case OverwriteAnswer::No:
                return OutputDecision::Skip;
            case OverwriteAnswer::Cancel:
                out.cancelled = true;
                return OutputDecision::Cancel;
        }
        return OutputDecision::Write;
    };
    OutputLedger unrecorded;
    OutputLedger& outputs = out.outputs ? *out.outputs : unrecorded;
    WriteOutcome outcome = OutcomeOf(
        outputs.Write(path, tiff.substr(static_cast<size_t>(start), static_cast<size_t>(length)),
                      out.keep, confirm));
    if (outcome.status == kThumbDeclined || outcome.status == kThumbCancelled) {
        return outcome.status;
    }
    out.writeFailed = outcome.status != kThumbWritten;
    if (outcome.status == kThumbCannotCreate) {
        out.ui.Message(
            Format(Sj("サムネイル(%s)を作成できません[%d]").c_str(), path.c_str(), outcome.error),
            "", MsgIcon::Exclamation, MsgButtons::Ok);
    } else if (outcome.status == kThumbWriteFailed) {
        out.ui.Message(Format(Sj("サムネイル(%s)の出力に失敗しました[%d]\n").c_str(), path.c_str(),
                              outcome.error),
                       "", MsgIcon::Exclamation, MsgButtons::Ok);
    } else if (outcome.status == kThumbRefused) {
        out.ui.Message(
            Format(Sj("サムネイル(%s)はターゲット画像と同じファイルなので書き込みません").c_str(),
                   path.c_str()),
            "", MsgIcon::Exclamation, MsgButtons::Ok);
    }
    return outcome.status;
}

}  // namespace mirulane
