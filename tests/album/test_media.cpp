// File kinds and header sizes, and the image locator.

#include <gtest/gtest.h>

#include "album/media.h"
#include "fixtures/exif_builder.h"
#include "fixtures/image_builder.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

using namespace fixtures;

TEST(MediaKind, ClassifiesByTheLastExtension) {
    EXPECT_TRUE(IsImage("photo.JPEG"));
    EXPECT_FALSE(IsImage("scan.tiff"));
    EXPECT_TRUE(IsImage("scan.TIF"));
    EXPECT_TRUE(IsVideo("clip.MPG"));
    EXPECT_TRUE(IsImage("gif"));  // no dot: the whole name is the extension
    EXPECT_TRUE(IsVideo("clip.MP4"));
    EXPECT_TRUE(IsVideo("clip.m4v"));
    EXPECT_TRUE(IsVideo("screen.webm"));
    EXPECT_TRUE(IsVideo("IMG_0001.MOV"));
    EXPECT_EQ(KindOfName("a.jpg.txt"), MediaKind::Other);
    EXPECT_EQ(KindOfName("README"), MediaKind::Other);
    EXPECT_EQ(ClassificationExtension("x.ABCDEFGHIJ"), "abcdefg");
    EXPECT_FALSE(IsImage("x.jpgabcdefg"));  // cut to 7 bytes: "jpgabcd"
}

TEST(HeaderSizes, ReadEachFormatAndRefuseWhatIsNotIt) {
    PixelSize s;
    EXPECT_EQ(ParsePngSize(MakePng(640, 480), s), 0);
    EXPECT_EQ(s.width, 640u);
    EXPECT_EQ(s.height, 480u);
    EXPECT_EQ(ParseGifSize(MakeGif(31, 17), s), 0);
    EXPECT_EQ(s.width, 31u);
    EXPECT_EQ(ParseBmpSize(MakeBmp(800, 600), s), 0);
    EXPECT_EQ(s.height, 600u);
    EXPECT_EQ(ParseRiffSize(MakeAvi(320, 240), s), 0);
    EXPECT_EQ(s.width, 320u);
    EXPECT_EQ(ParseJpegSize(MakeJpeg(2048, 1536, std::string(300, 'E')), s), 0);
    EXPECT_EQ(s.width, 2048u);
    EXPECT_EQ(s.height, 1536u);

    EXPECT_EQ(ParseBmpSize(MakeBmp(8, 8).substr(0, 23), s), -1);  // "BM" but too short
    EXPECT_EQ(s.width, 0u);
    EXPECT_EQ(ParseJpegSize(MakeProgressiveJpeg(10, 10), s), -1);
    EXPECT_EQ(ParsePngSize(MakeGif(1, 1) + std::string(20, '\0'), s), -1);
    std::string jpeg = MakeJpeg(64, 48);
    for (size_t n = 0; n < jpeg.size(); ++n) {
        int r = ParseJpegSize(jpeg.substr(0, n), s);
        // Every truncation before the frame header's size bytes fails cleanly.
        if (n < 2 + 4 + 5) {
            EXPECT_EQ(r, -1) << n;
        }
    }
}

TEST(HeaderSizes, TheFileReaderWalksSegmentsAcrossItsBufferLikeTheMemoryReader) {
    TempDir dir;
    // Segment headers straddling the reader's 4 KiB buffer, and a skip far beyond it.
    for (size_t app = 4070; app < 4110; ++app) {
        std::string jpeg = MakeJpeg(321, 123, std::string(app, 'E'));
        std::string path = dir.Write("x.jpg", jpeg);
        PixelSize fromFile, fromMemory;
        ASSERT_EQ(ReadJpegSize(path, fromFile), 0) << app;
        ASSERT_EQ(ParseJpegSize(jpeg, fromMemory), 0) << app;
        EXPECT_EQ(fromFile.width, 321u);
        EXPECT_EQ(fromFile.height, 123u);
        std::string cut = jpeg.substr(0, 2 + 4 + app + 4 + 2);  // frame header cut short
        path = dir.Write("x.jpg", cut);
        EXPECT_EQ(ReadJpegSize(path, fromFile), -1) << app;
    }
    PixelSize big;
    EXPECT_EQ(ReadJpegSize(dir.Write("big.jpg", MakeJpeg(8, 9, std::string(60000, 'E'))), big), 0);
    EXPECT_EQ(big.height, 9u);
    EXPECT_EQ(ReadJpegSize(dir.path() + "/missing.jpg", big), -1);
}

