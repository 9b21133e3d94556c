// The thumbnail maker against hostile pictures: a file that lies about its kind, sizes that
// would exhaust memory, damaged files, decoding that runs too long; each refused with its
// reason. And BMP pictures, which our own decoder reads, come out the right way up.

#include <gtest/gtest.h>

#include <vips/vips.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fixtures/bmp_builder.h"
#include "fixtures/image_builder.h"
#include "fixtures/picture_builder.h"
#include "imaging/thumbnail_maker.h"

namespace mirulane {
namespace {

using Problem = ThumbnailProblem;
using fixtures::PictureFormat;

std::string Le16(uint32_t v) { return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)}; }

class ThumbnailMakerTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartPictureDecoding()); }

    MadeThumbnail Make(const std::string& name, const std::string& bytes) {
        return MakeThumbnailJpeg(dir.Write(name, bytes), 160, 120);
    }
    // Refused with the problem, fast: nothing was decoded.
    void ExpectRefused(const std::string& name, const std::string& bytes, Problem problem) {
        SCOPED_TRACE(name);
        const auto start = std::chrono::steady_clock::now();
        MadeThumbnail made = Make(name, bytes);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_FALSE(made.ok);
        EXPECT_TRUE(made.jpeg.empty());
        EXPECT_EQ(made.problem, problem) << made.error;
        EXPECT_FALSE(made.error.empty());
    }

    fixtures::TempDir dir;
};

// An SVG named as a photo once reached ImageMagick through libvips: it drew a file named in
// the SVG into the thumbnail and started a shell for a converter. The non-ASCII byte in the
// first line makes libvips's own SVG loader pass it over.
TEST_F(ThumbnailMakerTest, PictureThatLiesAboutItsKindIsRefusedBeforeAnyDecoderSeesIt) {
    const std::string secret =
        dir.Write("private.jpg", fixtures::MakePicture(PictureFormat::Jpeg, 64, 48));
    const std::string svg =
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><!-- caf\xE9 --><svg "
        "xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
        "width=\"64\" height=\"48\">\n<image xlink:href=\"" +
        secret + "\" width=\"64\" height=\"48\"/>\n</svg>\n";
    // A converter that would leave a mark if any program were started.
    std::filesystem::create_directory(dir.path() + "/bin");
    const std::string mark = dir.path() + "/started";
    dir.Write("bin/inkscape", "#!/bin/sh\ntouch '" + mark + "'\n");
    std::filesystem::permissions(dir.path() + "/bin/inkscape", std::filesystem::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (dir.path() + "/bin:" + oldPath).c_str(), 1);
    for (const char* name : {"DSC_0001.jpg", "DSC_0002.JPEG", "a.png", "a.gif", "a.bmp", "a.tif"})
        ExpectRefused(name, svg, Problem::NotItsKind);
    setenv("PATH", oldPath.c_str(), 1);
    EXPECT_FALSE(std::filesystem::exists(mark));

    // Real pictures of another kind than their names say are refused too.
    ExpectRefused("png.jpg", fixtures::MakePicture(PictureFormat::Png, 32, 24),
                  Problem::NotItsKind);
    ExpectRefused("jpeg.png", fixtures::MakePicture(PictureFormat::Jpeg, 32, 24),
                  Problem::NotItsKind);
    ExpectRefused("jpeg.bmp", fixtures::MakePicture(PictureFormat::Jpeg, 32, 24),
                  Problem::NotItsKind);
    ExpectRefused("bmp.gif", fixtures::MakeBmp(8, 8), Problem::NotItsKind);
}

// Even a picture that slipped past the kind check would meet only the loaders made for
// untrusted input.
TEST_F(ThumbnailMakerTest, LoadersNotMadeForUntrustedInputStayBlocked) {
    const std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"8\" height=\"8\"/>";
    const std::string bmp = fixtures::MakeBmpPicture(8, 8, fixtures::BmpLayout::Rgb24);
    const std::string tiff("II*\0\x08\0\0\0\0\0", 10);
    VipsImage* image = nullptr;
    EXPECT_NE(vips_svgload_buffer(const_cast<char*>(svg.data()), svg.size(), &image, nullptr), 0);
    EXPECT_NE(vips_magickload_buffer(const_cast<char*>(bmp.data()), bmp.size(), &image, nullptr),
              0);
    EXPECT_NE(vips_tiffload_buffer(const_cast<char*>(tiff.data()), tiff.size(), &image, nullptr),
              0);
    EXPECT_EQ(image, nullptr);
    vips_error_clear();
}

