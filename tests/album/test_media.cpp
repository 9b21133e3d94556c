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
