#include "imaging/bmp_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "imaging/byte_reads.h"

namespace mirulane {
namespace {

using bytes::Has;
using bytes::Le16;
using bytes::Le32;
using bytes::U8;

constexpr size_t kFileHeader = 14;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kRle8 = 1;
constexpr uint32_t kRle4 = 2;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kAlphaBitFields = 6;

BmpStatus Fail(BmpStatus status, std::string& detail, const char* what) {
    detail = what;
    return status;
}

// A mask is a run of set bits (or none).
bool Contiguous(uint32_t mask) {
    if (mask == 0) return true;
    const uint32_t shifted = mask >> std::countr_zero(mask);
    return (shifted & (shifted + 1)) == 0;
}

// One colour channel of a 16 or 32-bit pixel, widened or narrowed to 8 bits.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        bits = std::popcount(m);
    }
    uint8_t Of(uint32_t pixel) const {
        if (bits == 0) return 0;
        const uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return static_cast<uint8_t>(v >> (bits - 8));
        const uint32_t max = (1u << bits) - 1;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

// Where decoded pixels go: row y counts from the top of the picture.
class Canvas {
  public:
    Canvas(const BmpHeader& h, uint8_t* out) : h_(h), out_(out) {}
    uint8_t* Pixel(uint32_t x, uint32_t y) const {
        return out_ + (static_cast<size_t>(y) * h_.width + x) * h_.bands;
    }
    // Row y of the file (which counts from the bottom unless the picture is top-down).
    uint32_t FromFileRow(uint32_t fileRow) const {
        return h_.topDown ? fileRow : h_.height - 1 - fileRow;
    }
    void Index(uint32_t x, uint32_t y, uint32_t index) const {
        std::memcpy(Pixel(x, y), h_.palette[index & 0xFF].data(), 3);
        if (h_.bands == 4) Pixel(x, y)[3] = 255;
    }

  private:
    const BmpHeader& h_;
    uint8_t* out_;
};

BmpStatus DecodeUncompressed(std::string_view b, const BmpHeader& h, const Canvas& canvas,
                             std::string& detail) {
    const uint64_t rowBits = static_cast<uint64_t>(h.width) * h.bitsPerPixel;
    const uint64_t stride = (rowBits + 31) / 32 * 4;
    const uint64_t lastRow = (rowBits + 7) / 8;
    // Every row must be there; the last needs no padding.
    if ((h.height - 1) > b.size() / stride ||
        !Has(b, h.pixelOffset, stride * (h.height - 1) + lastRow)) {
        return Fail(BmpStatus::Damaged, detail, "BMP pixel data is cut short");
    }
    const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]), alpha(h.masks[3]);
    for (uint32_t fileRow = 0; fileRow < h.height; ++fileRow) {
        const size_t at = h.pixelOffset + static_cast<size_t>(stride) * fileRow;
        const uint32_t y = canvas.FromFileRow(fileRow);
        switch (h.bitsPerPixel) {
            case 1:
                for (uint32_t x = 0; x < h.width; ++x)
                    canvas.Index(x, y, U8(b, at + x / 8) >> (7 - x % 8) & 1);
                break;
            case 4:
                for (uint32_t x = 0; x < h.width; ++x)
                    canvas.Index(x, y, U8(b, at + x / 2) >> (x % 2 ? 0 : 4) & 0xF);
                break;
            case 8:
                for (uint32_t x = 0; x < h.width; ++x) canvas.Index(x, y, U8(b, at + x));
                break;
            case 24:
                for (uint32_t x = 0; x < h.width; ++x) {
                    uint8_t* p = canvas.Pixel(x, y);
                    const size_t s = at + static_cast<size_t>(x) * 3;
                    p[0] = static_cast<uint8_t>(U8(b, s + 2));
                    p[1] = static_cast<uint8_t>(U8(b, s + 1));
                    p[2] = static_cast<uint8_t>(U8(b, s));
                }
                break;
            default:  // 16 and 32 bits, by their masks
                for (uint32_t x = 0; x < h.width; ++x) {
                    const uint32_t v = h.bitsPerPixel == 16
                                           ? Le16(b, at + static_cast<size_t>(x) * 2)
                                           : Le32(b, at + static_cast<size_t>(x) * 4);
                    uint8_t* p = canvas.Pixel(x, y);
                    p[0] = red.Of(v);
                    p[1] = green.Of(v);
                    p[2] = blue.Of(v);
                    if (h.bands == 4) p[3] = alpha.Of(v);
                }
                break;
        }
    }
    return BmpStatus::Ok;
}

