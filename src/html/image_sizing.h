#pragma once
// How a picture of a known pixel size is shown on a page: scaled by a percentage, fitted into
// a box, or at its original size. Detail-page pictures and list-page thumbnails share these
// rules, so a thumbnail and its picture always agree on rounding.

#include <cstdint>
#include <string>

#include "album/page_style.h"

namespace mirulane {

// The size to show (0 where nothing is to be written) and the percentage it represents.
struct ShownSize {
    int width = 0;
    int height = 0;
    double percent = 100.0;
    bool original = false;  // shown at its own size, written as a plain "100%"
};

// width × percent / 100 and height × percent / 100 in floating point, truncated toward zero.
ShownSize ScaleSize(uint32_t width, uint32_t height, int percent);

// Fits a picture of width × height (both at least 1) into a box of boxWidth × boxHeight:
// - both sides positive: the smaller of the two side ratios, each rounded to single
//   precision, multiplies both sides (pictures smaller than the box are enlarged);
// - one side positive: that side is met, the other follows in integer arithmetic;
// - no side positive: the original size.
ShownSize FitSize(uint32_t width, uint32_t height, int boxWidth, int boxHeight);

// The original size at 100 percent.
ShownSize OriginalSize(uint32_t width, uint32_t height);

// The size for a page's size mode (a value outside the modes: the original size).
ShownSize SizeForMode(SizeMode mode, int scalePercent, int boxWidth, int boxHeight, uint32_t width,
                      uint32_t height);

// The alternative text of a picture of known size, "58.7%表示 (原寸:160x120)" (CP932);
// original size is written "100%表示 (原寸:...)" without a decimal.
std::string SizeAltText(const ShownSize& shown, uint32_t width, uint32_t height);

}  // namespace mirulane
