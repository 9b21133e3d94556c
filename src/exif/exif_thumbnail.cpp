#include "exif/exif_thumbnail.h"

#include <cstdint>

#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"

namespace mirulane {

ExifThumbnail FindThumbnail(const ExifTable& table, std::string_view tiff) {
    ExifThumbnail found;
    const ExifItem* compression = Find(table, exiftag::kCompression);
    if (!compression) return found;
    found.status = ThumbnailFind::NotJpeg;
    if (ExifInteger(compression->value) != 6) return found;

    // A start or length outside the segment counts as missing: nothing outside is read.
    found.status = ThumbnailFind::NoOffset;
    const ExifItem* offsetItem = Find(table, exiftag::kJpegOffset);
    if (!offsetItem) return found;
    int64_t start = ExifInteger(offsetItem->value);
    if (start < 0 || static_cast<uint64_t>(start) > tiff.size()) return found;
    found.status = ThumbnailFind::NoLength;
    const ExifItem* lengthItem = Find(table, exiftag::kJpegLength);
    if (!lengthItem) return found;
    int64_t length = ExifInteger(lengthItem->value);
    // An empty thumbnail is no thumbnail.
    if (length <= 0 || static_cast<uint64_t>(length) > tiff.size() - static_cast<size_t>(start)) {
        return found;
    }
    found.status = ThumbnailFind::Found;
    found.offset = static_cast<size_t>(start);
    found.bytes = tiff.substr(found.offset, static_cast<size_t>(length));
    return found;
}

}  // namespace mirulane
