#pragma once
// The list font as the profile stores it: the fourteen fields of a Windows logical-font
// record, mapped to and from QFont. Fields Qt has no use for are carried unchanged.

#include <QFont>
#include <QString>

namespace mirulane::ui {

struct LogFont {
    int height = -12;  // negative: character height in pixels at 96 dpi; 0: default size
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;  // 100..900, 0: default
    unsigned char italic = 0;
    unsigned char underline = 0;
    unsigned char strikeOut = 0;
    unsigned char charSet = 128;
    unsigned char outPrecision = 0;
    unsigned char clipPrecision = 0;
    unsigned char quality = 0;
    unsigned char pitchAndFamily = 0;
    QString faceName = QStringLiteral("MS UI Gothic");

    bool operator==(const LogFont&) const = default;
};

// The font the list shows for a stored description. A face the system lacks falls back to
// a font that has Japanese glyphs.
QFont ToQFont(const LogFont& lf);

// The description of a font chosen in the font dialog; the fields a QFont does not carry
// (width, escapement, character set, precisions, quality) come from previous.
LogFont FromQFont(const QFont& font, const LogFont& previous);

}  // namespace mirulane::ui
