#include "html/list_page.h"

#include "album/album.h"
#include "album/media.h"
#include "app/session.h"
#include "html/image_sizing.h"
#include "html/locations.h"
#include "html/page_file.h"
#include "html/templates.h"
#include "html/top_page.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {

namespace {

// The text after a marker, without one LF directly after it.
std::string_view AfterMarker(std::string_view text, size_t markerPos, size_t markerLen) {
    std::string_view rest = text.substr(markerPos + markerLen);
    if (!rest.empty() && rest.front() == '\n') rest.remove_prefix(1);
    return rest;
}

struct Thumbnail {
    std::string path;
    int width = 0;
    int height = 0;
    int hspace = 0;
    int vspace = 0;
};

// Half of what is left of a box side, rounded down; a side without a box (0) has no margin.
int Margin(int box, int shown) {
    if (box <= 0 || shown >= box) return 0;
    return (box - shown) / 2;
}

Thumbnail FindThumbnail(const Album& album, ImageLocator& locator, const BaseExt& split,
                        LinkMode mode) {
    const PageStyle& style = album.style;
    std::string folder = EnsureTrailingSeparator(style.ThumbFolder);
    std::string ext = split.ext;
    PixelSize size;
    Thumbnail t;
    bool fit = style.ThumbSizeMode == 1;
    if (locator.Locate(folder + split.base, ext, size, true) != 0) {
        // An empty cell keeps the size of the box.
        if (fit) {
            t.hspace = Margin(style.ThumbFitWidth, 0);
            t.vspace = Margin(style.ThumbFitHeight, 0);
        }
        return t;
    }
    std::string prefix =
        mode == LinkMode::Preview ? folder : RelativeLink(style.ListFolder, style.ThumbFolder);
    t.path = prefix + split.base + "." + ext;
    // A file whose size cannot be read (a movie) is shown without a size, like a missing one.
    ShownSize shown;
    if (size.width >= 1 && size.height >= 1) {
        shown = SizeForMode(style.ThumbSizeMode, style.ThumbScale, style.ThumbFitWidth,
                            style.ThumbFitHeight, size.width, size.height);
    }
    t.width = shown.width;
    t.height = shown.height;
    if (fit) {
        t.hspace = Margin(style.ThumbFitWidth, t.width);
        t.vspace = Margin(style.ThumbFitHeight, t.height);
    }
    return t;
}

void ShowError(Session& session, const std::string& text) {
    session.ui.Message(text, "", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace

ListTemplateParts SplitListTemplate(std::string_view text) {
    ListTemplateParts parts;
    size_t start = text.find(kRepeatStart);
    if (start == std::string_view::npos) {
        parts.head = text;
        parts.invalid = true;
        return parts;
    }
    parts.head = text.substr(0, start);
    std::string_view rest = AfterMarker(text, start, kRepeatStart.size());
    size_t end = rest.find(kRepeatEnd);
    if (end == std::string_view::npos) {
        parts.tail = rest;
        parts.invalid = true;
        return parts;
    }
    parts.region = rest.substr(0, end);
    parts.tail = AfterMarker(rest, end, kRepeatEnd.size());
    return parts;
}

TokenValues BuildListValues(const Album& album, ImageLocator& locator, int index, LinkMode mode) {
    const PageStyle& style = album.style;
    const std::string& name = album.entries.Field(index, COL_FILE);
    BaseExt split = SplitBaseName(name);
    TokenValues v;
    if (style.Switch(Token::DETAIL)) {
        // Relative in preview mode too: the detail pages are only linked, never shown here.
        v[Token::DETAIL] = RelativeLink(style.ListFolder, style.DetailFolder) + split.base +
                           ".html\" target=\"" + kDetailFrameName;
    }
    if (style.Switch(Token::TDTEXT)) {
        switch (style.ListTextKind) {
            case 1:
                v[Token::TDTEXT] = album.entries.Field(index, COL_TITLE);
                break;
            case 2:
                v[Token::TDTEXT] = split.base;
                break;
            case 3:
                v[Token::TDTEXT] = name;
                break;
            default:
                break;
        }
    }
    if (style.Switch(Token::TDALIGN)) {
        v[Token::TDALIGN] = style.ListAlign == 1   ? "center"
                            : style.ListAlign == 2 ? "right"
                                                   : "left";
    }
    if (style.Switch(Token::THUMB) || style.Switch(Token::THUMBSP)) {
        Thumbnail t = FindThumbnail(album, locator, split, mode);
        v[Token::THUMB] =
            Format("%s\" border=\"0\" width=\"%d\" height=\"%d", t.path.c_str(), t.width, t.height);
        v[Token::THUMBSP] =
            Format("%s\" border=\"0\" width=\"%d\" height=\"%d\" hspace=\"%d\" vspace=\"%d",
                   t.path.c_str(), t.width, t.height, t.hspace, t.vspace);
    }
    return v;
}

std::string ListPageText(const Album& album, ImageLocator& locator, std::string_view templ,
                         LinkMode mode, bool& invalid) {
    std::string whole(templ);
    ReplaceCellSpacing(whole, album.style);
    if (whole.size() > kTemplateMaxBytes) whole.resize(kTemplateMaxBytes);
    ListTemplateParts parts = SplitListTemplate(whole);
    invalid = parts.invalid;

    std::string page = parts.head;
    if (!parts.region.empty()) {
        for (int i = 0; i < album.entries.Count(); ++i) {
            std::string entry = parts.region;
            ReplaceListTokens(entry, BuildListValues(album, locator, i, mode), album.style);
            ReplaceDetailTokens(entry, BuildDetailValuesFor(album, locator, i, mode, entry),
                                album.style);
            page += entry;
        }
    }
    page += parts.tail;
    return page;
}

int WriteListPage(Session& session, ImageLocator& locator, std::string_view templ, LinkMode mode,
                  std::string_view path) {
    bool invalid = false;
    std::string page = ListPageText(session.album, locator, templ, mode, invalid);
    PageWrite written = WriteTextFile(session, path, page);
    if (written.error != 0) {
        // The page is stored in one piece, so a failure while storing it meets its head.
        if (written.stage == WriteStage::Write) {
            ShowError(session, Sj("リストHTMLファイル出力エラー(1)"));
            return -1;
        }
        if (written.stage != WriteStage::Refused) {
            ShowError(session, Format(Sj("一覧ページを開けません (errno=%d)\n%s").c_str(),
                                      written.error, std::string(path).c_str()));
        }
        return -3;
    }
    if (invalid) ShowError(session, Sj("テンプレートの内容が不正です"));
    return 0;
}

int WriteListPageStep(Session& session, ImageLocator& locator) {
    const PageStyle& style = session.album.style;
    std::string templ;
    if (LoadListTemplate(style, templ, session.ui) != 0) return -1;
    if (MakeFolderPath(style.ListFolder) != 0) {
        ShowError(session, Sj("一覧ページの出力先フォルダを作成できません\n") + style.ListFolder);
        return -2;
    }
    std::string path = EnsureTrailingSeparator(style.ListFolder) + "list.html";
    switch (ConfirmReplace(session, path)) {
        case ReplaceDecision::Write:
            break;
        case ReplaceDecision::Skip:
            return 1;
        case ReplaceDecision::Cancel:
            return -9;
    }
    return WriteListPage(session, locator, templ, LinkMode::Page, path) == 0 ? 0 : -3;
}

}  // namespace mirulane
