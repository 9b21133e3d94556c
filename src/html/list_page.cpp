#include "html/list_page.h"

#include <algorithm>

#include "album/album.h"
#include "album/media.h"
#include "html/escape.h"
#include "html/image_sizing.h"
#include "html/page_file.h"
#include "html/templates.h"
#include "html/top_page.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

constexpr size_t kTextSlot = 511;
constexpr size_t kThumbSlot = 1023;

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
    Thumbnail t;
    bool fit = style.ThumbSizeMode == SizeMode::Fit;
    // A movie's poster is a JPEG named after the whole file name: it is looked for alone, so
    // that a photo's thumbnail of the same base name never shows for the movie.
    const std::string name = split.ext.empty() ? split.base : split.base + "." + split.ext;
    std::optional<FoundImage> found = IsVideo(name)
                                          ? locator.Locate(folder + name, "jpg", false)
                                          : locator.Locate(folder + split.base, split.ext);
    if (!found) {
        // An empty cell keeps the size of the box.
        if (fit) {
            t.hspace = Margin(style.ThumbFitWidth, 0);
            t.vspace = Margin(style.ThumbFitHeight, 0);
        }
        return t;
    }
    std::string prefix =
        mode == LinkMode::Preview ? folder : RelativeLink(style.ListFolder, style.ThumbFolder);
    t.path = LinkPath(prefix + found->name, kThumbSlot);
    // A file whose size cannot be read (a movie) is shown without a size, like a missing one.
    const PixelSize& size = found->size;
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