// A photo taken with the camera on its side is stored unturned with an Exif Orientation that
// says how to turn it; browsers turn it, so every size the pages give it must be turned too.
TEST(JpegOrientation, ReadInBothByteOrdersAndTurnsTheLocatedSize) {
    TempDir dir;
    std::string folder = *Utf8ToCp932(dir.path()) + "/";
    for (ByteOrder order : {ByteOrder::Little, ByteOrder::Big}) {
        for (uint16_t o = 1; o <= 8; ++o) {
            SCOPED_TRACE(::testing::Message() << "order " << static_cast<int>(order) << " o " << o);
            std::string jpeg = MakeOrientedJpeg(600, 450, o, order);
            PixelSize fromMemory, fromFile;
            ASSERT_EQ(ParseJpegSize(jpeg, fromMemory), 0);
            EXPECT_EQ(fromMemory.width, 600u);
            EXPECT_EQ(fromMemory.height, 450u);
            EXPECT_EQ(fromMemory.orientation, o);
            ASSERT_EQ(ReadJpegSize(dir.Write("P.jpg", jpeg), fromFile), 0);
            EXPECT_EQ(fromFile.orientation, o);

            ImageLocator locator;
            std::optional<FoundImage> f = locator.Locate(folder + "P", "jpg");
            ASSERT_TRUE(f);
            EXPECT_EQ(f->size.width, o >= 5 ? 450u : 600u);
            EXPECT_EQ(f->size.height, o >= 5 ? 600u : 450u);

            // A camera's file: the tag among others, after a JFIF segment.
            CameraJpeg camera;
            camera.order = order;
            camera.jfif = true;
            camera.orientation = o;
            ASSERT_EQ(ParseJpegSize(MakeCameraJpeg(camera), fromMemory), 0);
            EXPECT_EQ(fromMemory.orientation, o);
        }
    }
    PixelSize png;
    ASSERT_EQ(ParsePngSize(MakePng(4, 3), png), 0);
    EXPECT_EQ(png.orientation, 1);
}

// Big-endian TIFF data with IFD0 `gap` bytes after the header (an Orientation of 6 alone).
std::string Ifd0AfterGap(size_t gap) {
    std::string tiff = BuildTiff(OrientationLayout(6, ByteOrder::Big));
    tiff.insert(8, std::string(gap, 'G'));
    uint32_t at = static_cast<uint32_t>(8 + gap);
    for (int i = 0; i < 4; ++i) tiff[4 + i] = static_cast<char>(at >> (24 - 8 * i));
    return tiff;
}

