#pragma once
// Output locations of an album: where its pages and thumbnails go by default, placed around a
// newly chosen target folder as the settings ask.

#include <string_view>

namespace mirulane {

struct PageStyle;
struct Settings;

// Sets TargetFolder, TopFolder, ListFolder, DetailFolder, ThumbFolder, ImageFolder and
// TopTitle from a newly chosen target folder and the settings EnvPathIdx, EnvPathLst and
// EnvPathThm. Nothing else of the style changes.
void SetDefaultFolders(PageStyle& style, std::string_view chosenTarget, const Settings& settings);

}  // namespace mirulane
