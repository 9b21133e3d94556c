#include "imaging/picture_check.h"

#include <algorithm>

#include "imaging/bmp_decoder.h"
#include "imaging/byte_reads.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

using bytes::Be16;
using bytes::Be32;
using bytes::Has;
using bytes::Le16;
using bytes::U8;

PictureHeader Refuse(ThumbnailProblem problem, std::string detail) {
    PictureHeader h;
    h.problem = problem;
    h.detail = std::move(detail);
    return h;
}

// The declared size against the budget of a streaming decoder; `held` is what a decoder that
// keeps the whole picture would hold (0 for one that streams).
PictureHeader Sized(uint64_t width, uint64_t height, uint64_t held, const PictureBudget& budget) {
    if (width == 0 || height == 0) return Refuse(ThumbnailProblem::Damaged, "declares no pixels");
    if (width > budget.side || height > budget.side || width * height > budget.pixels ||
        held > budget.heldBytes) {
        return Refuse(ThumbnailProblem::TooLarge,
                      Format("declares %llux%llu pixels, over the budget",
                             static_cast<unsigned long long>(width),
                             static_cast<unsigned long long>(height)));
    }
    PictureHeader h;
    h.width = static_cast<uint32_t>(width);
    h.height = static_cast<uint32_t>(height);
    return h;
}

// JPEG: the markers up to the first scan. Baseline and extended Huffman or arithmetic JPEG
// decode row by row; progressive JPEG, and sequential JPEG whose first scan lacks a component
// (more scans follow), hold every DCT coefficient of the picture until its last scan.
PictureHeader CheckJpeg(std::string_view b, const PictureBudget& budget) {
    if (!Has(b, 0, 3) || U8(b, 0) != 0xFF || U8(b, 1) != 0xD8 || U8(b, 2) != 0xFF) {
        return Refuse(ThumbnailProblem::NotItsKind, "does not start as a JPEG file");
    }
    size_t p = 2;
    int sof = 0;
    uint32_t width = 0, height = 0, components = 0;
    uint32_t sampling[4][2] = {};
    for (;;) {
        if (!Has(b, p, 1) || U8(b, p) != 0xFF) {
            return Refuse(ThumbnailProblem::Damaged, "JPEG markers broken before the first scan");
        }
        while (Has(b, p, 1) && U8(b, p) == 0xFF) ++p;
        if (!Has(b, p, 1)) return Refuse(ThumbnailProblem::Damaged, "JPEG cut short");
        const uint32_t marker = U8(b, p++);
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (marker == 0xD9) return Refuse(ThumbnailProblem::Damaged, "JPEG ends before a scan");
        if (!Has(b, p, 2)) return Refuse(ThumbnailProblem::Damaged, "JPEG cut short");
        const size_t length = Be16(b, p);
        if (length < 2 || !Has(b, p, length)) {
            return Refuse(ThumbnailProblem::Damaged, "JPEG segment cut short");
        }
        const bool isSof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isSof && sof == 0) {
            if (length < 8) return Refuse(ThumbnailProblem::Damaged, "JPEG frame header cut short");
            sof = static_cast<int>(marker);
            const uint32_t precision = U8(b, p + 2);
            height = Be16(b, p + 3);
            width = Be16(b, p + 5);
            components = U8(b, p + 7);
            if (components == 0 || components > 4 || length < 8 + 3 * components) {
                return Refuse(ThumbnailProblem::Damaged, "JPEG frame header out of range");
            }
            for (uint32_t i = 0; i < components; ++i) {
                const uint32_t factors = U8(b, p + 8 + 3 * i + 1);
                sampling[i][0] = factors >> 4;
                sampling[i][1] = factors & 0xF;
                if (sampling[i][0] < 1 || sampling[i][0] > 4 || sampling[i][1] < 1 ||
                    sampling[i][1] > 4) {
                    return Refuse(ThumbnailProblem::Damaged, "JPEG sampling out of range");
                }
            }
            // Lossless and hierarchical JPEG, and 12-bit samples, are not decoded here.
            const bool sequential = sof == 0xC0 || sof == 0xC1 || sof == 0xC9;
            const bool progressive = sof == 0xC2 || sof == 0xCA;
            if ((!sequential && !progressive) || precision != 8) {
                return Refuse(
                    ThumbnailProblem::NotDecodable,
                    Format("JPEG variant not decoded (SOF%d, %u-bit)", sof - 0xC0, precision));
            }
        }
        if (marker == 0xDA) {
            if (sof == 0 || length < 3) {
                return Refuse(ThumbnailProblem::Damaged, "JPEG scan before its frame header");
            }
            const bool wholeHeld = sof == 0xC2 || sof == 0xCA || U8(b, p + 2) < components;
            uint64_t held = 0;
            if (wholeHeld) {
                uint32_t hMax = 1, vMax = 1;
                for (uint32_t i = 0; i < components; ++i) {
                    hMax = std::max(hMax, sampling[i][0]);
                    vMax = std::max(vMax, sampling[i][1]);
                }
                // 8 × 8 blocks of 2-byte coefficients per component, in whole MCUs.
                for (uint32_t i = 0; i < components; ++i) {
                    const uint64_t mcuW = 8ull * hMax, mcuH = 8ull * vMax;
                    const uint64_t blocksW = (width + mcuW - 1) / mcuW * sampling[i][0];
                    const uint64_t blocksH = (height + mcuH - 1) / mcuH * sampling[i][1];
                    held += blocksW * blocksH * 64 * 2;
                }
            }
            return Sized(width, height, held, budget);
        }
        p += length;
    }
}