// A 3-component JPEG frame of the given kind (SOF marker) and sampling, with a first scan
// of `scanComponents`; header only.
std::string JpegHeader(uint8_t sof, uint16_t width, uint16_t height, uint8_t lumaSampling,
                       uint8_t scanComponents = 3) {
    std::string s("\xFF\xD8\xFF", 3);
    s += static_cast<char>(sof);
    s += std::string("\x00\x11\x08", 3);
    s += {static_cast<char>(height >> 8), static_cast<char>(height & 0xFF),
          static_cast<char>(width >> 8), static_cast<char>(width & 0xFF), 3};
    s += {1, static_cast<char>(lumaSampling), 0, 2, 0x11, 1, 3, 0x11, 1};
    s += std::string("\xFF\xDA\x00", 3);
    s += static_cast<char>(6 + 2 * scanComponents);
    s += static_cast<char>(scanComponents);
    for (int i = 0; i < scanComponents; ++i) s += {static_cast<char>(i + 1), 0};
    s += std::string("\x00\x3F\x00", 3);
    return s + std::string(16, '\x55') + "\xFF\xD9";
}

std::string Png(uint32_t width, uint32_t height, uint8_t colour, bool interlaced) {
    std::string s = fixtures::MakePng(width, height);
    s[25] = static_cast<char>(colour);
    s[28] = interlaced ? 1 : 0;
    return s;
}

// Each of these small files declares a size that made a decoder allocate gigabytes or run
// for minutes; the declared size is read before any decoder starts.
TEST_F(ThumbnailMakerTest, PicturesDeclaringHugeSizesAreRefusedFastAsTooLarge) {
    // 35 bytes: a 65535 x 65535 screen and frame (libnsgif allocated 17 GB for such a file).
    const std::string gifHead =
        "GIF89a" + Le16(65535) + Le16(65535) + std::string("\x80\0\0", 3) + std::string(6, '\0');
    const std::string frame = "," + Le16(0) + Le16(0) + Le16(65535) + Le16(65535) +
                              std::string("\0\x02\x02\x44\x01\0;", 7);
    ExpectRefused("screen.gif", gifHead + frame, Problem::TooLarge);
    // A small screen with a huge frame: decoders grow the canvas to the frame.
    const std::string small =
        "GIF89a" + Le16(16) + Le16(16) + std::string("\x80\0\0", 3) + std::string(6, '\0');
    ExpectRefused("frame.gif", small + frame, Problem::TooLarge);
    ExpectRefused("huge.png", fixtures::MakePng(200000, 200000), Problem::TooLarge);
    ExpectRefused("huge.jpg", fixtures::MakeJpeg(65535, 65535), Problem::TooLarge);
    ExpectRefused("huge.bmp", fixtures::MakeBmp(20000, 20000) + std::string(64, '\0'),
                  Problem::TooLarge);
    // Decoders that hold the whole picture get less: progressive JPEG of 12000 x 12000 at
    // 4:4:4 (864 MB of coefficients), a sequential one whose first scan lacks a component,
    // interlaced PNG of 10000 x 10000 RGBA.
    ExpectRefused("progressive.jpg", JpegHeader(0xC2, 12000, 12000, 0x11), Problem::TooLarge);
    ExpectRefused("scans.jpg", JpegHeader(0xC0, 12000, 12000, 0x11, 1), Problem::TooLarge);
    ExpectRefused("interlaced.png", Png(10000, 10000, 6, true), Problem::TooLarge);
    // One side too long for a row to be held.
    ExpectRefused("wide.png", Png(1000000, 10, 2, false), Problem::TooLarge);

    // What every camera takes passes the check: a 100-megapixel baseline photo, a 250-megapixel
    // panorama, a 24-megapixel progressive 4:2:0 one, a 10000 x 10000 PNG.
    for (const std::string& fits :
         {JpegHeader(0xC0, 11648, 8736, 0x22), JpegHeader(0xC0, 25000, 10000, 0x22),
          JpegHeader(0xC2, 6000, 4000, 0x22)}) {
        EXPECT_EQ(CheckPictureHeader(PictureKind::Jpeg, fits).problem, Problem::None);
    }
    EXPECT_EQ(CheckPictureHeader(PictureKind::Png, Png(10000, 10000, 6, false)).problem,
              Problem::None);
}

