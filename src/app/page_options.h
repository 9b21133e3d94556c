#pragma once
// What the page creation options change in an album: the number fields' rules, the reset to
// the default style (which keeps the album's places and names), and storing the edited
// options and the template options back into the album.

#include <array>
#include <string>
#include <string_view>

#include "album/page_style.h"

namespace mirulane {

struct Album;

// The value a number field of the options stands for: its leading integer (ParseLeadingInt),
// text that is not a number as 0, and never below 0 (frame sizes, margins, percentages and
// spacings have no use for negative values).
int OptionNumber(std::string_view text);

// The list preset "サムネイル＋枠＋撮影情報": thumbnails with their shooting data.
inline constexpr int kThumbnailListPreset = 4;

// The list frame's size the top page uses: its width for the layouts with the list frame in a
// column, its height for those with it in a row.
int& ListFrameSize(PageStyle& style);

// The thumbnail list preset puts the shooting data beside each thumbnail, which a list frame of
// the default 140 pixels cuts off: with that preset (not a template file) the frame grows to
// show it whole. Other styles are left as they are.
void FitListFrameToPreset(PageStyle& style);

// One spin click on a number field: its value plus steps, never below 0 (and saturating at
// the top of int instead of overflowing).
int SteppedOptionNumber(std::string_view text, int steps);

// The reset of the options dialog: the layout, the frames, the sizes, the list's texts and
// the template choices go back to their defaults; the output folders, the top page's title,
// the thumbnail and picture folders, the template file names and the chosen presets stay,
// and so does everything the dialog does not edit (target folder, legacy fields, template
// options).
void ResetPageOptions(PageStyle& style);

// OK of the options dialog: the fields the dialog edits go from edited into the album; the
// target folder, the legacy fields and the template options stay the album's (the
// replacement-strings dialog and the thumbnail extraction store theirs at once). When the
// thumbnail list preset or the layout was newly chosen and the list frame's size was left as
// it was, the frame is fitted to the preset (FitListFrameToPreset). A change marks the album
// modified. True when something changed.
bool StorePageOptions(Album& album, const PageStyle& edited);

// OK of the replacement-strings dialog: the token switches and the two link texts go into the
// album at once. A change marks the album modified, as the album list file keeps them. True
// when something changed.
bool StoreTemplateOptions(Album& album, const std::array<bool, kTokenCount>& switches,
                          std::string_view prevText, std::string_view nextText);

}  // namespace mirulane