// PNG: the signature and IHDR. Interlaced pictures are decoded whole into memory.
PictureHeader CheckPng(std::string_view b, const PictureBudget& budget) {
    if (b.substr(0, 8) != std::string_view("\x89PNG\r\n\x1A\n", 8)) {
        return Refuse(ThumbnailProblem::NotItsKind, "does not start as a PNG file");
    }
    if (!Has(b, 8, 25) || Be32(b, 8) != 13 || b.substr(12, 4) != "IHDR") {
        return Refuse(ThumbnailProblem::Damaged, "PNG header missing or cut short");
    }
    const uint32_t width = Be32(b, 16);
    const uint32_t height = Be32(b, 20);
    const uint32_t depth = U8(b, 24);
    const uint32_t colour = U8(b, 25);
    const uint32_t interlace = U8(b, 28);
    int channels = 0;
    bool depthFits = false;
    switch (colour) {
        case 0:  // grey
            channels = 1;
            depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
            break;
        case 3:  // palette, expanded to RGB (with alpha from tRNS)
            channels = 4;
            depthFits = depth == 1 || depth == 2 || depth == 4 || depth == 8;
            break;
        case 2:
        case 4:
        case 6:
            channels = colour == 2 ? 3 : colour == 4 ? 2 : 4;
            depthFits = depth == 8 || depth == 16;
            break;
        default:
            break;
    }
    if (!depthFits || interlace > 1 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        return Refuse(ThumbnailProblem::Damaged, "PNG header out of range");
    }
    const uint64_t held =
        interlace ? uint64_t{width} * height * channels * (depth == 16 ? 2 : 1) : 0;
    return Sized(width, height, held, budget);
}

// Steps over GIF data sub-blocks from p; false when they run past the end.
bool SkipSubBlocks(std::string_view b, size_t& p) {
    for (;;) {
        if (!Has(b, p, 1)) return false;
        const size_t n = U8(b, p++);
        if (n == 0) return true;
        if (!Has(b, p, n)) return false;
        p += n;
    }
}

