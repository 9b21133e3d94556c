#pragma once
// The three Exif item tables: the preview pane's, entry capture's and the thumbnail step's.
// Each user builds its own table from these and keeps it as long as it needs it.

#include <cstdint>

#include "exif/exif_table.h"

namespace mirulane {

// Tag numbers the code looks up by name.
namespace exiftag {
inline constexpr uint16_t kCompression = 0x0103;
inline constexpr uint16_t kMake = 0x010F;
inline constexpr uint16_t kModel = 0x0110;
inline constexpr uint16_t kJpegOffset = 0x0201;
inline constexpr uint16_t kJpegLength = 0x0202;
inline constexpr uint16_t kExifPointer = 0x8769;
inline constexpr uint16_t kExposureTime = 0x829A;
inline constexpr uint16_t kFNumber = 0x829D;
inline constexpr uint16_t kIsoSpeed = 0x8827;
inline constexpr uint16_t kDateTimeOriginal = 0x9003;
inline constexpr uint16_t kShutterSpeed = 0x9201;
inline constexpr uint16_t kAperture = 0x9202;
inline constexpr uint16_t kExposureBias = 0x9204;
inline constexpr uint16_t kFlash = 0x9209;
inline constexpr uint16_t kFocalLength = 0x920A;
inline constexpr uint16_t kPixelX = 0xA002;
inline constexpr uint16_t kPixelY = 0xA003;
inline constexpr uint16_t kExposureIndex = 0xA215;
}  // namespace exiftag

ExifTable MakePreviewTable();    // 57 items, names and shown flags for the preview pane
ExifTable MakeCaptureTable();    // 19 items for entry capture
ExifTable MakeThumbnailTable();  // 4 items for thumbnail extraction

}  // namespace mirulane
