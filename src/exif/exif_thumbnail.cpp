#include "exif/exif_thumbnail.h"

#include <cstdint>

#include "album/media.h"
#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"

namespace mirulane {

ExifThumbnail FindThumbnail(const ExifTable& table, std::string_view tiff) {
    ExifThumbnail found;
    found.orientation = TiffOrientation(tiff);
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

std::string OrientedThumbnail(std::string_view jpeg, int orientation) {
    constexpr std::string_view kSoi("\xFF\xD8", 2);
    if (orientation < 2 || orientation > 8 || jpeg.substr(0, 2) != kSoi) return std::string(jpeg);
    // APP1 of 34 bytes: "Exif" 00 00, a big-endian TIFF header pointing at IFD0 right after
    // it, one entry (Orientation, SHORT, 1 value) and no next directory.
    constexpr std::string_view kSegment(
        "\xFF\xE1\x00\x22"
        "Exif\0\0"
        "MM\x00\x2A\x00\x00\x00\x08"
        "\x00\x01"
        "\x01\x12\x00\x03\x00\x00\x00\x01",
        2 + 2 + 6 + 8 + 2 + 8);
    std::string out(kSoi);
    out += kSegment;
    out += static_cast<char>(0);
    out += static_cast<char>(orientation);
    out.append(6, '\0');  // the value's padding and the next-directory link
    out += jpeg.substr(2);
    return out;
}

}  // namespace mirulane
