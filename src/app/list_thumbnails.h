#pragma once
// Whether an album's list page shows thumbnails: then every entry needs one, and a run that
// writes the pages makes those that are missing.

namespace mirulane {

struct PageStyle;

// True when the list template (the preset, or the template file) holds _THUMB_ or _THUMBSP_
// and that token is switched on. A template file that cannot be read shows none (the page
// run reports it).
bool ListPageShowsThumbnails(const PageStyle& style);

}  // namespace mirulane
