#pragma once
// Makes a JPEG thumbnail from a picture file (JPEG, PNG, GIF or BMP) for the pictures that
// carry no thumbnail of their own. Safe to call from several threads at once.

#include <string>
#include <string_view>

namespace mirulane {

// Why a picture gave no thumbnail.
enum class ThumbnailProblem {
    None,
    Unreadable,    // the file cannot be read
    NotItsKind,    // its leading bytes are not those of the kind its name says
    Damaged,       // of its kind, but cut short or corrupt
    TooLarge,      // its declared size is over what a picture may cost to decode
    NotDecodable,  // anything else the decoder refused
};

struct MadeThumbnail {
    bool ok = false;
    std::string jpeg;  // the thumbnail file's bytes, when ok
    ThumbnailProblem problem = ThumbnailProblem::None;
    std::string error;  // the decoder's own text, when !ok (UTF-8, for logs)
};

// The picture at path (CP932), scaled down to fit boxWidth × boxHeight with its proportions
// kept, turned upright by its Exif Orientation, and encoded as a baseline JPEG without
// metadata. A picture that already fits keeps its size (it is never enlarged). A file that
// cannot be read or decoded gives !ok.
MadeThumbnail MakeThumbnailJpeg(std::string_view path, int boxWidth, int boxHeight);

}  // namespace mirulane
