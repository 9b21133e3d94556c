#pragma once
// Detail pages: one page per entry, named after the entry's base name, made from the detail
// template by replacing the detail tokens with the entry's values. The same values fill the
// detail tokens in the repeat region of the list page, and the preview renders one entry's
// page with absolute folder paths.

#include <string>
#include <string_view>

#include "html/tokens.h"

namespace mirulane {

struct Album;
struct Session;
class ImageLocator;

// Page mode: links relative between the output folders. Preview mode: the target, picture and
// thumbnail links are the folders themselves (the page is shown from a temporary file).
enum class LinkMode { Page, Preview };

// The picture element of an entry (_IMAGE_): "<img ...>" sized by the detail-page options, a
// movie element with dynsrc for a movie file, or "表示できません" when no picture is found.
std::string BuildImageElement(const Album& album, ImageLocator& locator, int index, LinkMode mode);

// The values of the 23 detail tokens of entry `index` (0-based). Values are not cut here; the
// replacement cuts each to its slot size.
TokenValues BuildDetailValues(const Album& album, ImageLocator& locator, int index, LinkMode mode);

// The same values for filling one text: the picture is looked up only when `text` (the text
// about to be filled) still holds the _IMAGE_ token once the tokens before it are replaced, so
// a list region without pictures does not measure every picture of the album.
TokenValues BuildDetailValuesFor(const Album& album, ImageLocator& locator, int index,
                                 LinkMode mode, std::string_view text);

// The page text (LF line ends as in the template) of entry `index`.
std::string DetailPageText(const Album& album, ImageLocator& locator, std::string_view templ,
                           int index, LinkMode mode);

// Writes one page for every entry into DetailFolder, asking before it replaces a page. 0 when
// done (pages the user kept included); -1 when the folder or a page file cannot be created or
// an entry's name cannot name a page; -3 when the template cannot be read or a page cannot be
// written; -9 after a cancel at the overwrite prompt. Clears the overwrite-all flag when done.
int WriteAllDetailPages(Session& session, ImageLocator& locator);

}  // namespace mirulane
