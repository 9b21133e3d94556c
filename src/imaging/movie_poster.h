#pragma once
// A movie's poster: one frame from about a second in (the first frame of a shorter clip),
// scaled down to a thumbnail box, stood upright, and encoded as the pictures' thumbnails are.
// Safe to call from several threads at once.

#include <atomic>
#include <string_view>

#include "imaging/movie_input.h"
#include "imaging/thumbnail_maker.h"

namespace mirulane {

// The poster of the movie at `path` (CP932) fitting boxWidth × boxHeight, never enlarged; the
// pixel aspect ratio and the display turn of the clip are applied. !ok with the problem when
// the clip cannot be read or decoded within the limits, or when `stop` (if given) is set.
MadeThumbnail MakeMoviePoster(std::string_view path, int boxWidth, int boxHeight,
                              const MovieLimits& limits = MovieLimits{},
                              const std::atomic<bool>* stop = nullptr);

}  // namespace mirulane
