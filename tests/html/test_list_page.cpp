// The list page: the split at the repeat markers, list values with thumbnails, whole pages of
// the presets written out in full, and the list step with its overwrite answers.

#include <gtest/gtest.h>

#include "album/media.h"
#include "html/list_page.h"
#include "html/presets.h"
#include "html/templates.h"
#include "platform/text.h"
#include "support/page_album.h"

namespace mirulane {
namespace {

using fixtures::MakeJpeg;
using fixtures::MakePng;
using testing::Crlf;
using testing::PageAlbum;

const char* kHead =
    "<html>\n"
    "<head>\n"
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
    "<title>エントリ一覧</title>\n"
    "</head>\n"
    "<body>\n";

TEST(SplitListTemplate, MarkersLineEndsAndMissingMarkers) {
    ListTemplateParts p =
        SplitListTemplate("H\n  <!--mirulanestart-->\nR1\nR2\n<!--mirulaneend-->\nT\n");
    EXPECT_EQ("H\n  ", p.head);
    EXPECT_EQ("R1\nR2\n", p.region);
    EXPECT_EQ("T\n", p.tail);
    EXPECT_FALSE(p.invalid);

    // With CR LF only the LF would be skipped; the CR stays at the start of region and tail.
    p = SplitListTemplate("H\r\n<!--mirulanestart-->\r\nR\r\n<!--mirulaneend-->\r\nT");
    EXPECT_EQ("H\r\n", p.head);
    EXPECT_EQ("\r\nR\r\n", p.region);
    EXPECT_EQ("\r\nT", p.tail);

    p = SplitListTemplate("no markers <!--MIRULANESTART--> here\n");
    EXPECT_EQ("no markers <!--MIRULANESTART--> here\n", p.head);
    EXPECT_TRUE(p.region.empty() && p.tail.empty() && p.invalid);

    p = SplitListTemplate("H<!--mirulanestart-->\nrest _TITLE_\n");
    EXPECT_EQ("H", p.head);
    EXPECT_EQ("", p.region);
    EXPECT_EQ("rest _TITLE_\n", p.tail);
    EXPECT_TRUE(p.invalid);

    // Only the first start marker counts; the region ends at the first end marker after it.
    p = SplitListTemplate("<!--mirulaneend-->a<!--mirulanestart-->b<!--mirulaneend-->c");
    EXPECT_EQ("<!--mirulaneend-->a", p.head);
    EXPECT_EQ("b", p.region);
    EXPECT_EQ("c", p.tail);
}

TEST(ListValues, TextAlignAndThumbnailSizing) {
    PageAlbum a;
    a.Put("thumb/P1.jpg", MakeJpeg(160, 120));
    a.Put("thumb/WIDE.png", MakePng(300, 100));
    a.Add("P1.JPG", "一");
    a.Add("NOTHUMB.JPG", "二");
    a.Add("WIDE.AVI", "三");
    PageRun run(a.session.album);
    const Album& album = a.session.album;

    // The defaults: fit 94 × 94, thumbnails in thumb/ beside html/.
    TokenValues v = BuildListValues(album, run, 0, LinkMode::Page);
    EXPECT_EQ("P1.html\" target=\"detail", v[Token::DETAIL]);
    EXPECT_EQ("left", v[Token::TDALIGN]);
    EXPECT_EQ("一", ToDisplay(v[Token::TDTEXT]));
    EXPECT_EQ("../thumb/P1.jpg\" border=\"0\" width=\"93\" height=\"70", v[Token::THUMB]);
    EXPECT_EQ("../thumb/P1.jpg\" border=\"0\" width=\"93\" height=\"70\" hspace=\"0\" vspace=\"12",
              v[Token::THUMBSP]);
    // A missing thumbnail keeps the box size through its margins.
    v = BuildListValues(album, run, 1, LinkMode::Page);
    EXPECT_EQ("\" border=\"0\" width=\"0\" height=\"0\" hspace=\"47\" vspace=\"47",
              v[Token::THUMBSP]);
    // Found under another extension of the locator table (94 / 300 in single precision times
    // 300 falls just short of 94 too).
    a.session.album.entries.SetField(2, COL_FILE, "WIDE.GIF");
    v = BuildListValues(album, run, 2, LinkMode::Page);
    EXPECT_EQ(
        "../thumb/WIDE.png\" border=\"0\" width=\"93\" height=\"31\" hspace=\"0\" vspace=\"31",
        v[Token::THUMBSP]);

    // A box side of 0: that side is matched by the other and has no margin.
    a.style().ThumbFitHeight = 0;
    v = BuildListValues(album, run, 0, LinkMode::Page);
    EXPECT_EQ("../thumb/P1.jpg\" border=\"0\" width=\"94\" height=\"70\" hspace=\"0\" vspace=\"0",
              v[Token::THUMBSP]);
    a.style().ThumbFitWidth = 0;
    v = BuildListValues(album, run, 0, LinkMode::Page);
    EXPECT_EQ("../thumb/P1.jpg\" border=\"0\" width=\"160\" height=\"120\" hspace=\"0\" vspace=\"0",
              v[Token::THUMBSP]);

    // Scale and original size have no margins; preview mode names the folder itself.
    a.style().ThumbSizeMode = SizeMode::Scale;
    a.style().ThumbScale = 50;
    v = BuildListValues(album, run, 0, LinkMode::Preview);
    EXPECT_EQ(a.target +
                  "/thumb/P1.jpg\" border=\"0\" width=\"80\" height=\"60\" hspace=\"0\" "
                  "vspace=\"0",
              v[Token::THUMBSP]);
    EXPECT_EQ("P1.html\" target=\"detail", v[Token::DETAIL]);  // relative in preview mode too
    a.style().ListTextKind = 0;
    EXPECT_EQ("", BuildListValues(album, run, 0, LinkMode::Page)[Token::TDTEXT]);

    // Switched-off tokens get no value.
    a.style().tokenSwitch[static_cast<int>(Token::THUMB)] = 0;
    a.style().tokenSwitch[static_cast<int>(Token::THUMBSP)] = 0;
    a.style().tokenSwitch[static_cast<int>(Token::DETAIL)] = 0;
    v = BuildListValues(album, run, 0, LinkMode::Page);
    EXPECT_EQ("", v[Token::THUMB]);
    EXPECT_EQ("", v[Token::THUMBSP]);
    EXPECT_EQ("", v[Token::DETAIL]);
}

TEST(ListValues, ThumbnailLinkNamesTheFileAsFoundOnDisk) {
    PageAlbum a;
    a.Put("thumb/A.JPG", MakeJpeg(160, 120));
    a.Add("a.jpg");
    PageRun run(a.session.album);
    EXPECT_EQ("../thumb/A.JPG\" border=\"0\" width=\"93\" height=\"70",
              BuildListValues(a.session.album, run, 0, LinkMode::Page)[Token::THUMB]);
}

std::string ListPage(PageAlbum& a) {
    std::string templ = LoadListTemplate(a.style()).value_or("<problem>");
    PageRun run(a.session.album);
    bool invalid = true;
    std::string page = *ListPageText(a.session.album, run, templ, LinkMode::Page, invalid);
    EXPECT_FALSE(invalid);
    return ToDisplay(page);
}

// A file name is shown as it is, in the text and in the thumbnail's alt, and its links lead
// to its page and thumbnail; a title is the user's and keeps its markup.
TEST(ListPage, FileNamesAreEscapedInTextsAndLinks) {
    PageAlbum a;
    const std::string hostile = "\"><img src=x onerror=alert(2)>";
    a.Put("thumb/" + hostile + ".jpg", MakeJpeg(94, 94));
    a.Add(hostile + ".jpg", "<b>bold</b>");
    a.style().ListPreset = 1;
    a.style().ListTextKind = 3;
    EXPECT_EQ(
        std::string(kHead) +
            "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
            "  <tr><td align=\"left\"><a href=\"%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E."
            "html\" target=\"detail\"><img src=\"../thumb/"
            "%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.jpg\" border=\"0\" width=\"94\" "
            "height=\"94\" alt=\"&quot;&gt;&lt;img src=x onerror=alert(2)&gt;\"></a><br><a "
            "href=\"%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.html\" "
            "target=\"detail\">&quot;&gt;&lt;img src=x onerror=alert(2)&gt;.jpg</a></td></tr>\n"
            "</table>\n"
            "</body>\n"
            "</html>\n",
        ListPage(a));
    a.style().ListTextKind = 1;
    EXPECT_NE(std::string::npos, ListPage(a).find("target=\"detail\"><b>bold</b></a>"));
}

TEST(ListPage, PresetZeroBothVariants) {
    PageAlbum a;
    a.Add("A.JPG", "一");
    a.Add("B.JPG", "二");
    EXPECT_EQ(std::string(kHead) +
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
                  "  <tr><td align=\"left\"><a href=\"A.html\" target=\"detail\">一</a></td></tr>\n"
                  "  <tr><td align=\"left\"><a href=\"B.html\" target=\"detail\">二</a></td></tr>\n"
                  "</table>\n"
                  "</body>\n"
                  "</html>\n",
              ListPage(a));
    // The variant follows the layout at generation time.
    a.style().TopStyle = TopLayout::ListAbove;
    a.style().ListCellSpacing = 0;
    EXPECT_EQ(std::string(kHead) +
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n"
                  "  <tr valign=\"top\">\n"
                  "    <td align=\"left\"><a href=\"A.html\" target=\"detail\">一</a></td>\n"
                  "    <td align=\"left\"><a href=\"B.html\" target=\"detail\">二</a></td>\n"
                  "  </tr>\n"
                  "</table>\n"
                  "</body>\n"
                  "</html>\n",
              ListPage(a));
}

TEST(ListPage, PresetsOneAndTwoWithThumbnailsPresentAndMissing) {
    PageAlbum a;
    a.Put("thumb/P1.jpg", MakeJpeg(160, 120));
    a.Add("P1.JPG", "一");
    a.Add("P2.JPG", "二");
    a.style().ListPreset = 1;
    EXPECT_EQ(std::string(kHead) +
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
                  "  <tr><td align=\"left\"><a href=\"P1.html\" target=\"detail\"><img "
                  "src=\"../thumb/P1.jpg\" border=\"0\" width=\"93\" height=\"70\" "
                  "alt=\"P1\"></a><br><a href=\"P1.html\" target=\"detail\">一</a></td></tr>\n"
                  "  <tr><td align=\"left\"><a href=\"P2.html\" target=\"detail\"><img src=\"\" "
                  "border=\"0\" width=\"0\" height=\"0\" alt=\"P2\"></a><br><a href=\"P2.html\" "
                  "target=\"detail\">二</a></td></tr>\n"
                  "</table>\n"
                  "</body>\n"
                  "</html>\n",
              ListPage(a));
    a.style().ListPreset = 2;
    const char* frame =
        "    <table bgcolor=\"#dddddd\" border=\"0\" cellpadding=\"0\" cellspacing=\"1\"><tr "
        "bgcolor=\"#ffffff\"><td>";
    EXPECT_EQ(std::string(kHead) +
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
                  "  <tr><td align=\"left\">\n" +
                  frame +
                  "<a href=\"P1.html\" target=\"detail\"><img src=\"../thumb/P1.jpg\" "
                  "border=\"0\" width=\"93\" height=\"70\" hspace=\"0\" vspace=\"12\" "
                  "alt=\"P1\"></a></td></tr></table>\n"
                  "    <a href=\"P1.html\" target=\"detail\">一</a>\n"
                  "  </td></tr>\n"
                  "  <tr><td align=\"left\">\n" +
                  frame +
                  "<a href=\"P2.html\" target=\"detail\"><img src=\"\" border=\"0\" width=\"0\" "
                  "height=\"0\" hspace=\"47\" vspace=\"47\" alt=\"P2\"></a></td></tr></table>\n"
                  "    <a href=\"P2.html\" target=\"detail\">二</a>\n"
                  "  </td></tr>\n"
                  "</table>\n"
                  "</body>\n"
                  "</html>\n",
              ListPage(a));
}

// Detail tokens in the region take the entry's detail-page values, relative to DetailFolder
// even when the list page lies elsewhere.
TEST(ListPage, PresetFourCarriesDetailValues) {
    PageAlbum a;
    a.style().ListPreset = 4;
    a.style().ListFolder = a.target;  // list.html beside index.html, pages in html/
    int i = a.Add("DSC1.JPG", "夕焼け");
    EntryList& list = a.session.album.entries;
    list.SetField(i, COL_DTORG, "2004/07/01 18:30:00");
    list.SetField(i, COL_IMGSZ, "2048x1536");
    list.SetField(i, COL_FOLEN, "7.8mm");
    list.SetField(i, COL_ISOSR, "ISO100");
    list.SetField(i, COL_SHTSP, "1/250");
    list.SetField(i, COL_APRTV, "F4.0");
    EXPECT_EQ(std::string(kHead) +
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
                  "  <tr><td align=\"left\">\n"
                  "    <table border=\"0\">\n"
                  "      <tr>\n"
                  "        <td valign=\"top\">\n"
                  "          <table bgcolor=\"#dddddd\" border=\"0\" cellpadding=\"0\" "
                  "cellspacing=\"1\"><tr bgcolor=\"#ffffff\"><td>\n"
                  "          <a href=\"html/DSC1.html\" target=\"detail\"><img src=\"\" "
                  "border=\"0\" width=\"0\" height=\"0\" hspace=\"47\" vspace=\"47\" "
                  "alt=\"DSC1.JPG\"></a></td></tr></table>\n"
                  "        </td>\n"
                  "        <td valign=\"top\">\n"
                  "          <table border=\"0\" cellpadding=\"1\" cellspacing=\"1\" "
                  "width=\"100%\">\n"
                  "            <tr><td><a href=\"html/DSC1.html\" "
                  "target=\"detail\"><b>夕焼け</b></a></td>\n"
                  "            <tr><td>2004/07/01 18:30:00</td>\n"
                  "            <tr><td>2048x1536</td>\n"
                  "            <tr><td>7.8mm ISO100</td>\n"
                  "            <tr><td>1/250 F4.0</td>\n"
                  "          </table>\n"
                  "        </td>\n"
                  "      </tr>\n"
                  "    </table>\n"
                  "  </td></tr>\n"
                  "</table>\n"
                  "</body>\n"
                  "</html>\n",
              ListPage(a));

    // _TARGET_ in a region is relative to the detail pages, not to list.html.
    std::string templ = "<!--mirulanestart-->\n[_TARGET_|_TDTEXT_|_title_]\n<!--mirulaneend-->\n";
    PageRun run(a.session.album);
    bool invalid = true;
    a.style().TargetToTop = 0;
    EXPECT_EQ("[../DSC1.JPG|夕焼け|_title_]\n",
              ToDisplay(*ListPageText(a.session.album, run, templ, LinkMode::Page, invalid)));
}

// Values made of token names multiply the text at every step; the page is refused once it
// would pass its limit, without building more of it than that.
TEST(ListPage, PageThatWouldPassTheLimitIsRefused) {
    PageAlbum a;
    std::string chain;
    for (int i = 0; i < 73; ++i) chain += "_GROUP_";
    for (int i = 0; i < 600; ++i) {
        int e = a.Add(Format("P%03d.JPG", i));
        EntryList& list = a.session.album.entries;
        list.SetField(e, COL_TITLE, "T _YOMI__YOMI__YOMI__YOMI_");
        list.SetField(e, COL_YOMI, chain);
        list.SetField(e, COL_GROUP, std::string(500, 'g'));
    }
    // Each entry is 146 kB (4 × 73 × 500 bytes): the page passes 16 MB at its 115th entry.
    std::string templ = "<!--mirulanestart-->\n<p>_TITLE_</p>\n<!--mirulaneend-->\n";
    PageRun run(a.session.album);
    bool invalid = true;
    EXPECT_FALSE(ListPageText(a.session.album, run, templ, LinkMode::Page, invalid));
    EXPECT_FALSE(invalid);
    // A hundred entries fit.
    for (int i = 0; i < 500; ++i) a.session.album.entries.Delete(100);
    PageRun fewer(a.session.album);
    std::optional<std::string> page =
        ListPageText(a.session.album, fewer, templ, LinkMode::Page, invalid);
    ASSERT_TRUE(page);
    EXPECT_GT(page->size(), 14'000'000u);

    // Written through the step, the page is refused with its message and nothing is left.
    a.session.album.entries.Append("X.JPG");
    std::string yomis;
    for (int i = 0; i < 85; ++i) yomis += "_YOMI_";
    a.session.album.entries.SetField(100, COL_TITLE, yomis);  // 3 MB more
    a.session.album.entries.SetField(100, COL_YOMI, chain);
    a.session.album.entries.SetField(100, COL_GROUP, std::string(511, 'g'));
    a.style().ListUseFile = TemplateSource::File;
    a.style().ListTemplateFile = a.target + "/t.html";
    a.Put("t.html", templ);
    PageRun more(a.session.album);
    EXPECT_EQ(StepResult::Failed, a.Told(WriteListPageStep(a.album(), more, a.out)));
    ASSERT_EQ(1u, a.ui.messages.size());
    EXPECT_EQ(0u, a.ui.MessagesUtf8()[0].find(
                      "一覧ページが大きくなりすぎるため作成できません（上限 16MB）\n"));
    EXPECT_FALSE(a.Exists("html/list.html"));
}

// A template without its repeat region gives no index: the page is refused, and an existing
// list.html stays as it was.
TEST(WriteListPage, InvalidTemplatesAreRefusedAndNothingIsWritten) {
    PageAlbum a;
    a.Add("A.JPG", "一");
    PageRun run(a.session.album);
    std::string path = a.Path("list.html");
    a.Put("list.html", "the old index");
    EXPECT_EQ(StepResult::Failed,
              a.Told(WriteListPage(a.album(), run, "<t s=\"_CELLSPC_\">_TITLE_\n", LinkMode::Page,
                                   path, a.out)));
    EXPECT_EQ(StepResult::Failed,
              a.Told(WriteListPage(a.album(), run, "H\n<!--mirulanestart-->\n_TITLE_\n",
                                   LinkMode::Page, path, a.out)));
    EXPECT_EQ("the old index", a.Get("list.html"));
    EXPECT_EQ(
        (std::vector<std::string>{"テンプレートの内容が不正です", "テンプレートの内容が不正です"}),
        a.ui.MessagesUtf8());
    // The text itself is still what the markers leave: head and tail, without entry values.
    bool invalid = false;
    EXPECT_EQ("<t s=\"8\">_TITLE_\n",
              *ListPageText(a.session.album, run, "<t s=\"_CELLSPC_\">_TITLE_\n", LinkMode::Page,
                            invalid));
    EXPECT_TRUE(invalid);

    // An empty album: head and tail only.
    PageAlbum empty;
    PageRun emptyRun(empty.session.album);
    EXPECT_EQ(StepResult::Written,
              empty.Told(WriteListPage(empty.album(), emptyRun, ListPreset(0, false),
                                       LinkMode::Page, empty.Path("list.html"), empty.out)));
    EXPECT_EQ(Crlf(Sj(std::string(kHead) +
                      "<table border=\"0\" cellpadding=\"0\" cellspacing=\"8\" width=\"100%\">\n"
                      "</table>\n</body>\n</html>\n")),
              empty.Get("list.html"));
    EXPECT_TRUE(empty.ui.messages.empty());
}

TEST(WriteListPageStep, FolderTemplateAndOverwriteAnswers) {
    PageAlbum a;
    a.Add("A.JPG", "一");
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Written, a.Told(WriteListPageStep(a.album(), run, a.out)));
    std::string first = a.Get("html/list.html");
    EXPECT_NE(std::string::npos, first.find("\r\n  <tr><td align=\"left\"><a href=\"A.html\""));
    EXPECT_TRUE(a.ui.overwriteAsked.empty());

