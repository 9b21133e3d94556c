#pragma once
// The top page index.html, a two-frame frameset of the list page and the first detail page,
// and the optional autorun.inf beside it.

#include <optional>
#include <string>

#include "html/page_file.h"

namespace mirulane {

struct Album;
class PageNames;
struct PageStyle;

// Frame names; the detail frame is also the link target of the list page's entries.
inline constexpr const char* kListFrameName = "list";
inline constexpr const char* kDetailFrameName = "detail";

// The list frame's source: RelativeLink(TopFolder, ListFolder) + "list.html".
std::string ListFrameSource(const PageStyle& style);
// The detail frame's source: the first detail page relative to TopFolder, or "about:blank"
// for an album without pages.
std::string DetailFrameSource(const Album& album, const PageNames& pages);

// The text of index.html (LF line ends), or nullopt when TopStyle is not one of the four frame
// layouts (without frames index.html is the list page: WriteListAsTopPage).
std::optional<std::string> TopPageText(const Album& album, const PageNames& pages);

// TopFolder with a separator + "index.html": what the front end opens in the browser.
std::string IndexHtmlPath(const PageStyle& style);

// Writes index.html into TopFolder. Written also when index.html already holds what would be
// written; Written with TopStyleUnknown when TopStyle is none of the layouts (the file is then
// empty). Kept: the user kept the existing index.html. Failed: TopFolderNotMade,
// TopPageNotWritten or OutputIsPicture.
StepOutcome WriteTopPage(const Album& album, const PageNames& pages, PageOutput& out);

// Writes autorun.inf beside index.html when MakeAutorun is on (Written without it). The top-page
// step writes it once index.html is written, never when the user kept index.html. Failed:
// AutorunNotWritten or OutputIsPicture.
StepOutcome WriteAutorun(const PageStyle& style, PageOutput& out);

}  // namespace mirulane
