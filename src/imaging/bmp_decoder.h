#pragma once
// A BMP decoder of our own, so that no general-purpose image library ever sees a BMP file:
// Windows (INFO, V2 to V5) and OS/2 headers; uncompressed 1, 4, 8, 16, 24 and 32-bit pixels,
// bottom-up and top-down; BI_BITFIELDS (and BI_ALPHABITFIELDS); RLE8 and RLE4. Every read
// is checked against the bytes at hand.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mirulane {

enum class BmpStatus {
    Ok,
    NotBmp,       // does not start with "BM"
    Damaged,      // a BMP whose header or pixels are inconsistent or cut short
    Unsupported,  // a BMP variant not decoded here (embedded JPEG/PNG, Huffman, 2 or 64-bit)
};

struct BmpHeader {
    uint32_t width = 0;
    uint32_t height = 0;
    int bands = 3;  // of the decoded pixels: 3 (RGB) or 4 (RGBA)

    // How the pixels are stored.
    bool topDown = false;
    int bitsPerPixel = 0;
    uint32_t compression = 0;
    std::array<uint32_t, 4> masks{};  // red, green, blue, alpha of 16 and 32-bit pixels
    std::array<std::array<uint8_t, 3>, 256> palette{};  // RGB; unlisted entries are black
    size_t pixelOffset = 0;
};

// Reads and checks the header: the size, the layout, the masks and the palette. The pixel
// data is not looked at (DecodeBmpPixels checks it).
BmpStatus ReadBmpHeader(std::string_view bytes, BmpHeader& header, std::string& detail);

// Decodes the pixels into out, which holds width × height × bands bytes: rows from top to
// bottom, each pixel R, G, B (and A). A picture whose alpha is zero everywhere is given full
// alpha (writers of 32-bit pixels often leave that byte empty).
BmpStatus DecodeBmpPixels(std::string_view bytes, const BmpHeader& header, uint8_t* out,
                          std::string& detail);

}  // namespace mirulane