// RLE8 and RLE4: runs of one index (two alternating ones for RLE4), literal runs, line ends,
// jumps and the end mark, bottom row first. Pixels no code reaches keep palette entry 0;
// codes that reach past the right or top edge draw nothing there.
BmpStatus DecodeRle(std::string_view b, const BmpHeader& h, const Canvas& canvas,
                    std::string& detail) {
    const bool four = h.compression == kRle4;
    for (uint32_t y = 0; y < h.height; ++y)
        for (uint32_t x = 0; x < h.width; ++x) canvas.Index(x, y, 0);
    uint64_t x = 0;
    uint64_t y = 0;  // file row
    size_t p = h.pixelOffset;
    auto put = [&](uint32_t index) {
        if (x < h.width && y < h.height) canvas.Index(x, canvas.FromFileRow(y), index);
        ++x;
    };
    while (y < h.height) {
        if (!Has(b, p, 2)) {
            return Fail(BmpStatus::Damaged, detail, "BMP RLE data ends before its end mark");
        }
        const uint32_t count = U8(b, p);
        const uint32_t value = U8(b, p + 1);
        p += 2;
        if (count > 0) {
            const uint32_t n = x < h.width ? std::min<uint32_t>(count, h.width - x) : 0;
            for (uint32_t i = 0; i < n; ++i) put(four ? (i % 2 ? value & 0xF : value >> 4) : value);
            x += count - n;
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            return BmpStatus::Ok;
        } else if (value == 2) {  // jump right and up
            if (!Has(b, p, 2)) {
                return Fail(BmpStatus::Damaged, detail, "BMP RLE data ends inside a jump");
            }
            x += U8(b, p);
            y += U8(b, p + 1);
            p += 2;
        } else {  // a literal run of `value` indices, padded to a 16-bit boundary
            const size_t length = four ? (value + 1) / 2 : value;
            if (!Has(b, p, length)) {
                return Fail(BmpStatus::Damaged, detail, "BMP RLE data ends inside a run");
            }
            for (uint32_t i = 0; i < value; ++i) {
                const uint32_t byte = U8(b, p + (four ? i / 2 : i));
                put(four ? (i % 2 ? byte & 0xF : byte >> 4) : byte);
            }
            p += length + length % 2;
        }
    }
    return BmpStatus::Ok;  // every row drawn; an end mark after them changes nothing
}

}  // namespace

