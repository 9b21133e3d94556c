#pragma once
// The built-in template catalogues: 17 detail presets and 5 list presets, each list preset in
// a vertical variant (list frame as a column) and a horizontal one (list frame as a row).
// Preset texts are CP932, every line (the last one too) ends with LF.

#include <string>
#include <string_view>

namespace mirulane {

inline constexpr int kDefaultDetailPreset = 1;
inline constexpr int kDefaultListPreset = 0;

// Names as shown in the preset lists, CP932. An index outside the catalogue gives "".
std::string DetailPresetName(int index);
std::string ListPresetName(int index);

// Preset texts. An index outside the catalogue gives the default preset.
std::string DetailPreset(int index);
std::string ListPreset(int index, bool horizontal);

// The presets of the layout without frames (TopLayout::NoFrames), whatever ListPreset and
// DetailPreset say: a list that reflows as a grid of thumbnails, and a detail page whose
// picture fits the screen under previous, list and next links a thumb can hit. listLink is
// the detail page's link to index.html (a link path, as LinkPath gives it).
std::string PhoneListPreset();
std::string PhoneDetailPreset(std::string_view listLink);

}  // namespace mirulane
