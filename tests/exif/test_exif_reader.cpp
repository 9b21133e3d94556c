// Reading Exif segments: segment rules, byte orders, directory walks, value texts, bounds.

#include <gtest/gtest.h>

#include <string>

#include "exif/exif_catalogue.h"
#include "exif/exif_reader.h"
#include "exif_test_util.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"

namespace mirulane {
namespace {

using fixtures::ByteOrder;
using fixtures::CameraJpeg;
using fixtures::ExifLayout;
using fixtures::Ifd;
using testing::DumpTable;

// The whole preview table of the builder's camera file. XResolution is in IFD0 (72) and
// IFD1 (180): IFD1 wins. The UNDEFINED ExifVersion stays absent. The thumbnail's items
// are not shown but read.
const char* const kCameraPreview =
    "0103|6|\n"
    "010F|MIRU|\n"
    "0110|MIRU DC-200|\n"
    "0112|1|正位置\n"
    "011A|180/1|180\n"
    "011B|180/1|180\n"
    "0128|2|inch\n"
    "0132|2004:05:01 12:34:56|\n"
    "0201|504|\n"
    "0202|227|\n"
    "0213|1|\n"
    "8769|176|\n"
    "829A|1/60|1/60\n"
    "829D|28/10|2.8\n"
    "8827|100|\n"
    "9003|2004:05:01 12:34:56|\n"
    "9004|2004:05:01 12:34:56|\n"
    "9204|-2/3|-0.7\n"
    "9207|5|パターン\n"
    "9209|89|発光あり(自動モード),赤目軽減機能付き\n"
    "920A|35/1|35\n"
    "A001|1|sRGB\n"
    "A002|2048|\n"
    "A003|1536|\n";

std::string Camera(ByteOrder order, bool jfif = false) {
    CameraJpeg c;
    c.order = order;
    c.jfif = jfif;
    return fixtures::MakeCameraJpeg(c);
}

TEST(ExifReader, BothByteOrdersAndJfifFillTheTableIdentically) {
    for (auto order : {ByteOrder::Big, ByteOrder::Little}) {
        for (bool jfif : {false, true}) {
            ExifTable table = MakePreviewTable();
            ASSERT_EQ(ReadExifBytes(Camera(order, jfif), table), kExifOk);
            EXPECT_EQ(DumpTable(table), kCameraPreview)
                << (order == ByteOrder::Big ? "MM" : "II") << (jfif ? " JFIF" : "");
        }
    }
}

TEST(ExifReader, SegmentsBeforeApp1OtherThanOneApp0MeanNoExif) {
    std::string app1 = fixtures::App1Exif(fixtures::CameraLayout({}));
    std::string frame = fixtures::Sof0(64, 48) + fixtures::ScanAndEnd(8);
    const std::string cases[] = {
        fixtures::JpegOf({fixtures::App0Jfif(), fixtures::App0Jfif(), app1, frame}),
        fixtures::JpegOf({fixtures::App0Jfif(), fixtures::ComSegment("hello"), app1, frame}),
        fixtures::JpegOf({fixtures::ComSegment("hello"), app1, frame}),
        fixtures::JpegOf({frame}),
        fixtures::MakePng(64, 48),
        fixtures::MakeAvi(64, 48),
        "just some text\n",
        // An APP0 whose length cannot even hold itself.
        fixtures::JpegOf({std::string("\xFF\xE0\x00\x01", 4), app1}),
        // An APP1 of length 0.
        fixtures::JpegOf({std::string("\xFF\xE1\x00\x00", 4), app1}),
    };
    for (const auto& bytes : cases) {
        ExifTable table = MakePreviewTable();
        ASSERT_EQ(ReadExifBytes(Camera(ByteOrder::Big), table), kExifOk);
        EXPECT_EQ(ReadExifBytes(bytes, table), kExifNoSegment);
        // The previous file's values stay: the table is untouched.
        EXPECT_EQ(DumpTable(table), kCameraPreview);
    }
}

TEST(ExifReader, App1ThatIsNotExifClearsTheTable) {
    const std::string cases[] = {
        fixtures::JpegOf({fixtures::Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x:xmpmeta/>")}),
        fixtures::JpegOf({fixtures::Segment(0xE1, std::string("Exif\0\0XX\0\x2A\0\0\0\x08", 14))}),
        fixtures::JpegOf({fixtures::Segment(0xE1, std::string("Exif\0\0MM\0", 9))}),
        fixtures::JpegOf({std::string("\xFF\xE1\x00\x01", 4)}),
        // The segment is longer than the file.
        fixtures::JpegOf({std::string("\xFF\xE1\x10\x00Exif\0\0MM", 12)}),
    };
    for (const auto& bytes : cases) {
        ExifTable table = MakePreviewTable();
        ASSERT_EQ(ReadExifBytes(Camera(ByteOrder::Big), table), kExifOk);
        EXPECT_EQ(ReadExifBytes(bytes, table), kExifBadSegment);
        EXPECT_EQ(DumpTable(table), "");
    }
}

TEST(ExifReader, FilesOnDisk) {
    fixtures::TempDir dir;
    ExifTable table = MakePreviewTable();
    EXPECT_EQ(ReadExif(dir.path() + "/missing.jpg", table), kExifCannotOpen);
    EXPECT_EQ(ReadExif(dir.Write("IMG_0001.JPG", Camera(ByteOrder::Little, true)), table), kExifOk);
    EXPECT_EQ(DumpTable(table), kCameraPreview);
    EXPECT_EQ(ReadExif(dir.Write("png.jpg", fixtures::MakePng(8, 8)), table), kExifNoSegment);
    EXPECT_EQ(ReadExif(dir.Write("avi.jpg", fixtures::MakeAvi(8, 8)), table), kExifNoSegment);
    EXPECT_EQ(ReadExif(dir.Write("text.jpg", "not a picture"), table), kExifNoSegment);
    EXPECT_EQ(DumpTable(table), kCameraPreview);

    // A second file with Exif data leaves nothing of the first one.
    Ifd ifd0;
    ifd0.Ascii(0x010E, "second");
    ExifLayout layout{ByteOrder::Big, {ifd0}, std::nullopt, {}};
    std::string second = fixtures::JpegOf({fixtures::App1Exif(layout)});
    EXPECT_EQ(ReadExif(dir.Write("second.jpg", second), table), kExifOk);
    EXPECT_EQ(DumpTable(table), "010E|second|\n");
}

// A table listing one tag per value type, for the value texts.
ExifTable TypeTable() {
    static const ExifItemDef kItems[] = {
        {0x0001, true, "", nullptr}, {0x0002, true, "", nullptr}, {0x0003, true, "", nullptr},
        {0x0004, true, "", nullptr}, {0x0005, true, "", nullptr}, {0x0006, true, "", nullptr},
        {0x0007, true, "", nullptr}, {0x0008, true, "", nullptr}, {0x0009, true, "", nullptr},
        {0x000A, true, "", nullptr}, {0x000B, true, "", nullptr}, {0x000C, true, "", nullptr},
        {0x000D, true, "", nullptr}, {0x0011, true, "", nullptr}, {0x0012, true, "", nullptr},
        {0x0013, true, "", nullptr}, {0x0014, true, "", nullptr}, {0x0015, true, "", nullptr},
        {0x0016, true, "", nullptr}, {0x0017, true, "", nullptr}, {0x0018, true, "", nullptr},
        {0x0019, true, "", nullptr}, {0x001A, true, "", nullptr}, {0x001B, true, "", nullptr},
        {0x001C, true, "", nullptr}, {0x001D, true, "", nullptr},
    };
    return ExifTable(kItems);
}

TEST(ExifReader, ValueTextOfEveryTypeInlineAndByOffset) {
    Ifd ifd;
    // One component each: inline except RATIONAL, SRATIONAL and DOUBLE (8 bytes).
    ifd.Byte(0x0001, 200)
        .Ascii(0x0002, "abc")
        .Short(0x0003, 65535)
        .Long(0x0004, 4294967295u)
        .Rational(0x0005, 5, 0)
        .SByte(0x0006, -5)
        .Undefined(0x0007, "0220")
        .SShort(0x0008, -300)
        .SLong(0x0009, -70000)
        .SRational(0x000A, -2, 3)
        .Float(0x000B, 1.5f)
        .Double(0x000C, -2.25)
        .Array(0x000D, 13, 1, 4, {7});  // an unknown type
    // Several components: by offset; only the first is converted.
    ifd.Array(0x0011, 1, 6, 1, {9, 8, 7, 6, 5, 4})
        .Ascii(0x0012, "a longer text")
        .Array(0x0013, 3, 3, 2, {640, 480, 1})
        .Array(0x0014, 4, 2, 4, {100000, 2})
        .Array(0x0015, 5, 2, 4, {72, 1, 96, 1})
        .Array(0x0016, 6, 5, 1, {0x80, 1, 2, 3, 4})
        .Array(0x0017, 8, 3, 2, {0x8000, 1, 2})
        .Array(0x0018, 9, 2, 4, {0x80000000u, 1})
        .Array(0x0019, 10, 2, 4, {0xFFFFFFFFu, 0, 1, 1})
        .Array(0x001A, 11, 2, 4, {0xC0490FDBu, 0})  // -3.14159274
        .Array(0x001B, 12, 1, 8, {0x7FF0000000000000ull})
        .Array(0x001C, 7, 8, 1, {1, 2, 3, 4, 5, 6, 7, 8})
        // ASCII without a terminator inside its count, inline: cut at the count.
        .Ascii(0x001D, "WXYZ", false);
    for (auto order : {ByteOrder::Big, ByteOrder::Little}) {
        ExifLayout layout{order, {ifd}, std::nullopt, {}};
        ExifTable table = TypeTable();
        ASSERT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(layout)}), table), kExifOk);
        EXPECT_EQ(DumpTable(table),
                  "0001|200|\n"
                  "0002|abc|\n"
                  "0003|65535|\n"
                  "0004|4294967295|\n"
                  "0005|5/0|\n"
                  "0006|-5|\n"
                  "0008|-300|\n"
                  "0009|-70000|\n"
                  "000A|-2/3|\n"
                  "000B|1.500000|\n"
                  "000C|-2.250000|\n"
                  "0011|9|\n"
                  "0012|a longer text|\n"
                  "0013|640|\n"
                  "0014|100000|\n"
                  "0015|72/1|\n"
                  "0016|-128|\n"
                  "0017|-32768|\n"
                  "0018|-2147483648|\n"
                  "0019|-1/0|\n"
                  "001A|-3.141593|\n"
                  "001B|inf|\n"
                  "001D|WXYZ|\n");
    }
}

