#pragma once
// The list page list.html: the album's index, one file in ListFolder. The list template's
// head is written once, its repeat region once per entry that has a detail page, with the
// entry's list and detail values, and its tail once.

#include <optional>
#include <string>
#include <string_view>

#include "html/detail_page.h"
#include "html/page_file.h"
#include "html/tokens.h"

namespace mirulane {

struct Album;

// A list template cut at its repeat markers.
struct ListTemplateParts {
    std::string head;      // text before the start marker
    std::string region;    // text between the markers (one LF after the start marker dropped)
    std::string tail;      // text after the end marker (one LF after it dropped)
    bool invalid = false;  // a marker is missing
};

// Cuts a list template at its markers. Without the start marker the whole text is the head;
// without the end marker everything after the start marker is the tail. Only an LF directly
// after a marker is dropped; a CR stays.
ListTemplateParts SplitListTemplate(std::string_view text);

// The list template as the page is made from it: _CELLSPC_ replaced (anywhere in the
// template), cut to the template size, then split at the markers.
ListTemplateParts PrepareListTemplate(std::string_view templ, const PageStyle& style);

// The values of the list tokens (_DETAIL_, _TDALIGN_, _TDTEXT_, _THUMB_, _THUMBSP_) of entry
// `index`; a slot whose token is switched off stays empty, and with both thumbnail switches
// off no thumbnail is looked up. The thumbnail's source names the file as found on disk.
TokenValues BuildListValues(const Album& album, PageRun& run, int index, LinkMode mode);

// The whole list page text (LF line ends as in the template), or nullopt when it would be
// larger than kPageMaxBytes (the entries are not gone through any further once it is).
// `invalid` tells whether a repeat marker was missing; the text is then head and tail only.
std::optional<std::string> ListPageText(const Album& album, PageRun& run, std::string_view templ,
                                        LinkMode mode, bool& invalid);

// Writes the list page into `path` (text mode, replaced as a whole). Failed, with its
// problem, when a repeat marker is missing (TemplateMarkersMissing) or the page would be too
// large (ListPageTooLarge), and nothing is written; or when the page cannot be created or
// stored (ListPageNotWritten, OutputIsPicture). In page mode the file is the album's list page
// (PageRole::AlbumPage): Kept when the user kept the file there, Cancelled after a cancel at
// the overwrite prompt; otherwise it is written without asking (PageRole::Preview).
StepOutcome WriteListPage(const Album& album, PageRun& run, std::string_view templ, LinkMode mode,
                          std::string_view path, PageOutput& out);

// The list step of the generation run: template, folder, overwrite confirmation, page. Kept:
// the user kept the existing list.html. Failed: the template cannot be read or lacks a repeat
// marker, the folder cannot be created (ListFolderNotMade), or the page cannot be written.
StepOutcome WriteListPageStep(const Album& album, PageRun& run, PageOutput& out);

// The top step of the layout without frames: index.html is the list page itself, written
// like WriteListPageStep does list.html but with its links made from the top folder
// (TopFolderNotMade when that folder cannot be made).
StepOutcome WriteListAsTopPage(const Album& album, PageRun& run, PageOutput& out);

}  // namespace mirulane
