#include "ui/list_font.h"

#include <QFontInfo>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "app/text.h"
#include "ui/qt_text.h"

namespace mirulane::ui {
namespace {

// Windows measures the height in pixels of a 96 dpi screen; Qt in points.
constexpr double kPointsPerPixel = 72.0 / 96.0;
constexpr unsigned char kFixedPitch = 1;
constexpr unsigned char kPitchMask = 3;

}  // namespace

QFont ToQFont(const FontRecord& lf) {
    QFont font;
    font.setFamilies(QStringList{FromCp932(lf.faceName), QStringLiteral("Noto Sans CJK JP")});
    if (lf.height != 0) font.setPointSizeF(std::abs(lf.height) * kPointsPerPixel);
    if (lf.weight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(lf.weight, 1, 1000)));
    font.setItalic(lf.italic != 0);
    // The list has no text effects: an underline or strike-out kept in the profile is not drawn.
    if ((lf.pitchAndFamily & kPitchMask) == kFixedPitch) font.setFixedPitch(true);
    return font;
}

std::optional<FontRecord> FromQFont(const QFont& font, const FontRecord& previous) {
    std::optional<std::string> face = ToCp932(font.family());
    if (!face) return std::nullopt;
    FontRecord lf = previous;
    if (font.pointSizeF() > 0) {
        lf.height = -static_cast<int>(std::lround(font.pointSizeF() / kPointsPerPixel));
    } else if (font.pixelSize() > 0) {
        lf.height = -font.pixelSize();
    }
    lf.weight = font.weight();
    lf.italic = font.italic() ? 1 : 0;
    lf.pitchAndFamily = static_cast<unsigned char>(
        (previous.pitchAndFamily & ~kPitchMask) | (QFontInfo(font).fixedPitch() ? kFixedPitch : 0));
    lf.faceName = std::string(CutAtCharBoundary(*face, FontRecord::kFaceNameMax));
    return lf;
}

}  // namespace mirulane::ui
