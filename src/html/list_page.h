#pragma once
// The list page list.html: the album's index, one file in ListFolder. The list template's
// head is written once, its repeat region once per entry with the entry's list and detail
// values, and its tail once.

#include <string>
#include <string_view>

#include "html/detail_page.h"
#include "html/tokens.h"

namespace mirulane {

struct Album;
struct Session;
class ImageLocator;

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

// The values of the list tokens (_DETAIL_, _TDALIGN_, _TDTEXT_, _THUMB_, _THUMBSP_) of entry
// `index`; a slot whose token is switched off stays empty, and with both thumbnail switches
// off no thumbnail is looked up.
TokenValues BuildListValues(const Album& album, ImageLocator& locator, int index, LinkMode mode);

// The whole list page text (LF line ends as in the template). `invalid` tells whether a
// repeat marker was missing.
std::string ListPageText(const Album& album, ImageLocator& locator, std::string_view templ,
                         LinkMode mode, bool& invalid);

// Writes the list page into `path` (text mode, replaced as a whole). 0 on success (after the
// message "テンプレートの内容が不正です" when a marker was missing: the page is still
// written); -1 when storing the page fails ("リストHTMLファイル出力エラー(1)"); -3 when the
// file cannot be created ("一覧ページを開けません (errno=%d)\n%s").
int WriteListPage(Session& session, ImageLocator& locator, std::string_view templ, LinkMode mode,
                  std::string_view path);

// The list step of the generation run: template, folder, overwrite confirmation, page.
// 0 written, 1 the user kept the existing list.html, -1 the template cannot be read, -2 the
// folder cannot be created, -3 the page cannot be written, -9 cancel.
int WriteListPageStep(Session& session, ImageLocator& locator);

}  // namespace mirulane
