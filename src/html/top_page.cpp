#include "html/top_page.h"

#include "album/album.h"
#include "html/escape.h"
#include "html/page_file.h"
#include "html/page_names.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

struct Layout {
    const char* frameset;  // the frameset attribute with the size value
    bool listFirst;
    bool bySize;  // true: the size is ListFrameWidth (columns), false: ListFrameHeight (rows)
};

const Layout* LayoutFor(TopLayout layout) {
    static const Layout kLayouts[] = {
        {"cols=%d,*", true, true},
        {"cols=*,%d", false, true},
        {"rows=*,%d", false, false},
        {"rows=%d,*", true, false},
    };
    const int index = static_cast<int>(layout);
    if (index < 0 || index > 3) return nullptr;
    return &kLayouts[index];
}

std::string FrameLine(int marginH, int marginW, const char* name, const std::string& src,
                      const PageStyle& style) {
    return Format(
        "  <frame marginHeight=%d marginWidth=%d name=\"%s\" src=\"%s\"%s "
        "frameborder=\"%d\">\n",
        marginH, marginW, name, src.c_str(), style.FrameNoResize ? " noresize" : "",
        style.FrameBorder ? 1 : 0);
}

}  // namespace

std::string ListFrameSource(const PageStyle& style) {
    return LinkPath(RelativeLink(style.TopFolder, style.ListFolder) + "list.html");
}

std::string DetailFrameSource(const Album& album, const PageNames& pages) {
    // The name the detail step writes the page under, so the frame never points at a page
    // that does not exist.
    int first = pages.First();
    if (first < 0) return "about:blank";
    const PageStyle& style = album.style;
    return LinkPath(RelativeLink(style.TopFolder, style.DetailFolder) + pages.Name(first));
}

std::optional<std::string> TopPageText(const Album& album, const PageNames& pages) {
    const PageStyle& style = album.style;
    const Layout* layout = LayoutFor(style.TopStyle);
    if (!layout) return std::nullopt;
    std::string listLine = FrameLine(style.ListFrameMarginH, style.ListFrameMarginW, kListFrameName,
                                     ListFrameSource(style), style);
    std::string detailLine = FrameLine(style.DetailFrameMarginH, style.DetailFrameMarginW,
                                       kDetailFrameName, DetailFrameSource(album, pages), style);
    std::string text =
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n";
    // A title the user typed goes in as it is (they may mean markup in it); the target
    // folder's name it starts as is escaped.
    text += "<title>" + FilledOrTypedText(style.TopTitle, LastComponent(style.TargetFolder)) +
            "</title>\n";
    text += "</head>\n";
    text +=
        "<frameset " +
        Format(layout->frameset, layout->bySize ? style.ListFrameWidth : style.ListFrameHeight) +
        ">\n";
    text += layout->listFirst ? listLine + detailLine : detailLine + listLine;
    text += "</frameset>\n</html>\n";
    return text;
}

std::string IndexHtmlPath(const PageStyle& style) {
    return EnsureTrailingSeparator(style.TopFolder) + "index.html";
}

StepOutcome WriteTopPage(const Album& album, const PageNames& pages, PageOutput& out) {
    const PageStyle& style = album.style;
    if (MakeFolderPath(style.TopFolder) != 0) {
        return {StepResult::Failed,
                {{.kind = ProblemKind::TopFolderNotMade, .path = style.TopFolder}}};
    }
    std::string path = IndexHtmlPath(style);
    std::optional<std::string> text = TopPageText(album, pages);
    // An unknown layout still leaves an (empty) index.html, and the run goes on.
    PageWrite written = WriteTextFile(out, path, text ? *text : std::string(), PageRole::AlbumPage);
    if (written.outcome == OutputOutcome::Kept) return {StepResult::Kept, {}};
    if (written.outcome == OutputOutcome::Cancelled) return {StepResult::Cancelled, {}};
    if (written.error != 0) {
        return {StepResult::Failed,
                {PageWriteProblem(ProblemKind::TopPageNotWritten, written, path)}};
    }
    if (!text) return {StepResult::Written, {{.kind = ProblemKind::TopStyleUnknown}}};
    return {StepResult::Written, {}};
}

StepOutcome WriteAutorun(const PageStyle& style, PageOutput& out) {
    if (!style.MakeAutorun) return {StepResult::Written, {}};
    std::string path = EnsureTrailingSeparator(style.TopFolder) + "autorun.inf";
    PageWrite written =
        WriteTextFile(out, path, "[autorun]\nopen=explorer index.html\n", PageRole::Companion);
    if (written.error != 0) {
        return {StepResult::Failed,
                {PageWriteProblem(ProblemKind::AutorunNotWritten, written, path)}};
    }
    return {StepResult::Written, {}};
}

}  // namespace mirulane
