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
    size_t offset = 0;  // from the first byte of the TIFF header
    std::string bytes;  // the thumbnail, byte for byte, when found
};

// table: a thumbnail table filled from the segment; tiff: the segment from the TIFF header to
// its end (the thumbnail's offset is counted from its first byte). Nothing outside it is read.
ExifThumbnail FindThumbnail(const ExifTable& table, std::string_view tiff);

}  // namespace mirulane