// GIF: the logical screen, whose whole canvas the decoder holds (4 bytes a pixel), and every
// frame, none of which may reach past it (a decoder would grow its canvas to fit).
PictureHeader CheckGif(std::string_view b, const PictureBudget& budget) {
    if (b.substr(0, 6) != "GIF87a" && b.substr(0, 6) != "GIF89a") {
        return Refuse(ThumbnailProblem::NotItsKind, "does not start as a GIF file");
    }
    if (!Has(b, 6, 7)) return Refuse(ThumbnailProblem::Damaged, "GIF header cut short");
    const uint32_t width = Le16(b, 6);
    const uint32_t height = Le16(b, 8);
    PictureHeader screen = Sized(width, height, uint64_t{width} * height * 4, budget);
    if (screen.problem != ThumbnailProblem::None) return screen;
    size_t p = 13;
    const uint32_t flags = U8(b, 10);
    if (flags & 0x80) p += size_t{3} << ((flags & 7) + 1);
    // A file cut short ends the walk: the decoder draws what is there, within the screen.
    while (Has(b, p, 1)) {
        const uint32_t block = U8(b, p++);
        if (block == 0x3B) break;  // trailer
        if (block == 0x21) {       // extension: label, then sub-blocks
            ++p;
            if (!SkipSubBlocks(b, p)) break;
        } else if (block == 0x2C) {  // image descriptor
            if (!Has(b, p, 9)) break;
            const uint64_t right = uint64_t{Le16(b, p)} + Le16(b, p + 4);
            const uint64_t bottom = uint64_t{Le16(b, p + 2)} + Le16(b, p + 6);
            if (right > width || bottom > height) {
                const uint64_t w = std::max<uint64_t>(right, width);
                const uint64_t h = std::max<uint64_t>(bottom, height);
                PictureHeader grown = Sized(w, h, w * h * 4, budget);
                return grown.problem != ThumbnailProblem::None
                           ? grown
                           : Refuse(ThumbnailProblem::Damaged, "GIF frame outside its screen");
            }
            const uint32_t frameFlags = U8(b, p + 8);
            p += 9;
            if (frameFlags & 0x80) p += size_t{3} << ((frameFlags & 7) + 1);
            ++p;  // LZW minimum code size
            if (!SkipSubBlocks(b, p)) break;
        } else {
            return Refuse(ThumbnailProblem::Damaged, "GIF block of an unknown kind");
        }
    }
    return screen;
}

PictureHeader CheckBmp(std::string_view b, const PictureBudget& budget) {
    BmpHeader header;
    std::string detail;
    switch (ReadBmpHeader(b, header, detail)) {
        case BmpStatus::Ok:
            break;
        case BmpStatus::NotBmp:
            return Refuse(ThumbnailProblem::NotItsKind, "does not start as a BMP file");
        case BmpStatus::Damaged:
            return Refuse(ThumbnailProblem::Damaged, detail);
        case BmpStatus::Unsupported:
            return Refuse(ThumbnailProblem::NotDecodable, detail);
    }
    return Sized(header.width, header.height, uint64_t{header.width} * header.height * header.bands,
                 budget);
}

}  // namespace

PictureKind PictureKindOfName(std::string_view path) {
    const std::string name = LastComponent(path);
    const size_t dot = name.rfind('.');
    if (dot == std::string::npos) return PictureKind::Unknown;
    const std::string ext = AsciiLower(std::string_view(name).substr(dot + 1));
    if (ext == "jpg" || ext == "jpeg") return PictureKind::Jpeg;
    if (ext == "png") return PictureKind::Png;
    if (ext == "gif") return PictureKind::Gif;
    if (ext == "bmp") return PictureKind::Bmp;
    if (ext == "tif") return PictureKind::Tiff;
    return PictureKind::Unknown;
}

PictureHeader CheckPictureHeader(PictureKind kind, std::string_view b,
                                 const PictureBudget& budget) {
    switch (kind) {
        case PictureKind::Jpeg:
            return CheckJpeg(b, budget);
        case PictureKind::Png:
            return CheckPng(b, budget);
        case PictureKind::Gif:
            return CheckGif(b, budget);
        case PictureKind::Bmp:
            return CheckBmp(b, budget);
        case PictureKind::Tiff:
            if (b.substr(0, 4) != std::string_view("II*\0", 4) &&
                b.substr(0, 4) != std::string_view("MM\0*", 4)) {
                return Refuse(ThumbnailProblem::NotItsKind, "does not start as a TIFF file");
            }
            return Refuse(ThumbnailProblem::NotDecodable, "TIFF pictures are not decoded");
        case PictureKind::Unknown:
            break;
    }
    return Refuse(ThumbnailProblem::NotDecodable, "not a picture kind that is decoded");
}

}  // namespace mirulane
