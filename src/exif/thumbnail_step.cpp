#include "exif/thumbnail_step.h"

#include <cerrno>
#include <string>

#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

struct WriteOutcome {
    int status = kThumbWritten;
    int error = 0;
};

// Writes through a temporary file in the same folder, put in place only when complete, so
// that a failed write never leaves a half-written thumbnail where a good one was. Failing to
// create the file (or to put it in place) is kThumbCannotCreate; a short write, flush or close
// is kThumbWriteFailed.
WriteOutcome WriteThumbnailFile(std::string_view path, std::string_view bytes,
                                const FileIdSet* keep) {
    WriteStage stage = WriteStage::None;
    int error = WriteGeneratedFile(path, bytes, keep, &stage);
    if (error == 0) return {};
    switch (stage) {
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

    if (FileExists(path) && !out.overwriteAll) {
        switch (out.ui.ConfirmOverwrite(path)) {
            case OverwriteAnswer::Yes:
                break;
            case OverwriteAnswer::All:
                out.overwriteAll = true;
                break;
            case OverwriteAnswer::No:
                return kThumbDeclined;
            case OverwriteAnswer::Cancel:
                out.cancelled = true;
                return kThumbCancelled;
        }
    }

    WriteOutcome outcome = WriteThumbnailFile(
        path, tiff.substr(static_cast<size_t>(start), static_cast<size_t>(length)), out.keep);
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