TEST(ExifReader, DirectoryChainAndExifSubDirectory) {
    // IFD0 -> IFD1 -> IFD2: every linked directory is read, the last one wins. The Exif
    // sub-directory's own link is not followed.
    Ifd ifd0, ifd1, ifd2, exif, orphan;
    ifd0.Ascii(0x010E, "from ifd0").Ascii(0x010F, "maker");
    ifd1.Ascii(0x010E, "from ifd1");
    ifd2.Ascii(0x0110, "model in ifd2");
    exif.Rational(0x829A, 1, 250).Ascii(0x010E, "from exif");
    ExifLayout layout{ByteOrder::Little, {ifd0, ifd1, ifd2}, exif, {}};
    std::string jpeg = fixtures::JpegOf({fixtures::App1Exif(layout)});

    ExifTable table = MakePreviewTable();
    ASSERT_EQ(ReadExifBytes(jpeg, table), kExifOk);
    EXPECT_EQ(DumpTable(table),
              "010E|from exif|\n"
              "010F|maker|\n"
              "0110|model in ifd2|\n"
              "8769|66|\n"
              "829A|1/250|1/250\n");

    // Without an item for 0x8769 the sub-directory is not read at all.
    static const ExifItemDef kNoPointer[] = {{0x010E, true, "", nullptr},
                                             {0x829A, true, "", nullptr}};
    ExifTable bare(kNoPointer);
    ASSERT_EQ(ReadExifBytes(jpeg, bare), kExifOk);
    EXPECT_EQ(DumpTable(bare), "010E|from ifd1|\n");
}

