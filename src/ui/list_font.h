#pragma once
// The list font as the profile stores it (the settings' font record), mapped to and from
// QFont. Fields Qt has no use for are carried unchanged.

#include <QFont>
#include <optional>

#include "album/settings.h"

namespace mirulane::ui {

// The font the list shows for a stored description. A face the system lacks falls back to
// a font that has Japanese glyphs.
QFont ToQFont(const FontRecord& lf);

// The description of a font chosen in the font dialog; the fields a QFont does not carry
// (width, escapement, character set, precisions, quality) come from previous. nullopt when
// the font's name has a character Shift-JIS cannot hold.
std::optional<FontRecord> FromQFont(const QFont& font, const FontRecord& previous);

}  // namespace mirulane::ui
