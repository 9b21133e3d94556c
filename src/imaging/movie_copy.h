#pragma once
// What today's browsers play, and a playable copy of a movie they do not: H.264 video and AAC
// sound in MP4, made with FFmpeg's libraries under the rules for untrusted input.

#include <atomic>
#include <string>
#include <string_view>

#include "imaging/movie_input.h"

namespace mirulane {

// What a movie holds, read from its container without decoding it.
struct MovieFacts {
    ThumbnailProblem problem = ThumbnailProblem::None;
    std::string detail;  // why, when problem is not None (UTF-8, for logs)
    std::string videoCodec;
    // True when a browser of today plays the file as it is: H.264 (8-bit 4:2:0), VP9 or AV1 in
    // MP4 or QuickTime, or VP8, VP9 or AV1 in WebM, with sound it plays too (or none).
    bool playable = false;
};
MovieFacts ProbeMovie(std::string_view path, const MovieLimits& limits = MovieLimits{});

struct MovieCopy {
    bool ok = false;
    bool cancelled = false;    // `stop` was set
    bool writeFailed = false;  // the copy's file could not be written (`detail` says why)
    ThumbnailProblem problem = ThumbnailProblem::None;
    std::string detail;  // why not, when !ok (UTF-8, for logs)
};

// Writes a playable copy of the movie at `path` (CP932) into the existing file `outSystemPath`
// (a new temporary file the caller puts in place, a system path): H.264 video at the clip's
// size (its longer side at most limits.maxCopySide, each side even) with its display turn
// kept, AAC sound when the clip has sound, in MP4 with its index at the front so that a page
// can start playing before the whole file has come. Stops when `stop` is set, and when the
// time the limits give a clip of its length has passed.
MovieCopy MakePlayableCopy(std::string_view path, const std::string& outSystemPath,
                           const MovieLimits& limits = MovieLimits{},
                           const std::atomic<bool>* stop = nullptr);

}  // namespace mirulane
