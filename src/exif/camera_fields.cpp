#include "exif/camera_fields.h"

#include <ctime>

#include "album/settings.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {
namespace {

std::string ValueOf(const ExifTable& t, uint16_t tag) {
    const ExifItem* item = Find(t, tag);
    return item ? item->value : std::string();
}

// The first of two tags that is present, or nullptr.
const ExifItem* FirstPresent(const ExifTable& t, uint16_t first, uint16_t second) {
    const ExifItem* item = Find(t, first);
    return item ? item : Find(t, second);
}

}  // namespace

std::string ExifDateText(std::string_view value, int dtorg) {
    std::string text(value);
    if (text.size() >= 8) {
        text[4] = '/';
        text[7] = '/';
    }
    if (dtorg == 1 && text.size() > 16) text.resize(16);
    if (dtorg == 2 && text.size() > 10) text.resize(10);
    return text;
}

std::string DateTextFromTime(int64_t time, int dtorg) {
    auto t = static_cast<time_t>(time);
    struct tm tm {};
    if (!localtime_r(&t, &tm)) return {};
    int year = tm.tm_year + 1900;
    if (dtorg == 1) {
        return Format("%04d/%02d/%02d %02d:%02d", year, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                      tm.tm_min);
    }
    if (dtorg == 2) return Format("%04d/%02d/%02d", year, tm.tm_mon + 1, tm.tm_mday);
    return Format("%04d/%02d/%02d %02d:%02d:%02d", year, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                  tm.tm_min, tm.tm_sec);
}

CameraFields ComposeCameraFields(const ExifTable& t, const Settings& s) {
    CameraFields f;
    f.maker = ValueOf(t, exiftag::kMake);
    f.model = ValueOf(t, exiftag::kModel);
    if (const ExifItem* date = Find(t, exiftag::kDateTimeOriginal)) {
        f.date = ExifDateText(date->value, s.EnvExifDtorg);
    }
    if (const ExifItem* iso = FirstPresent(t, exiftag::kIsoSpeed, exiftag::kExposureIndex)) {
        f.iso = (s.EnvExifIsosr ? "ISO" : "") + iso->value;
    }
    if (const ExifItem* shutter = FirstPresent(t, exiftag::kShutterSpeed, exiftag::kExposureTime)) {
        f.shutter = shutter->display;
        if (s.EnvExifShtsp) f.shutter += Sj("秒");
    }
    if (const ExifItem* aperture = FirstPresent(t, exiftag::kAperture, exiftag::kFNumber)) {
        f.aperture = (s.EnvExifAprtv ? "F" : "") + aperture->display;
    }
    if (const ExifItem* focal = Find(t, exiftag::kFocalLength)) {
        f.focal = focal->display;
        if (s.EnvExifFolen) f.focal += "mm";
    }
    if (const ExifItem* flash = Find(t, exiftag::kFlash)) {
        switch (s.EnvExifFlash) {
            case 0:
                f.flash = FormatFlashFired(flash->value);
                break;
            case 1:
                f.flash = FormatFlashWithMode(flash->value);
                break;
            case 2:
                f.flash = FormatFlashFull(flash->value);
                break;
            default:
                break;
        }
    }
    if (const ExifItem* bias = Find(t, exiftag::kExposureBias); bias && !bias->display.empty()) {
        f.bias = bias->display;
        if (s.EnvExifEbias) f.bias += "EV";
    }
    const ExifItem* width = Find(t, exiftag::kPixelX);
    const ExifItem* height = Find(t, exiftag::kPixelY);
    if (width && height) f.imageSize = width->value + " x " + height->value;
    return f;
}

std::vector<std::pair<std::string, std::string>> PreviewLines(const ExifTable& preview) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const auto& item : preview.Items()) {
        if (!item.shown || item.value.empty()) continue;
        std::string text =
            item.display.empty() ? item.value : item.display + " (" + item.value + ")";
        lines.emplace_back(item.name, std::move(text));
    }
    return lines;
}

}  // namespace mirulane
