#pragma once
// Makes a JPEG thumbnail from a picture file (JPEG, PNG, GIF or BMP) for the pictures that
// carry no thumbnail of their own. Safe to call from several threads at once.
//
// Every picture is treated as hostile: it is decoded only as the kind its name says, after
// its leading bytes agree; its declared size is checked against a budget before any decoder
// sees it; decoding is stopped after a time limit; only the JPEG, PNG and GIF loaders of
// libvips, which are made for untrusted input, may run (every other loader is blocked), and
// BMP is decoded by our own code. No picture can start a program.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "imaging/picture_check.h"
#include "imaging/thumbnail_problem.h"

namespace mirulane {

struct MadeThumbnail {
    bool ok = false;
    std::string jpeg;                                   // the thumbnail file's bytes, when ok
    ThumbnailProblem problem = ThumbnailProblem::None;  // why not, when !ok
    std::string error;  // a detail of why not, for logs (UTF-8, not for the user)
};

// Sets up the picture decoders, once per process: call it on the main thread when the program
// starts, before any thread makes a thumbnail (MakeThumbnailJpeg starts them itself when no
// one did, but the decoders' process-wide state is best set up before other threads run).
// False when they cannot be started; every thumbnail then fails as NotDecodable.
bool StartPictureDecoding();

// What a picture may cost.
struct PictureLimits {
    PictureBudget budget;
    uint64_t maxFileBytes = 256u << 20;      // larger files are refused rather than read whole
    std::chrono::milliseconds time{60'000};  // no real photo comes near it
};

// The picture at path (CP932), scaled down to fit boxWidth × boxHeight with its proportions
// kept, turned upright by its Exif Orientation, and encoded as a baseline JPEG without
// metadata. A picture that already fits keeps its size (it is never enlarged); transparent
// parts become white. A file that cannot be read or decoded gives !ok with the problem.
MadeThumbnail MakeThumbnailJpeg(std::string_view path, int boxWidth, int boxHeight);

// The same within other limits (the tests' way to reach the time limit).
MadeThumbnail MakeThumbnailJpegWithin(std::string_view path, int boxWidth, int boxHeight,
                                      const PictureLimits& limits);

// Encodes packed 8-bit RGB pixels (width × height, no padding between rows) as a thumbnail
// file, as the pictures' thumbnails are encoded: a movie's poster frame, say.
MadeThumbnail EncodeRgbThumbnail(const uint8_t* rgb, int width, int height);

}  // namespace mirulane