// A list page is made only from a template with both repeat markers: without them there is
// no place for the entries, and a page without its entries is no index.
StepOutcome WithoutMarkers() {
    return {StepResult::Failed, {{.kind = ProblemKind::TemplateMarkersMissing}}};
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

ListTemplateParts PrepareListTemplate(std::string_view templ, const PageStyle& style) {
    std::string whole(templ);
    ReplaceCellSpacing(whole, style);
    if (whole.size() > kTemplateMaxBytes) whole.resize(kTemplateMaxBytes);
    return SplitListTemplate(whole);
}

TokenValues BuildListValues(const Album& album, PageRun& run, int index, LinkMode mode) {
    const PageStyle& style = album.style;
    std::string name = EntryFileName(album, index);
    BaseExt split = SplitBaseName(name);
    TokenValues v;
    if (style.Switch(Token::DETAIL) && run.pages.HasPage(index)) {
        // Relative in preview mode too: the detail pages are only linked, never shown here.
        v[Token::DETAIL] = LinkPath(
            RelativeLink(style.ListFolder, style.DetailFolder) + run.pages.Name(index), kTextSlot);
        // Without frames the detail page opens in the list's own window.
        if (style.TopStyle != TopLayout::NoFrames) {
            v[Token::DETAIL] += std::string("\" target=\"") + kDetailFrameName;
        }
    }
    if (style.Switch(Token::TDTEXT)) {
        switch (style.ListTextKind) {
            case 1:
                v[Token::TDTEXT] = FilledOrTypedText(album.entries.Field(index, COL_TITLE),
                                                     SplitPath(name).base, kTextSlot);
                break;
            case 2:
                v[Token::TDTEXT] = EscapeHtml(split.base, kTextSlot);
                break;
            case 3:
                v[Token::TDTEXT] = EscapeHtml(name, kTextSlot);
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
        Thumbnail t = FindThumbnail(album, run.locator, split, mode);
        v[Token::THUMB] =
            Format("%s\" border=\"0\" width=\"%d\" height=\"%d", t.path.c_str(), t.width, t.height);
        v[Token::THUMBSP] =
            Format("%s\" border=\"0\" width=\"%d\" height=\"%d\" hspace=\"%d\" vspace=\"%d",
                   t.path.c_str(), t.width, t.height, t.hspace, t.vspace);
    }
    return v;
}

std::optional<std::string> ListPageText(const Album& album, PageRun& run, std::string_view templ,
                                        LinkMode mode, bool& invalid) {
    ListTemplateParts parts = PrepareListTemplate(templ, album.style);
    invalid = parts.invalid;

    std::string page = parts.head;
    // One budget for the whole page: each entry may grow only into the room the entries before
    // it left, and the loop ends as soon as the page is full.
    ReplaceBudget budget;
    if (!parts.region.empty()) {
        for (int i = 0; i < album.entries.Count(); ++i) {
            if (!run.pages.HasPage(i)) continue;  // no page to link to: not listed
            std::string entry = parts.region;
            budget.textMax = kPageMaxBytes - std::min(page.size(), kPageMaxBytes);
            if (!ReplaceTokens(entry, ListTokenOrder(), BuildListValues(album, run, i, mode),
                               album.style, budget) ||
                !FillDetailTokens(entry, album, run, i, mode, budget) ||
                entry.size() > budget.textMax) {
                return std::nullopt;
            }
            page += entry;
        }
    }
    if (page.size() + parts.tail.size() > kPageMaxBytes) return std::nullopt;
    page += parts.tail;
    return page;
}

StepOutcome WriteListPage(const Album& album, PageRun& run, std::string_view templ, LinkMode mode,
                          std::string_view path, PageOutput& out) {
    bool invalid = false;
    std::optional<std::string> text = ListPageText(album, run, templ, mode, invalid);
    if (invalid) return WithoutMarkers();
    if (!text) {
        return {StepResult::Failed,
                {{.kind = ProblemKind::ListPageTooLarge,
                  .path = std::string(path),
                  .count = static_cast<int>(kPageMaxBytes >> 20)}}};
    }
    PageWrite written = WriteTextFile(
        out, path, *text, mode == LinkMode::Page ? PageRole::AlbumPage : PageRole::Preview);
    if (written.outcome == OutputOutcome::Kept) return {StepResult::Kept, {}};
    if (written.outcome == OutputOutcome::Cancelled) return {StepResult::Cancelled, {}};
    if (written.error != 0) {
        return {StepResult::Failed,
                {PageWriteProblem(ProblemKind::ListPageNotWritten, written, path)}};
    }
    return {StepResult::Written, {}};
}

StepOutcome WriteListPageStep(const Album& album, PageRun& run, PageOutput& out) {
    const PageStyle& style = album.style;
    Expected<std::string> templ = LoadListTemplate(style);
    if (!templ) return {StepResult::Failed, {templ.error()}};
    // Told before anything is asked or made: the run cannot give this album an index.
    if (PrepareListTemplate(*templ, style).invalid) return WithoutMarkers();
    if (MakeFolderPath(style.ListFolder) != 0) {
        return {StepResult::Failed,
                {{.kind = ProblemKind::ListFolderNotMade, .path = style.ListFolder}}};
    }
    std::string path = EnsureTrailingSeparator(style.ListFolder) + "list.html";
    return WriteListPage(album, run, *templ, LinkMode::Page, path, out);
}

StepOutcome WriteListAsTopPage(const Album& album, PageRun& run, PageOutput& out) {
    Expected<std::string> templ = LoadListTemplate(album.style);
    if (!templ) return {StepResult::Failed, {templ.error()}};
    if (PrepareListTemplate(*templ, album.style).invalid) return WithoutMarkers();
    if (MakeFolderPath(album.style.TopFolder) != 0) {
        return {StepResult::Failed,
                {{.kind = ProblemKind::TopFolderNotMade, .path = album.style.TopFolder}}};
    }
    // The same list, its links made from the top folder where index.html stands.
    Album atTop = album;
    atTop.style.ListFolder = album.style.TopFolder;
    return WriteListPage(atTop, run, *templ, LinkMode::Page, IndexHtmlPath(album.style), out);
}

}  // namespace mirulane
