#pragma once
// The JPEG thumbnail a camera stores in IFD1: where it lies in the Exif segment, found from a
// filled thumbnail table. Only its bytes are handed back; writing them is the extraction run's.

#include <cstddef>
#include <string>
#include <string_view>

#include "exif/exif_table.h"

namespace mirulane {

// Whether the segment holds a thumbnail, or why not.
enum class ThumbnailFind {
    Found,
    NoCompression,  // no Compression tag
    NotJpeg,        // Compression is not 6
    NoOffset,       // no start, or a start outside the segment
    NoLength,       // no length, 0, or one reaching past the segment
};

struct ExifThumbnail {
    ThumbnailFind status = ThumbnailFind::NoCompression;
    size_t offset = 0;    // from the first byte of the TIFF header
    std::string bytes;    // the thumbnail, byte for byte, when found
    int orientation = 1;  // the photo's Exif Orientation (1 to 8), which the thumbnail shares
};

// table: a thumbnail table filled from the segment; tiff: the segment from the TIFF header to
// its end (the thumbnail's offset is counted from its first byte). Nothing outside it is read.
ExifThumbnail FindThumbnail(const ExifTable& table, std::string_view tiff);

// The thumbnail file for a photo of the given orientation. A thumbnail carries no orientation
// of its own, so one of a turned photo (2 to 8) gets a minimal Exif segment with the photo's
// Orientation right after its start-of-image marker, and viewers turn it as they turn the
// photo; its own bytes follow unchanged. Orientation 1, or bytes that do not start a JPEG,
// are returned as they are.
std::string OrientedThumbnail(std::string_view jpeg, int orientation);

}  // namespace mirulane