TEST(JpegOrientation, ReadOnlyFromASoundTagInsideTheFirstExifSegment) {
    const std::string exif("Exif\0\0", 6);
    auto payload = [&](const Ifd& ifd0, ByteOrder order = ByteOrder::Big) {
        ExifLayout layout;
        layout.order = order;
        layout.chain.push_back(ifd0);
        return BuildExifPayload(layout);
    };
    const std::string six = BuildExifPayload(OrientationLayout(6, ByteOrder::Little));
    const size_t entryEnd = 6 + 8 + 2 + 12;  // the Orientation entry's last byte
    std::string farOffset = six;
    farOffset.replace(6 + 4, 4, "\xF0\xFF\xFF\xFF", 4);
    std::string lowOffset = six;
    lowOffset.replace(6 + 4, 4, "\x04\x00\x00\x00", 4);
    std::string badOrder = six;
    badOrder.replace(6, 2, "XI");
    struct Case {
        const char* what;
        std::string app1;  // segments before the frame header
        int orientation;
    };
    const Case cases[] = {
        {"no Exif segment", "", 1},
        {"not Exif", Segment(0xE1, "http://ns.adobe.com/xap/1.0/\0<x/>"), 1},
        {"LONG", Segment(0xE1, payload(Ifd().Long(0x0112, 6))), 1},
        {"two values", Segment(0xE1, payload(Ifd().Array(0x0112, 3, 2, 2, {6, 6}))), 1},
        {"value 0", Segment(0xE1, payload(Ifd().Short(0x0112, 0))), 1},
        {"value 9", Segment(0xE1, payload(Ifd().Short(0x0112, 9), ByteOrder::Little)), 1},
        {"IFD0 past the segment", Segment(0xE1, farOffset), 1},
        {"IFD0 inside the header", Segment(0xE1, lowOffset), 1},
        {"no byte order", Segment(0xE1, badOrder), 1},
        {"entry cut by the segment end", Segment(0xE1, six.substr(0, entryEnd - 1)), 1},
        {"entry ending with the segment", Segment(0xE1, six.substr(0, entryEnd)), 6},
        {"after other tags", Segment(0xE1, payload(Ifd().Short(0x0100, 3).Short(0x0112, 8))), 8},
        {"after a segment that is not Exif", Segment(0xE1, "XMP data") + Segment(0xE1, six), 6},
        {"the first Exif segment counts",
         Segment(0xE1, six) + Segment(0xE1, payload(Ifd().Short(0x0112, 3))), 6},
        // Far into the segment, so the file reader skips across its buffer to reach it.
        {"IFD0 after a gap", Segment(0xE1, exif + Ifd0AfterGap(5000)), 6},
    };
    TempDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string jpeg = JpegOf({c.app1, Sof0(64, 48), ScanAndEnd(16)});
        PixelSize fromMemory, fromFile;
        ASSERT_EQ(ParseJpegSize(jpeg, fromMemory), 0);
        EXPECT_EQ(fromMemory.width, 64u);
        EXPECT_EQ(fromMemory.height, 48u);
        EXPECT_EQ(fromMemory.orientation, c.orientation);
        ASSERT_EQ(ReadJpegSize(dir.Write("x.jpg", jpeg), fromFile), 0);
        EXPECT_EQ(fromFile.orientation, c.orientation);
        // Cut anywhere before the frame header's size bytes, the file is no picture.
        size_t sizeEnd = jpeg.find("\xFF\xC0", 2 + c.app1.size()) + 4 + 5;
        for (size_t n = 0; n < sizeEnd; ++n) {
            ASSERT_EQ(ParseJpegSize(std::string_view(jpeg).substr(0, n), fromMemory), -1) << n;
        }
    }
}