    a.Put("html/list.html", "mine");
    a.ui.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::Cancel, OverwriteAnswer::Yes,
                             OverwriteAnswer::All};
    EXPECT_EQ(StepResult::Kept, a.Told(WriteListPageStep(a.album(), run, a.out)));
    EXPECT_EQ(StepResult::Cancelled, a.Told(WriteListPageStep(a.album(), run, a.out)));
    EXPECT_EQ("mine", a.Get("html/list.html"));
    EXPECT_EQ(StepResult::Written, a.Told(WriteListPageStep(a.album(), run, a.out)));
    EXPECT_EQ(first, a.Get("html/list.html"));
    a.Put("html/list.html", "mine");  // "yes" answered for that page alone: asked again
    EXPECT_EQ(StepResult::Written, a.Told(WriteListPageStep(a.album(), run, a.out)));
    EXPECT_EQ(first, a.Get("html/list.html"));
    EXPECT_EQ(4u, a.ui.overwriteAsked.size());
    a.Put("html/list.html", "mine again");  // "all" answers for the rest of the run
    EXPECT_EQ(StepResult::Written, a.Told(WriteListPageStep(a.album(), run, a.out)));
    EXPECT_EQ(first, a.Get("html/list.html"));
    EXPECT_EQ(4u, a.ui.overwriteAsked.size());
    EXPECT_EQ(a.target + "/html/list.html", a.ui.overwriteAsked[0]);
    EXPECT_TRUE(a.ui.messages.empty());

