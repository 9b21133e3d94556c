// Finding the thumbnail in an Exif segment from hand-filled tables over a 16-byte "TIFF"
// buffer: nothing outside the segment is ever handed back.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "exif/exif_catalogue.h"
#include "exif/exif_thumbnail.h"

namespace mirulane {
namespace {

ExifTable Filled(const char* compression, const char* offset, const char* length) {
    ExifTable table = MakeThumbnailTable();
    for (auto [tag, value] : {std::pair{0x0103, compression}, {0x0201, offset}, {0x0202, length}}) {
        table.Store(*table.Slot(static_cast<uint16_t>(tag)), value);
    }
    return table;
}

TEST(ExifThumbnail, StatusesAndTheBytesFound) {
    const std::string tiff = "0123456789ABCDEF";
    struct Case {
        const char* compression;
        const char* offset;
        const char* length;
        ThumbnailFind expected;
    };
    const Case cases[] = {
        {"", "4", "4", ThumbnailFind::NoCompression},
        {"1", "4", "4", ThumbnailFind::NotJpeg},
        {"6", "", "4", ThumbnailFind::NoOffset},
        {"6", "17", "0", ThumbnailFind::NoOffset},
        {"6", "4294967295", "1", ThumbnailFind::NoOffset},
        {"6", "4", "", ThumbnailFind::NoLength},
        {"6", "4", "13", ThumbnailFind::NoLength},
        {"6", "4", "4294967295", ThumbnailFind::NoLength},
        {"6", "4", "0", ThumbnailFind::NoLength},  // an empty thumbnail is no thumbnail
    };
    for (const auto& c : cases) {
        ExifThumbnail found = FindThumbnail(Filled(c.compression, c.offset, c.length), tiff);
        EXPECT_EQ(found.status, c.expected) << c.compression << " " << c.offset << " " << c.length;
        EXPECT_TRUE(found.bytes.empty());
    }
    ExifThumbnail found = FindThumbnail(Filled("6", "4", "12"), tiff);
    EXPECT_EQ(found.status, ThumbnailFind::Found);
    EXPECT_EQ(found.offset, 4u);
    EXPECT_EQ(found.bytes, "456789ABCDEF");
}

// What a turned photo's thumbnail looks like is checked where the run writes it; here, what is
// left alone.
TEST(OrientedThumbnail, OnlyJpegsOfTurnedPhotosAreGivenAnOrientation) {
    const std::string jpeg(
        "\xFF\xD8\xFF\xDB"
        "rest",
        8);
    for (int o : {0, 1, 9, -6}) EXPECT_EQ(OrientedThumbnail(jpeg, o), jpeg) << o;
    EXPECT_EQ(OrientedThumbnail("not a JPEG", 6), "not a JPEG");
    EXPECT_EQ(OrientedThumbnail("", 6), "");
}

}  // namespace
}  // namespace mirulane
