#pragma once
// Makes a JPEG thumbnail from a picture file (JPEG, PNG, GIF or BMP) for the pictures that
// carry no thumbnail of their own. Safe to call from several threads at once.

#include <string>
#include <string_view>

namespace mirulane {

struct MadeThumbnail {
    bool ok = false;
    std::string jpeg;   // the thumbnail file's bytes, when ok
    std::string error;  // why not, when !ok (the decoder's text, UTF-8)
};

// The picture at path (CP932), scaled down to fit boxWidth × boxHeight with its proportions
// kept, turned upright by its Exif Orientation, and encoded as a baseline JPEG without
// metadata. A picture that already fits keeps its size (it is never enlarged). A file that
// cannot be read or decoded gives !ok.
MadeThumbnail MakeThumbnailJpeg(std::string_view path, int boxWidth, int boxHeight);

}  // namespace mirulane