    // A broken template file: nothing is written.
    PageAlbum b;
    b.style().ListUseFile = TemplateSource::File;
    b.style().ListTemplateFile = b.target + "/missing.html";
    PageRun runB(b.session.album);
    EXPECT_EQ(StepResult::Failed, b.Told(WriteListPageStep(b.album(), runB, b.out)));
    EXPECT_EQ("指定されたテンプレートファイルを開けません(errno=2)\n" + b.target + "/missing.html",
              b.ui.MessagesUtf8().at(0));
    EXPECT_FALSE(b.Exists("html"));

    // The folder is blocked by a file; then list.html is blocked by a folder.
    PageAlbum c;
    c.Put("html", "file");
    PageRun runC(c.session.album);
    EXPECT_EQ(StepResult::Failed, c.Told(WriteListPageStep(c.album(), runC, c.out)));
    EXPECT_EQ("一覧ページの出力先フォルダを作成できません\n" + c.target + "/html",
              c.ui.MessagesUtf8().at(0));
    c.style().ListFolder = c.target + "/out/";
    c.Put("out/list.html/x", "");
    OverwritePolicy all(c.ui, true);
    PageOutput out{c.ui, all};
    EXPECT_EQ(StepResult::Failed, c.Told(WriteListPageStep(c.album(), runC, out)));
    EXPECT_EQ(0u, c.ui.MessagesUtf8().at(1).find("一覧ページを開けません (errno="));
    EXPECT_NE(std::string::npos, c.ui.MessagesUtf8().at(1).find(c.target + "/out/list.html"));
}

}  // namespace
}  // namespace mirulane
