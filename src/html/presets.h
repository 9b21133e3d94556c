#pragma once
// The built-in template catalogues: 17 detail presets and 5 list presets, each list preset in
// a vertical variant (list frame as a column) and a horizontal one (list frame as a row).
// Preset texts are CP932, every line (the last one too) ends with LF.

#include <string>

namespace mirulane {

inline constexpr int kDefaultDetailPreset = 1;
inline constexpr int kDefaultListPreset = 0;

// Names as shown in the preset lists, CP932. An index outside the catalogue gives "".
std::string DetailPresetName(int index);
std::string ListPresetName(int index);

// Preset texts. An index outside the catalogue gives the default preset.
std::string DetailPreset(int index);
std::string ListPreset(int index, bool horizontal);

}  // namespace mirulane
