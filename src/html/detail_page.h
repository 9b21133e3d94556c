#pragma once
// Detail pages: one page per entry, named by the run's page names, made from the detail
// template by replacing the detail tokens with the entry's values. The same values fill the
// detail tokens in the repeat region of the list page, and the preview renders one entry's
// page with absolute folder paths.

#include <optional>
#include <string>
#include <string_view>

#include "html/page_file.h"
#include "html/page_names.h"
#include "html/tokens.h"

namespace mirulane {

struct Album;

// Page mode: links relative between the output folders. Preview mode: the target, picture and
// thumbnail links are the folders themselves (the page is shown from a temporary file).
enum class LinkMode { Page, Preview };

// The picture element of an entry (_IMAGE_): "<img ...>" sized by the detail-page options, a
// movie element with dynsrc for a movie file, or "表示できません" when no picture is found.
// The source names the file exactly as it was found on disk.
std::string BuildImageElement(const Album& album, ImageLocator& locator, int index, LinkMode mode);

// Replaces the 23 detail tokens of entry `index` (0-based) in `text` within the budget; false
// when the text would outgrow it. Each value is cut to its slot size. File names and camera
// data are escaped, links are written for the browser; the user's texts are taken as typed.
// The picture is looked up only when the text still holds the _IMAGE_ token once the tokens
// before it are replaced, so a list region without pictures does not measure every picture of
// the album.
bool FillDetailTokens(std::string& text, const Album& album, PageRun& run, int index, LinkMode mode,
                      ReplaceBudget& budget);

// The page text (LF line ends as in the template) of entry `index`, or nullopt when it would
// be larger than kPageMaxBytes.
std::optional<std::string> DetailPageText(const Album& album, PageRun& run, std::string_view templ,
                                          int index, LinkMode mode);

// Writes one page for every entry that has a page name into DetailFolder, asking before it
// replaces a page and reporting its progress entry by entry. Entries whose names cannot name a
// file are passed over and returned in one problem at the end (EntriesWithoutPages). Written
// when done (pages the user kept and entries passed over included); Failed when the folder,
// the template or a page file cannot be made or read, a page would be too large, or an
// entry's name would lead out of the folder; Cancelled at a cancel of the overwrite prompt or
// of the progress. The problems come in the order they happened: the one that ended the loop
// first, then each page that could not be put in place afterwards.
StepOutcome WriteAllDetailPages(const Album& album, PageRun& run, PageOutput& out);

}  // namespace mirulane