// Phones and cameras write the movie's boxes in either order, and a clip shot upright is
// stored sideways with a matrix that turns it; the located size is the size shown.
TEST(Mp4Size, ReadsTheFirstPictureTrackWhereverTheMovieKeepsIt) {
    const std::string ftyp = Mp4Box("ftyp", "mp42");
    auto moov = [](const std::string& tracks) { return Mp4Box("moov", tracks); };
    auto trak = [](const std::string& tkhd) { return Mp4Box("trak", tkhd); };
    struct Case {
        const char* what;
        std::string file;
        uint32_t width, height;
        int orientation;
    };
    const Case cases[] = {
        {"moov after the data", MakeMp4(1920, 1080), 1920, 1080, 1},
        {"moov first", MakeMp4(640, 360, /*moovFirst=*/true), 640, 360, 1},
        // Beyond the file reader's 4 KiB buffer: the data is skipped, not read.
        {"after 200 KiB of data", MakeMp4(3840, 2160, false, 200 * 1024), 3840, 2160, 1},
        {"version 1 header", ftyp + moov(trak(Mp4TrackHeader(1280, 720, 1))), 1280, 720, 1},
        {"64-bit sizes",
         ftyp + Mp4Box("mdat", "xx", true) + Mp4Box("moov", trak(Mp4TrackHeader(720, 480)), true),
         720, 480, 1},
        {"data to the end of the file",
         ftyp + moov(trak(Mp4TrackHeader(352, 288))) +
             Mp4Box("mdat", "").replace(0, 4, "\0\0\0\0", 4) + "data",
         352, 288, 1},
        {"moov to the end of the file",
         ftyp + Mp4Box("moov", trak(Mp4TrackHeader(320, 240))).replace(0, 4, "\0\0\0\0", 4), 320,
         240, 1},
        {"tkhd after other boxes",
         ftyp + moov(Mp4Box("trak", Mp4Box("edts", "e") + Mp4TrackHeader(176, 144))), 176, 144, 1},
        {"upright phone clip", ftyp + moov(trak(Mp4TrackHeader(1920, 1080, 0, 1))), 1920, 1080, 6},
        {"upside-down phone clip", ftyp + moov(trak(Mp4TrackHeader(1920, 1080, 1, 3))), 1920, 1080,
         8},
        {"old QuickTime without ftyp", Mp4Box("wide", "") + moov(trak(Mp4TrackHeader(160, 120))),
         160, 120, 1},
    };
    TempDir dir;
    const std::string folder = *Utf8ToCp932(dir.path()) + "/";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelSize fromMemory, fromFile;
        ASSERT_EQ(ParseMp4Size(c.file, fromMemory), 0);
        EXPECT_EQ(fromMemory.width, c.width);
        EXPECT_EQ(fromMemory.height, c.height);
        EXPECT_EQ(fromMemory.orientation, c.orientation);
        ASSERT_EQ(ReadMp4Size(dir.Write("clip.mp4", c.file), fromFile), 0);
        EXPECT_EQ(fromFile.width, c.width);
        EXPECT_EQ(fromFile.height, c.height);
        EXPECT_EQ(fromFile.orientation, c.orientation);

        ImageLocator locator;
        std::optional<FoundImage> f = locator.Locate(folder + "CLIP", "MP4");
        ASSERT_TRUE(f);
        EXPECT_EQ(f->name, "clip.mp4");
        EXPECT_EQ(f->size.width, c.orientation == 1 ? c.width : c.height);
        EXPECT_EQ(f->size.height, c.orientation == 1 ? c.height : c.width);
    }
}

TEST(Mp4Size, RefusesTruncatedAndHostileBoxes) {
    const std::string ftyp = Mp4Box("ftyp", "mp42");
    const std::string video = Mp4TrackHeader(640, 480);
    auto movie = [&](const std::string& tracks) { return ftyp + Mp4Box("moov", tracks); };
    std::string shortV0 = video.substr(0, video.size() - 1);
    shortV0.replace(0, 4, "\0\0\0\x5B", 4);  // 83 bytes of contents: too few for version 0
    std::string version2 = video;
    version2[8] = 2;
    std::string manyBoxes = ftyp;
    for (int i = 0; i < 5000; ++i) manyBoxes += Mp4Box("free", "");
    manyBoxes += Mp4Box("moov", Mp4Box("trak", video));
    std::string hugeData = ftyp + Mp4Box("mdat", "", true) + Mp4Box("moov", "");
    hugeData.replace(ftyp.size() + 8, 8, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xF0", 8);
    std::string tinyBox = ftyp + Mp4Box("moov", Mp4Box("trak", video));
    tinyBox.replace(0, 4, "\0\0\0\x04", 4);  // a size smaller than its own header
    std::string tinyLarge = ftyp + Mp4Box("mdat", "", true) + Mp4Box("moov", "");
    tinyLarge.replace(ftyp.size() + 8, 8, std::string("\0\0\0\0\0\0\0\x0F", 8));
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"empty", ""},
        {"a JPEG", MakeJpeg(640, 480)},
        {"an unknown first box", Mp4Box("abcd", "") + movie(Mp4Box("trak", video))},
        {"sound only", movie(Mp4Box("trak", Mp4TrackHeader(0, 0)))},
        {"no moov", ftyp + Mp4Box("mdat", "data")},
        {"tkhd outside a trak", movie(video)},
        {"tkhd too short for its version", movie(Mp4Box("trak", shortV0))},
        {"tkhd version 2", movie(Mp4Box("trak", version2))},
        {"trak larger than moov", movie(Mp4Box("trak", video).replace(0, 4, "\0\0\x10\0", 4))},
        {"size below the header", tinyBox},
        {"64-bit size below the header", tinyLarge},
        {"data claimed past the file", hugeData},
        {"5000 empty boxes before moov", manyBoxes},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PixelSize s;
        EXPECT_EQ(ParseMp4Size(c.file, s), -1);
        EXPECT_EQ(s.width, 0u);
        EXPECT_EQ(ReadMp4Size(dir.Write("x.mp4", c.file), s), -1);
    }
    // moov comes last: every cut leaves it claiming bytes the file does not have.
    const std::string whole = MakeMp4(64, 48);
    PixelSize s;
    for (size_t n = 0; n < whole.size(); ++n) {
        ASSERT_EQ(ParseMp4Size(std::string_view(whole).substr(0, n), s), -1) << n;
    }
    EXPECT_EQ(ReadMp4Size(dir.path() + "/missing.mp4", s), -1);
    EXPECT_EQ(ReadMp4Size(dir.path(), s), -1);  // a folder
}

