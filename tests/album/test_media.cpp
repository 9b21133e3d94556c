// File kinds and header sizes, and the image locator.

#include <gtest/gtest.h>

#include "album/media.h"
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
    EXPECT_EQ(KindOfName("movie.mov"), MediaKind::Other);
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

TEST(Locator, FindsNamesWithoutRegardToCaseAndFallsBackInTableOrder) {
    TempDir dir;
    dir.Write("DSC01.JPG", MakeJpeg(1600, 1200, std::string(10000, 'E')));
    dir.Write("thumb.gif", MakeGif(94, 70));
    dir.Write("thumb.png", MakePng(10, 10));
    dir.Write("prog.jpg", MakeProgressiveJpeg(5, 5));
    dir.Write("prog.bmp", MakeBmp(7, 9));
    dir.Write("movie.mpg", "not really a movie");
    std::string folder = *Utf8ToCp932(dir.path()) + "/";
    ImageLocator locator;
    PixelSize s;

    std::string ext = "jpg";
    EXPECT_EQ(locator.Locate(folder + "dsc01", ext, s), 0);
    EXPECT_EQ(ext, "JPG");
    EXPECT_EQ(s.width, 1600u);

    ext = "jpg";  // missing as jpg: the second pass takes gif before png
    EXPECT_EQ(locator.Locate(folder + "thumb", ext, s), 0);
    EXPECT_EQ(ext, "gif");
    EXPECT_EQ(s.height, 70u);

    ext = "jpg";  // the JPEG cannot be measured, so the BMP of the same name is taken
    EXPECT_EQ(locator.Locate(folder + "prog", ext, s), 0);
    EXPECT_EQ(ext, "bmp");

    ext = "MPG";
    EXPECT_EQ(locator.Locate(folder + "movie", ext, s), 0);
    EXPECT_EQ(ext, "mpg");
    EXPECT_EQ(s.width, 0u);

    ext = "jpg";
    EXPECT_EQ(locator.Locate(folder + "none", ext, s), -1);
    EXPECT_EQ(ext, "jpg");
    ext = "jpg";
    EXPECT_EQ(locator.Locate(folder + "thumb", ext, s, /*tryAll=*/false), -1);
}

}  // namespace
}  // namespace mirulane