TEST_F(ThumbnailMakerTest, PicturesCutShortOrCorruptAreDamaged) {
    const std::string jpeg = fixtures::MakePicture(PictureFormat::Jpeg, 400, 300, 1, false, 20);
    ExpectRefused("cut.jpg", jpeg.substr(0, jpeg.size() / 2), Problem::Damaged);
    ExpectRefused("headers.jpg", fixtures::MakeJpeg(64, 48), Problem::Damaged);
    const std::string png = fixtures::MakePicture(PictureFormat::Png, 400, 300, 1, false, 20);
    ExpectRefused("cut.png", png.substr(0, png.size() / 2), Problem::Damaged);
    ExpectRefused("empty.gif", fixtures::MakeGif(31, 17), Problem::Damaged);  // no frame
    const std::string bmp = fixtures::MakeBmpPicture(40, 30, fixtures::BmpLayout::Rgb24);
    ExpectRefused("cut.bmp", bmp.substr(0, bmp.size() / 2), Problem::Damaged);
    // A frame reaching past a small screen.
    const std::string gifOut = "GIF89a" + Le16(4) + Le16(4) + std::string("\x80\0\0", 3) +
                               std::string(6, '\0') + "," + Le16(2) + Le16(2) + Le16(4) + Le16(4) +
                               std::string("\0\x02\x02\x44\x01\0;", 7);
    ExpectRefused("out.gif", gifOut, Problem::Damaged);
}

TEST_F(ThumbnailMakerTest, OtherFailuresAreNamed) {
    MadeThumbnail made = MakeThumbnailJpeg(dir.path() + "/missing.jpg", 160, 120);
    EXPECT_EQ(made.problem, Problem::Unreadable);
    ExpectRefused("scan.tif", std::string("II*\0\x08\0\0\0", 8), Problem::NotDecodable);
    ExpectRefused("lossless.jpg", JpegHeader(0xC3, 64, 48, 0x11), Problem::NotDecodable);
    std::string bmpJpeg = fixtures::MakeBmp(8, 8);
    bmpJpeg[30] = 4;  // BI_JPEG
    ExpectRefused("jpeg.bmp", bmpJpeg, Problem::NotDecodable);
    ExpectRefused("notes.txt", "text", Problem::NotDecodable);
    PictureLimits limits;
    limits.maxFileBytes = 100;
    made = MakeThumbnailJpegWithin(
        dir.Write("big.png", fixtures::MakePicture(PictureFormat::Png, 64, 48, 1, false, 20)), 160,
        120, limits);
    EXPECT_EQ(made.problem, Problem::TooLarge);
}

TEST_F(ThumbnailMakerTest, DecodingPastItsTimeIsStoppedAsTimedOut) {
    const std::string path =
        dir.Write("large.png", fixtures::MakePicture(PictureFormat::Png, 1600, 1200, 1, false, 20));
    PictureLimits limits;
    limits.time = std::chrono::milliseconds(0);
    MadeThumbnail made = MakeThumbnailJpegWithin(path, 160, 120, limits);
    EXPECT_FALSE(made.ok);
    EXPECT_EQ(made.problem, Problem::TimedOut) << made.error;
    made = MakeThumbnailJpeg(path, 160, 120);
    EXPECT_TRUE(made.ok) << made.error;
}

TEST_F(ThumbnailMakerTest, BmpThumbnailsKeepTheirColoursAndWhichWayIsUp) {
    using fixtures::BmpLayout;
    for (BmpLayout layout : {BmpLayout::Rgb24, BmpLayout::Palette4, BmpLayout::Rle8,
                             BmpLayout::BitFields565, BmpLayout::BitFieldsAlpha}) {
        for (bool topDown : {false, true}) {
            if (topDown && layout == BmpLayout::Rle8) continue;
            SCOPED_TRACE(::testing::Message() << static_cast<int>(layout) << " " << topDown);
            MadeThumbnail made = Make("q.bmp", fixtures::MakeBmpPicture(320, 240, layout, topDown));
            ASSERT_TRUE(made.ok) << made.error;
            auto d = fixtures::DecodePicture(made.jpeg);
            ASSERT_TRUE(d);
            ASSERT_EQ(d->width, 160);
            ASSERT_EQ(d->height, 120);
            ASSERT_EQ(d->bands, 3);
            for (auto [x, y] :
                 {std::pair{30, 30}, std::pair{130, 30}, std::pair{30, 90}, std::pair{130, 90}}) {
                const fixtures::Rgb want = fixtures::QuadrantColour(x, y, 160, 120, layout);
                const uint8_t* p = d->At(x, y);
                EXPECT_NEAR(p[0], want.r, 24) << x << "," << y;
                EXPECT_NEAR(p[1], want.g, 24) << x << "," << y;
                EXPECT_NEAR(p[2], want.b, 24) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace mirulane