TEST(ExifReader, LongTextsAreCutTo127Bytes) {
    std::string description(200, 'd');
    for (size_t i = 0; i < description.size(); ++i) description[i] = 'a' + i % 26;
    Ifd ifd0;
    ifd0.Ascii(0x010E, description);
    ExifLayout layout{ByteOrder::Big, {ifd0}, std::nullopt, {}};
    ExifTable table = MakePreviewTable();
    ASSERT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(layout)}), table), kExifOk);
    EXPECT_EQ(Find(table, 0x010E)->value, description.substr(0, 127));

    // Two-byte characters are never split: 63 of them take 126 bytes, the 64th does not fit.
    std::string japanese;
    for (int i = 0; i < 70; ++i) japanese += Sj("表");
    Ifd ifdJ;
    ifdJ.Ascii(0x010E, japanese);
    ExifLayout layoutJ{ByteOrder::Big, {ifdJ}, std::nullopt, {}};
    ASSERT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(layoutJ)}), table), kExifOk);
    EXPECT_EQ(Find(table, 0x010E)->value, japanese.substr(0, 126));
}

// Values, directories and links that point outside the segment, or back into the chain.
TEST(ExifReader, OutOfRangeDataIsSkippedWithoutReadingOutside) {
    auto field = [](uint16_t tag, uint16_t type, uint32_t count, uint32_t valueField) {
        fixtures::TiffField f;
        f.tag = tag;
        f.type = type;
        f.count = count;
        f.forcedValueField = valueField;
        return f;
    };
    Ifd ifd0, ifd1;
    ifd0.Rational(0x011A, 72, 1).Ascii(0x010F, "kept").Short(0x0128, 2);
    // IFD1: the same tags again, with values outside the segment: IFD0's values stay.
    ifd1.Field(field(0x011A, 5, 1, 0xFFFFFFF0u))   // offset near 2^32
        .Field(field(0x0128, 3, 0x80000000u, 8))   // count * size beyond 32 bits
        .Field(field(0x011B, 5, 0xFFFFFFFFu, 0))   // 8 * count overflows 32 bits
        .Field(field(0x010F, 2, 100, 0x7FFFFFFF))  // text starting outside
        .Field(field(0x0110, 2, 0xFFFFFFFFu, 8))   // text counted past the end
        .Field(field(0x0131, 12, 1, 0xFFFFFFFCu))  // double wrapping around
        .ForceNext(8);                             // links back to IFD0
    ExifLayout layout{ByteOrder::Big, {ifd0, ifd1}, std::nullopt, {}};
    ExifTable table = MakePreviewTable();
    ASSERT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(layout)}), table), kExifOk);
    // 0x0110's text runs from offset 8 (IFD0) to the end of the segment and is cut at its
    // first 00: IFD0's entry count, 0x00 0x03, ends it at once.
    EXPECT_EQ(DumpTable(table),
              "010F|kept|\n"
              "011A|72/1|72\n"
              "0128|2|inch\n");

    // A directory beyond the segment, or one whose entries do not fit, is skipped.
    for (uint32_t next : {0xFFFFFFFFu, 0x7FFFFFF0u, 30u}) {
        Ifd first;
        first.Ascii(0x010E, "first").ForceNext(next);
        ExifLayout l{ByteOrder::Little, {first}, std::nullopt, {}};
        std::string tiff = fixtures::BuildTiff(l);
        if (next == 30) tiff.resize(32, '\xFF');  // an entry count of 0xFFFF at 30
        std::string jpeg =
            fixtures::JpegOf({fixtures::Segment(0xE1, std::string("Exif\0\0", 6) + tiff)});
        ExifTable t = MakePreviewTable();
        ASSERT_EQ(ReadExifBytes(jpeg, t), kExifOk);
        EXPECT_EQ(DumpTable(t), "010E|first|\n") << next;
    }

    // An Exif pointer outside the segment is not followed; a self-linked directory ends.
    Ifd self;
    self.Long(0x8769, 0xFFFFFF00u).Ascii(0x010E, "self").ForceNext(8);
    ExifLayout selfLayout{ByteOrder::Big, {self}, std::nullopt, {}};
    ASSERT_EQ(ReadExifBytes(fixtures::JpegOf({fixtures::App1Exif(selfLayout)}), table), kExifOk);
    EXPECT_EQ(DumpTable(table), "010E|self|\n8769|4294967040|\n");
}