TEST(WebmSize, ReadsTheVideoTracksSizeAndRefusesHostileElements) {
    PixelSize s;
    ASSERT_EQ(ParseWebmSize(MakeWebm(1280, 720), s), 0);
    EXPECT_EQ(s.width, 1280u);
    EXPECT_EQ(s.height, 720u);
    ASSERT_EQ(ParseWebmSize(MakeWebm(640, 480, /*liveSizes=*/true), s), 0);
    EXPECT_EQ(s.width, 640u);

    const std::string header = WebmElement(0x1A45DFA3, WebmElement(0x4282, "webm"));
    auto video = [](const std::string& width) {
        return WebmElement(0xAE, WebmElement(0xE0, width + WebmNumber(0xBA, 240)));
    };
    const std::string tracks = WebmElement(0x1654AE6B, video(WebmNumber(0xB0, 320)));
    auto segment = [&](const std::string& parts) {
        return header + WebmElement(0x18538067, parts);
    };
    ASSERT_EQ(ParseWebmSize(segment(tracks), s), 0);
    std::string oversized = segment(tracks);
    // The last byte of the tracks' size (after the segment's ID and size and the tracks' ID):
    // the tracks claim a byte past the segment.
    oversized[header.size() + 4 + 8 + 4 + 7] += 1;
    std::string manyElements = header;
    for (int i = 0; i < 5000; ++i) manyElements += WebmElement(0xEC, "");
    struct Case {
        const char* what;
        std::string file;
    };
    const Case cases[] = {
        {"empty", ""},
        {"a JPEG", MakeJpeg(640, 480)},
        {"no header", WebmElement(0x18538067, tracks)},
        {"sound only", segment(WebmElement(0x1654AE6B, WebmElement(0xAE, WebmNumber(0x83, 2))))},
        {"data before the tracks", segment(WebmElement(0x1F43B675, "") + tracks)},
        {"a width of nine bytes",
         segment(WebmElement(0x1654AE6B, video(WebmElement(0xB0, std::string(9, '\1')))))},
        {"an ID of five bytes", header + std::string("\x08\0\0\0\0\x81\0", 7)},
        {"tracks larger than the segment", oversized},
        {"5000 empty elements before the segment", manyElements + segment(tracks)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseWebmSize(c.file, s), -1) << c.what;
        EXPECT_EQ(s.width, 0u) << c.what;
    }
    const std::string whole = MakeWebm(64, 48);
    for (size_t n = 0; n < whole.size(); ++n) {
        ASSERT_EQ(ParseWebmSize(std::string_view(whole).substr(0, n), s), -1) << n;
    }
    // A file named as a WebM movie whose size is not found is still found, 0 x 0.
    TempDir dir;
    EXPECT_EQ(ReadWebmSize(dir.Write("a.webm", "not a movie"), s), 0);
    EXPECT_EQ(s.width, 0u);
    EXPECT_EQ(ReadWebmSize(dir.Write("b.webm", MakeWebm(1920, 1080)), s), 0);
    EXPECT_EQ(s.height, 1080u);
    EXPECT_EQ(ReadWebmSize(dir.path() + "/missing.webm", s), -1);
}