BmpStatus ReadBmpHeader(std::string_view b, BmpHeader& h, std::string& detail) {
    h = BmpHeader{};
    if (!Has(b, 0, 2) || b[0] != 'B' || b[1] != 'M') {
        return Fail(BmpStatus::NotBmp, detail, "not a BMP file");
    }
    if (!Has(b, kFileHeader, 4)) return Fail(BmpStatus::Damaged, detail, "BMP header cut short");
    const uint32_t infoSize = Le32(b, kFileHeader);
    if (infoSize != 12 && (infoSize < 16 || infoSize > 124)) {
        return Fail(BmpStatus::Damaged, detail, "BMP header of an unknown size");
    }
    if (!Has(b, kFileHeader, infoSize)) {
        return Fail(BmpStatus::Damaged, detail, "BMP header cut short");
    }
    const size_t info = kFileHeader;
    uint32_t colours = 0;
    size_t paletteEntry = 4;
    size_t paletteAt = info + infoSize;
    if (infoSize == 12) {  // OS/2 1.x: 16-bit sizes, 3-byte palette entries
        h.width = Le16(b, info + 4);
        h.height = Le16(b, info + 6);
        h.bitsPerPixel = static_cast<int>(Le16(b, info + 10));
        paletteEntry = 3;
    } else {
        const int32_t width = static_cast<int32_t>(Le32(b, info + 4));
        const int32_t height = static_cast<int32_t>(Le32(b, info + 8));
        h.bitsPerPixel = static_cast<int>(Le16(b, info + 14));
        if (infoSize >= 20) h.compression = Le32(b, info + 16);
        if (infoSize >= 36) colours = Le32(b, info + 32);
        if (width <= 0 || height == INT32_MIN) {
            return Fail(BmpStatus::Damaged, detail, "BMP size out of range");
        }
        h.width = static_cast<uint32_t>(width);
        h.topDown = height < 0;
        h.height = static_cast<uint32_t>(height < 0 ? -height : height);
        // OS/2 2.x (64 bytes) numbers its Huffman and RLE24 codes where Windows has bit fields.
        if (infoSize == 64 && (h.compression == 3 || h.compression == 4)) {
            return Fail(BmpStatus::Unsupported, detail, "OS/2 BMP compression not decoded");
        }
    }
    if (h.width == 0 || h.height == 0) return Fail(BmpStatus::Damaged, detail, "BMP of no pixels");

    switch (h.bitsPerPixel) {
        case 1:
        case 4:
        case 8:
        case 16:
        case 24:
        case 32:
            break;
        default:
            return Fail(BmpStatus::Unsupported, detail, "BMP bit depth not decoded");
    }
    switch (h.compression) {
        case kRgb:
            break;
        case kRle8:
        case kRle4:
            if (h.bitsPerPixel != (h.compression == kRle8 ? 8 : 4)) {
                return Fail(BmpStatus::Damaged, detail, "BMP RLE code for another bit depth");
            }
            if (h.topDown) return Fail(BmpStatus::Damaged, detail, "BMP RLE picture top-down");
            break;
        case kBitFields:
        case kAlphaBitFields:
            if (h.bitsPerPixel != 16 && h.bitsPerPixel != 32) {
                return Fail(BmpStatus::Damaged, detail, "BMP bit fields for another bit depth");
            }
            break;
        default:
            return Fail(BmpStatus::Unsupported, detail, "BMP compression not decoded");
    }

    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        const size_t count = h.compression == kAlphaBitFields ? 4 : 3;
        size_t at = info + 40;
        if (infoSize < 52) {  // the masks follow a 40-byte header
            at = info + infoSize;
            paletteAt += count * 4;
        }
        if (!Has(b, at, count * 4)) return Fail(BmpStatus::Damaged, detail, "BMP masks cut short");
        for (size_t i = 0; i < count; ++i) h.masks[i] = Le32(b, at + i * 4);
        if (count == 3 && infoSize >= 56) h.masks[3] = Le32(b, info + 52);
        const uint32_t limit = h.bitsPerPixel == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        for (uint32_t m : h.masks) {
            if (!Contiguous(m) || (m & ~limit) != 0) {
                return Fail(BmpStatus::Damaged, detail, "BMP mask out of range");
            }
        }
        if ((h.masks[0] | h.masks[1] | h.masks[2]) == 0) {
            return Fail(BmpStatus::Damaged, detail, "BMP masks empty");
        }
    } else if (h.bitsPerPixel == 16) {
        h.masks = {0x7C00, 0x03E0, 0x001F, 0};
    } else if (h.bitsPerPixel == 32) {
        h.masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
    }
    h.bands = h.masks[3] != 0 ? 4 : 3;

    h.pixelOffset = Le32(b, 10);
    if (h.bitsPerPixel <= 8) {
        const uint32_t most = 1u << h.bitsPerPixel;
        uint32_t n = colours == 0 || colours > most ? most : colours;
        // Writers of short palettes (OS/2 ones above all) say so only by where the pixels start.
        if (h.pixelOffset > paletteAt) {
            n = static_cast<uint32_t>(
                std::min<size_t>(n, (h.pixelOffset - paletteAt) / paletteEntry));
        }
        if (!Has(b, paletteAt, n * paletteEntry)) {
            return Fail(BmpStatus::Damaged, detail, "BMP palette cut short");
        }
        for (uint32_t i = 0; i < n; ++i) {
            const size_t at = paletteAt + i * paletteEntry;
            h.palette[i] = {static_cast<uint8_t>(U8(b, at + 2)),
                            static_cast<uint8_t>(U8(b, at + 1)), static_cast<uint8_t>(U8(b, at))};
        }
    }
    if (h.pixelOffset < info + infoSize || h.pixelOffset >= b.size()) {
        return Fail(BmpStatus::Damaged, detail, "BMP pixel data out of the file");
    }
    return BmpStatus::Ok;
}

BmpStatus DecodeBmpPixels(std::string_view b, const BmpHeader& h, uint8_t* out,
                          std::string& detail) {
    const Canvas canvas(h, out);
    const BmpStatus status = h.compression == kRle8 || h.compression == kRle4
                                 ? DecodeRle(b, h, canvas, detail)
                                 : DecodeUncompressed(b, h, canvas, detail);
    if (status != BmpStatus::Ok || h.bands != 4) return status;
    const size_t n = static_cast<size_t>(h.width) * h.height;
    for (size_t i = 0; i < n; ++i)
        if (out[i * 4 + 3] != 0) return BmpStatus::Ok;
    for (size_t i = 0; i < n; ++i) out[i * 4 + 3] = 255;
    return BmpStatus::Ok;
}

}  // namespace mirulane
