#include "html/image_sizing.h"

#include <cmath>
#include <limits>

#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {

namespace {

// Truncates toward zero into the range of int; sizes from huge headers or percentages must
// not overflow the conversion.
int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

int ClampToInt(int64_t value) {
    if (value > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

// A side ratio as the page writers have always computed it: rounded to single precision
// before it is used, which is what makes 160 × 120 in 94 × 94 come out 93 × 70.
double SingleRatio(int box, uint32_t side) {
    return static_cast<double>(static_cast<float>(static_cast<double>(box) / side));
}

}  // namespace

ShownSize ScaleSize(uint32_t width, uint32_t height, int percent) {
    ShownSize s;
    s.width = TruncToInt(static_cast<double>(width) * percent / 100.0);
    s.height = TruncToInt(static_cast<double>(height) * percent / 100.0);
    s.percent = percent;
    return s;
}

ShownSize FitSize(uint32_t width, uint32_t height, int boxWidth, int boxHeight) {
    if (width < 1 || height < 1) return ShownSize{};
    bool byWidth = boxWidth > 0;
    bool byHeight = boxHeight > 0;
    ShownSize s;
    if (byWidth && byHeight) {
        double rw = SingleRatio(boxWidth, width);
        double rh = SingleRatio(boxHeight, height);
        double ratio = rw < rh ? rw : rh;
        // The product is taken in double precision: 160 × 0.58749998 stays below 94.
        s.width = TruncToInt(width * ratio);
        s.height = TruncToInt(height * ratio);
        s.percent = ratio * 100.0;
    } else if (byWidth) {
        s.width = boxWidth;
        s.height = ClampToInt(static_cast<int64_t>(height) * boxWidth / width);
        s.percent = SingleRatio(boxWidth, width) * 100.0;
    } else if (byHeight) {
        s.height = boxHeight;
        s.width = ClampToInt(static_cast<int64_t>(width) * boxHeight / height);
        s.percent = SingleRatio(boxHeight, height) * 100.0;
    } else {
        return OriginalSize(width, height);
    }
    return s;
}

ShownSize OriginalSize(uint32_t width, uint32_t height) {
    ShownSize s;
    s.width = ClampToInt(width);
    s.height = ClampToInt(height);
    s.percent = 100.0;
    s.original = true;
    return s;
}

ShownSize SizeForMode(SizeMode mode, int scalePercent, int boxWidth, int boxHeight, uint32_t width,
                      uint32_t height) {
    switch (mode) {
        case SizeMode::Scale:
            return ScaleSize(width, height, scalePercent);
        case SizeMode::Fit:
            return FitSize(width, height, boxWidth, boxHeight);
        default:
            return OriginalSize(width, height);
    }
}

std::string SizeAltText(const ShownSize& shown, uint32_t width, uint32_t height) {
    // Converted once: generation forms this text for every entry.
    static const std::string kOriginal = Sj("100%%表示 (原寸:%ux%u)");
    static const std::string kPercent = Sj("%.1f%%表示 (原寸:%ux%u)");
    if (shown.original) return Format(kOriginal.c_str(), width, height);
    return Format(kPercent.c_str(), shown.percent, width, height);
}

}  // namespace mirulane
