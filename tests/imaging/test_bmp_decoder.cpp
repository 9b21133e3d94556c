// Our own BMP decoder: each layout it takes gives the right colours the right way up, and no
// BMP, however cut short or bent, makes it read outside the file.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixtures/bmp_builder.h"
#include "imaging/bmp_decoder.h"

namespace mirulane {
namespace {

using fixtures::BmpLayout;
using fixtures::Rgb;

struct Decoded {
    BmpStatus status = BmpStatus::NotBmp;
    BmpHeader header;
    std::vector<uint8_t> pixels;
    Rgb At(int x, int y) const {
        const uint8_t* p =
            pixels.data() + (static_cast<size_t>(y) * header.width + x) * header.bands;
        return {p[0], p[1], p[2]};
    }
    int Alpha(int x, int y) const {
        return header.bands == 4 ? pixels[(static_cast<size_t>(y) * header.width + x) * 4 + 3]
                                 : 255;
    }
};

// Decodes when the header allows it, only small pictures (the tests' own).
Decoded Decode(std::string_view bytes) {
    Decoded d;
    std::string detail;
    d.status = ReadBmpHeader(bytes, d.header, detail);
    if (d.status != BmpStatus::Ok) return d;
    EXPECT_LE(uint64_t{d.header.width} * d.header.height, 1u << 20);
    d.pixels.resize(size_t{d.header.width} * d.header.height * d.header.bands);
    d.status = DecodeBmpPixels(bytes, d.header, d.pixels.data(), detail);
    return d;
}

constexpr BmpLayout kLayouts[] = {
    BmpLayout::Rgb24,          BmpLayout::Rgb32,    BmpLayout::Rgb16,       BmpLayout::BitFields565,
    BmpLayout::BitFieldsAlpha, BmpLayout::Palette8, BmpLayout::Palette4,    BmpLayout::Palette1,
    BmpLayout::Rle8,           BmpLayout::Rle4,     BmpLayout::Os2Palette8,
};

bool IsRle(BmpLayout layout) { return layout == BmpLayout::Rle8 || layout == BmpLayout::Rle4; }

TEST(BmpDecoder, EveryLayoutDecodesToItsColoursTheRightWayUp) {
    // Odd widths leave half-used bytes and row padding; 300 needs two RLE runs per half row.
    for (auto [w, h] : {std::pair{8, 6}, std::pair{7, 5}, std::pair{300, 4}}) {
        for (BmpLayout layout : kLayouts) {
            for (bool topDown : {false, true}) {
                if (topDown && (IsRle(layout) || layout == BmpLayout::Os2Palette8)) continue;
                SCOPED_TRACE(::testing::Message() << "layout " << static_cast<int>(layout) << " "
                                                  << w << "x" << h << " topDown " << topDown);
                Decoded d = Decode(fixtures::MakeBmpPicture(w, h, layout, topDown));
                ASSERT_EQ(d.status, BmpStatus::Ok);
                ASSERT_EQ(d.header.width, static_cast<uint32_t>(w));
                ASSERT_EQ(d.header.height, static_cast<uint32_t>(h));
                EXPECT_EQ(d.header.bands, layout == BmpLayout::BitFieldsAlpha ? 4 : 3);
                int wrong = 0;
                for (int y = 0; y < h; ++y) {
                    for (int x = 0; x < w; ++x) {
                        if (!(d.At(x, y) == fixtures::QuadrantColour(x, y, w, h, layout)) ||
                            d.Alpha(x, y) != 255) {
                            ++wrong;
                        }
                    }
                }
                EXPECT_EQ(wrong, 0);
            }
        }
    }
}

// A BMP header with a 4-colour palette (black, red, green, blue) and the given pixel codes.
std::string PalettedBmp(int width, int height, int bits, uint32_t compression,
                        const std::string& codes) {
    auto le = [](std::string& s, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string s = "BM";
    le(s, 14 + 40 + 16 + static_cast<uint32_t>(codes.size()), 4);
    le(s, 0, 4);
    le(s, 14 + 40 + 16, 4);
    le(s, 40, 4);
    le(s, width, 4);
    le(s, height, 4);
    le(s, 1, 2);
    le(s, bits, 2);
    le(s, compression, 4);
    le(s, static_cast<uint32_t>(codes.size()), 4);
    le(s, 0, 4);
    le(s, 0, 4);
    le(s, 4, 4);
    le(s, 0, 4);
    s += std::string(
        "\0\0\0\0"
        "\0\0\xFF\0"
        "\0\xFF\0\0"
        "\xFF\0\0\0",
        16);
    return s + codes;
}

TEST(BmpDecoder, RleLiteralRunsJumpsAndEndMarkDrawWhereTheySay) {
    constexpr Rgb k{0, 0, 0}, r{255, 0, 0}, g{0, 255, 0}, b{0, 0, 255};
    // Bottom row: a literal run of red, green, blue (padded to an even length); then, from
    // the start of the next line, a jump 2 right and 1 up, and two red there.
    const std::string rle8(
        "\x00\x03\x01\x02\x03\x00"  // literal run of 3, one pad byte
        "\x00\x00"                  // end of line
        "\x00\x02\x02\x01"          // jump 2 right, 1 up: top row, x 2
        "\x02\x01"                  // two red
        "\x00\x01",                 // end of picture
        16);
    Decoded d = Decode(PalettedBmp(4, 3, 8, 1, rle8));
    ASSERT_EQ(d.status, BmpStatus::Ok);
    const Rgb want[3][4] = {{k, k, r, r}, {k, k, k, k}, {r, g, b, k}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(d.At(x, y), want[y][x]) << x << "," << y;

    // RLE4: a run alternates its two indices; a literal run of 3 nibbles takes 2 bytes (even
    // already); codes past the right edge draw nothing.
    const std::string rle4(
        "\x05\x12"          // red, green, red, green (5th clipped)
        "\x00\x00"          // end of line
        "\x00\x03\x31\x20"  // literal blue, red, green
        "\x00\x01",
        10);
    d = Decode(PalettedBmp(4, 2, 4, 2, rle4));
    ASSERT_EQ(d.status, BmpStatus::Ok);
    const Rgb want4[2][4] = {{b, r, g, k}, {r, g, r, g}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(d.At(x, y), want4[y][x]) << x << "," << y;
}

TEST(BmpDecoder, AlphaEmptyEverywhereMeansOpaque) {
    std::string bmp = fixtures::MakeBmpPicture(4, 2, BmpLayout::BitFieldsAlpha);
    const size_t pixels = bmp.size() - 4 * 2 * 4;
    for (size_t i = pixels + 3; i < bmp.size(); i += 4) bmp[i] = 0;
    Decoded d = Decode(bmp);
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.Alpha(0, 0), 255);
    EXPECT_EQ(d.Alpha(3, 1), 255);
    bmp[pixels + 3] = 0x40;  // one pixel with alpha: the alpha is meant
    d = Decode(bmp);
    EXPECT_EQ(d.Alpha(0, 1), 0x40);
    EXPECT_EQ(d.Alpha(1, 1), 0);
}

TEST(BmpDecoder, CutShortAnywhereIsDamagedAndNeverReadsOutside) {
    for (BmpLayout layout : kLayouts) {
        const std::string whole = fixtures::MakeBmpPicture(7, 5, layout);
        for (size_t n = 0; n + 4 <= whole.size(); ++n) {
            // A copy of exactly n bytes, so a read past them is caught by the sanitizer.
            const std::string cut = whole.substr(0, n);
            const BmpStatus status = Decode(cut).status;
            EXPECT_TRUE(status == BmpStatus::Damaged || (n < 2 && status == BmpStatus::NotBmp))
                << "layout " << static_cast<int>(layout) << " cut at " << n;
        }
    }
}

TEST(BmpDecoder, BentHeadersAreRefusedWithTheirReason) {
    auto with = [](size_t at, std::initializer_list<uint8_t> bytes, BmpLayout layout) {
        std::string s = fixtures::MakeBmpPicture(8, 6, layout);
        for (uint8_t b : bytes) s[at++] = static_cast<char>(b);
        return s;
    };
    struct Case {
        const char* what;
        std::string bytes;
        BmpStatus status;
    } cases[] = {
        {"not BM", with(0, {'B', 'A'}, BmpLayout::Rgb24), BmpStatus::NotBmp},
        {"width 0", with(18, {0, 0, 0, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"negative width", with(18, {0xF8, 0xFF, 0xFF, 0xFF}, BmpLayout::Rgb24),
         BmpStatus::Damaged},
        {"height INT32_MIN", with(22, {0, 0, 0, 0x80}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"7 bits", with(28, {7, 0}, BmpLayout::Rgb24), BmpStatus::Unsupported},
        {"64 bits", with(28, {64, 0}, BmpLayout::Rgb24), BmpStatus::Unsupported},
        {"embedded JPEG", with(30, {4, 0, 0, 0}, BmpLayout::Rgb24), BmpStatus::Unsupported},
        {"RLE8 code on 24 bits", with(30, {1, 0, 0, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"RLE top-down", with(22, {0xFA, 0xFF, 0xFF, 0xFF}, BmpLayout::Rle8), BmpStatus::Damaged},
        {"header size 200", with(14, {200, 0, 0, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"pixels past the end", with(10, {0, 0, 1, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"pixels inside the header", with(10, {20, 0, 0, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
        {"mask with a gap", with(54, {0x0F, 0xF0, 0, 0}, BmpLayout::BitFields565),
         BmpStatus::Damaged},
        {"mask wider than 16 bits", with(54, {0, 0, 1, 0}, BmpLayout::BitFields565),
         BmpStatus::Damaged},
        {"rows past the end", with(18, {0, 1, 0, 0}, BmpLayout::Rgb24), BmpStatus::Damaged},
    };
    for (const Case& c : cases) EXPECT_EQ(Decode(c.bytes).status, c.status) << c.what;

    // A palette that claims 4 billion colours is read up to where the pixels start.
    Decoded many = Decode(with(46, {0xFF, 0xFF, 0xFF, 0xFF}, BmpLayout::Palette8));
    ASSERT_EQ(many.status, BmpStatus::Ok);
    EXPECT_EQ(many.At(0, 0), fixtures::QuadrantColour(0, 0, 8, 6, BmpLayout::Palette8));
    EXPECT_EQ(many.At(7, 5), fixtures::QuadrantColour(7, 5, 8, 6, BmpLayout::Palette8));
}

}  // namespace
}  // namespace mirulane
