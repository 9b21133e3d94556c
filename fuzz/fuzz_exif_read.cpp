// The Exif reader over arbitrary file contents, with the three tables and what is made of
// them afterwards (field texts, preview lines).

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "album/settings.h"
#include "exif/camera_fields.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    static ExifTable preview = MakePreviewTable();
    static ExifTable capture = MakeCaptureTable();
    static ExifTable thumbnail = MakeThumbnailTable();
    if (ReadExifBytes(bytes, preview) == kExifOk) PreviewLines(preview);
    if (ReadExifBytes(bytes, capture) == kExifOk) {
        Settings settings;
        for (int option = 0; option < 4; ++option) {
            settings.EnvExifFlash = option;
            settings.EnvExifDtorg = option;
            ComposeCameraFields(capture, settings);
        }
    }
    ReadExifBytes(bytes, thumbnail);
    return 0;
}
