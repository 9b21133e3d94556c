// The Exif reader handing back the thumbnail, over arbitrary file contents: whatever the
// segment claims, the thumbnail it hands back lies inside the file.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mirulane;
    static ExifTable table = MakeThumbnailTable();
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ExifThumbnail thumbnail;
    if (ReadExifBytes(bytes, table, &thumbnail) != kExifOk) return 0;
    if (thumbnail.status != ThumbnailFind::Found) return 0;
    // The thumbnail is a part of the TIFF data, which is a part of the file.
    if (thumbnail.bytes.empty() || thumbnail.bytes.size() > size ||
        bytes.find(thumbnail.bytes) == std::string_view::npos) {
        std::abort();
    }
    return 0;
}