TEST(ExifReader, UnterminatedTextIsCutAtTheSegmentEnd) {
    Ifd ifd0;
    ifd0.Ascii(0x010E, "0123456789", false);
    ExifLayout layout{ByteOrder::Big, {ifd0}, std::nullopt, {}};
    std::string tiff = fixtures::BuildTiff(layout);
    // Make the count claim 1000 bytes: the text then runs to the end of the segment.
    tiff[8 + 2 + 4 + 2] = '\x03';
    tiff[8 + 2 + 4 + 3] = '\xE8';
    std::string jpeg =
        fixtures::JpegOf({fixtures::Segment(0xE1, std::string("Exif\0\0", 6) + tiff)});
    ExifTable table = MakePreviewTable();
    ASSERT_EQ(ReadExifBytes(jpeg, table), kExifOk);
    EXPECT_EQ(Find(table, 0x010E)->value, "0123456789");
}

// Every prefix of a valid file, and many damaged copies, give a status and never read
// outside (the sanitizer build checks the reads).
TEST(ExifReader, TruncatedAndDamagedFiles) {
    for (auto order : {ByteOrder::Big, ByteOrder::Little}) {
        std::string full = Camera(order, true);
        const size_t app1End = 2 + 18 + 4 +
                               static_cast<size_t>((static_cast<unsigned char>(full[22]) << 8) |
                                                   static_cast<unsigned char>(full[23])) -
                               2;
        for (size_t n = 0; n <= full.size(); ++n) {
            ExifTable table = MakePreviewTable();
            std::string prefix = full.substr(0, n);
            int status = ReadExifBytes(prefix, table);
            if (n < 24) {
                EXPECT_EQ(status, kExifNoSegment) << n;
            } else if (n < app1End) {
                EXPECT_EQ(status, kExifBadSegment) << n;
            } else {
                EXPECT_EQ(status, kExifOk) << n;
            }
        }
        uint32_t x = 12345;
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = full;
            for (int k = 0; k < 4; ++k) {
                x = x * 1103515245u + 12345u;
                size_t pos = 24 + (x >> 8) % (app1End - 24);
                damaged[pos] = static_cast<char>(x >> 24);
            }
            ExifTable table = MakePreviewTable();
            int status = ReadExifBytes(damaged, table);
            EXPECT_TRUE(status == kExifOk || status == kExifBadSegment);
        }
    }
}

}  // namespace
}  // namespace mirulane