TEST(Locator, FindsNamesWithoutRegardToCaseAndFallsBackInTableOrder) {
    TempDir dir;
    dir.Write("DSC01.JPG", MakeJpeg(1600, 1200, std::string(10000, 'E')));
    dir.Write("thumb.gif", MakeGif(94, 70));
    dir.Write("thumb.png", MakePng(10, 10));
    dir.Write("prog.jpg", MakeProgressiveJpeg(5, 5));
    dir.Write("prog.bmp", MakeBmp(7, 9));
    dir.Write("movie.mpg", "not really a movie");
    dir.Write("Phone.M4V", MakeMp4(1280, 720));
    dir.Write("screen.webm", "not really a movie");
    dir.Write("IMG_0001.MOV", MakeMp4(1920, 1080));
    std::string folder = *Utf8ToCp932(dir.path()) + "/";
    ImageLocator locator;

    std::optional<FoundImage> f = locator.Locate(folder + "dsc01", "jpg");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "DSC01.JPG");
    EXPECT_EQ(f->extension, "JPG");
    EXPECT_EQ(f->size.width, 1600u);

    f = locator.Locate(folder + "thumb", "jpg");  // missing as jpg: gif comes before png
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "thumb.gif");
    EXPECT_EQ(f->size.height, 70u);

    f = locator.Locate(folder + "prog", "jpg");  // the JPEG cannot be measured: the BMP is taken
    ASSERT_TRUE(f);
    EXPECT_EQ(f->extension, "bmp");

    f = locator.Locate(folder + "movie", "MPG");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "movie.mpg");
    EXPECT_EQ(f->size.width, 0u);

    f = locator.Locate(folder + "phone", "m4v");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "Phone.M4V");
    EXPECT_EQ(f->size.width, 1280u);
    f = locator.Locate(folder + "screen", "webm");  // a WebM's size unread: found all the same
    ASSERT_TRUE(f);
    EXPECT_EQ(f->size.width, 0u);
    f = locator.Locate(folder + "img_0001", "mov");  // a phone's QuickTime clip
    ASSERT_TRUE(f);
    EXPECT_EQ(f->size.height, 1080u);

    EXPECT_FALSE(locator.Locate(folder + "none", "jpg"));
    EXPECT_FALSE(locator.Locate(folder + "thumb", "jpg", /*tryAll=*/false));
}

// Links name the file found, so the look-up must say exactly which one: a file of the very
// name wins over one that differs only in letter case, and the name comes back as on disk.
TEST(Locator, PrefersTheExactNameAndReportsTheNameOnDisk) {
    TempDir dir;
    dir.Write("a.jpg", MakeJpeg(10, 10));
    dir.Write("A.JPG", MakeJpeg(20, 20));
    dir.Write("B.JPG", MakeJpeg(30, 30));
    std::string folder = *Utf8ToCp932(dir.path()) + "/";
    FolderIndex index(folder);
    ASSERT_TRUE(index.Lookup("a.jpg"));
    EXPECT_EQ(*index.Lookup("a.jpg"), "a.jpg");
    EXPECT_EQ(*index.Lookup("A.JPG"), "A.JPG");
    ASSERT_TRUE(index.Lookup("b.jpg"));
    EXPECT_EQ(*index.Lookup("b.jpg"), "B.JPG");
    EXPECT_FALSE(index.Lookup("c.jpg"));

    ImageLocator locator;
    std::optional<FoundImage> f = locator.Locate(folder + "A", "JPG");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "A.JPG");
    EXPECT_EQ(f->size.width, 20u);
    f = locator.Locate(folder + "a", "jpg");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "a.jpg");
    EXPECT_EQ(f->size.width, 10u);
    f = locator.Locate(folder + "b", "jpg");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, "B.JPG");  // the entry's letter case is not the file's
}

}  // namespace
}  // namespace mirulane
