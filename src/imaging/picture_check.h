#pragma once
// What is checked of a picture file before any decoder sees it: that its leading bytes are
// those of the kind its name says, and that the size its header declares is one the decoder
// of that kind can take within the memory a picture is given.

#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/thumbnail_problem.h"

namespace mirulane {

enum class PictureKind { Unknown, Jpeg, Png, Gif, Bmp, Tiff };

// The kind a file's name says, by its extension (any letter case): jpg and jpeg, png, gif,
// bmp, tif. Unknown for any other.
PictureKind PictureKindOfName(std::string_view path);

// How much a picture may declare. Decoders that stream (baseline JPEG, non-interlaced PNG)
// are held to a pixel count that every camera photo passes; those that hold the whole
// picture (GIF's canvas, BMP, progressive or multi-scan JPEG coefficients, interlaced PNG)
// to what that whole costs in bytes.
struct PictureBudget {
    uint64_t pixels = 250'000'000;
    uint32_t side = 65535;  // neither side longer: rows are held whole on the way
    uint64_t heldBytes = 128u << 20;
};

struct PictureHeader {
    ThumbnailProblem problem = ThumbnailProblem::None;
    std::string detail;  // why, when problem is not None (UTF-8, for logs)
    uint32_t width = 0;
    uint32_t height = 0;
};

// Checks the leading bytes of a picture of the given kind and the size its header declares.
// GIF: the logical screen and every frame, each of which must lie on the screen. TIFF is
// refused as not decodable once its leading bytes agree: its many codecs and layouts are
// more than a header check can bound. Reads nothing outside `bytes`.
PictureHeader CheckPictureHeader(PictureKind kind, std::string_view bytes,
                                 const PictureBudget& budget = {});

}  // namespace mirulane
