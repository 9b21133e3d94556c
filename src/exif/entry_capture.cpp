#include "exif/entry_capture.h"

#include <string>

#include "album/entry_list.h"
#include "album/settings.h"
#include "exif/camera_fields.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// The creation date of the file in the date format of the options, or empty when the file's
// status cannot be had.
std::string FileDateText(std::string_view path, const Settings& s) {
    FileStatus status;
    if (GetFileStatus(path, status) != 0) return {};
    return DateTextFromTime(status.creationTime, s.EnvExifDtorg);
}

bool IsJpegName(std::string_view fileName) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos) return false;
    std::string ext = AsciiLower(fileName.substr(dot + 1));
    return ext == "jpg" || ext == "jpeg";
}

}  // namespace

EntryCapture::EntryCapture() : table_(MakeCaptureTable()) {}

int EntryCapture::Capture(EntryList& entries, int index, std::string_view folder,
                          std::string_view fileName, const Settings& s) {
    std::string path = folder.empty() ? std::string("./") : EnsureTrailingSeparator(folder);
    if (fileName.empty()) return kCaptureNoFileName;
    path += fileName;

    if (!IsJpegName(fileName) || ReadExif(path, table_) != kExifOk) {
        if (s.EnvExifDtfil) entries.SetField(index, COL_DTORG, FileDateText(path, s));
        return kCaptureNoExif;
    }

    CameraFields f = ComposeCameraFields(table_, s);
    if (f.date.empty() && s.EnvExifDtfil) f.date = FileDateText(path, s);
    entries.SetField(index, COL_DTORG, f.date);
    entries.SetField(index, COL_MAKER, f.maker);
    entries.SetField(index, COL_MODEL, f.model);
    entries.SetField(index, COL_ISOSR, f.iso);
    entries.SetField(index, COL_SHTSP, f.shutter);
    entries.SetField(index, COL_APRTV, f.aperture);
    entries.SetField(index, COL_FOLEN, f.focal);
    entries.SetField(index, COL_FLASH, f.flash);
    entries.SetField(index, COL_EBIAS, f.bias);
    entries.SetField(index, COL_IMGSZ, f.imageSize);
    return kCaptureOk;
}

}  // namespace mirulane
