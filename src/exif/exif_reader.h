#pragma once
// Reads the Exif APP1 segment of a JPEG file into an Exif item table: the directory chain
// from IFD0 (IFD0, IFD1 and every further linked directory) and the Exif sub-directory.

#include <string_view>

#include "exif/exif_table.h"
#include "exif/exif_thumbnail.h"

namespace mirulane {

// Statuses of ReadExif.
inline constexpr int kExifOk = 0;
inline constexpr int kExifCannotOpen = -1;
inline constexpr int kExifNoSegment = -2;   // not a JPEG, or no APP1 after an optional APP0
inline constexpr int kExifBadSegment = -3;  // APP1 unreadable or not Exif

// Reads the file's Exif data into the table. With a thumbnail table and `thumbnail`, also
// hands back the thumbnail the segment holds (its status says whether there is one); it is
// left as it was unless the status is kExifOk.
// The table is cleared once an APP1 segment is found, so after -1 or -2 it keeps the previous
// file's values; callers look at the status first.
int ReadExif(std::string_view path, ExifTable& table, ExifThumbnail* thumbnail = nullptr);

// The same rules over the bytes of a whole file held in memory.
int ReadExifBytes(std::string_view fileBytes, ExifTable& table, ExifThumbnail* thumbnail = nullptr);

// Parses an APP1 segment's contents (after its length field; "Exif" 00 00 first) into a
// table that the caller has cleared. 0, or -3 when the segment is not Exif.
int ParseExifSegment(std::string_view segment, ExifTable& table,
                     ExifThumbnail* thumbnail = nullptr);

}  // namespace mirulane
