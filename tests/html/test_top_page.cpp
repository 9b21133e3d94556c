// The top page: the four frameset layouts written out whole, frame sources, the autorun file
// and the step's answers and failures.

#include <gtest/gtest.h>

#include "html/output_folders.h"
#include "html/page_names.h"
#include "html/top_page.h"
#include "support/page_album.h"

namespace mirulane {
namespace {

using testing::Crlf;
using testing::PageAlbum;

std::string TopPage(const char* frameset, const char* first, const char* second) {
    return std::string(
               "<html>\n"
               "<head>\n"
               "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
               "<title>旅行</title>\n"
               "</head>\n"
               "<frameset ") +
           frameset + ">\n" + first + second + "</frameset>\n</html>\n";
}

TEST(TopPage, FourLayouts) {
    PageAlbum a;
    a.style().TopTitle = Sj("旅行");
    a.style().ListFolder = a.target;  // list.html beside index.html
    a.Add("P1.JPG");
    a.Add("P2.JPG");
    const char* list =
        "  <frame marginHeight=5 marginWidth=5 name=\"list\" src=\"list.html\" "
        "frameborder=\"0\">\n";
    const char* detail =
        "  <frame marginHeight=15 marginWidth=15 name=\"detail\" src=\"html/P1.html\" "
        "frameborder=\"0\">\n";
    EXPECT_EQ(TopPage("cols=140,*", list, detail),
              ToDisplay(*TopPageText(a.session.album, PageNames(a.session.album))));

    a.style().TopStyle = TopLayout::ListRight;
    a.style().ListFrameWidth = 200;
    a.style().ListFrameHeight = 90;
    EXPECT_EQ(TopPage("cols=*,200", detail, list),
              ToDisplay(*TopPageText(a.session.album, PageNames(a.session.album))));
    a.style().TopStyle = TopLayout::ListBelow;
    EXPECT_EQ(TopPage("rows=*,90", detail, list),
              ToDisplay(*TopPageText(a.session.album, PageNames(a.session.album))));

    // Border and no-resize apply to both frames.
    a.style().TopStyle = TopLayout::ListAbove;
    a.style().FrameBorder = 1;
    a.style().FrameNoResize = 1;
    a.style().ListFrameMarginH = 0;
    a.style().DetailFrameMarginW = -3;
    EXPECT_EQ(TopPage("rows=90,*",
                      "  <frame marginHeight=0 marginWidth=5 name=\"list\" src=\"list.html\" "
                      "noresize frameborder=\"1\">\n",
                      "  <frame marginHeight=15 marginWidth=-3 name=\"detail\" "
                      "src=\"html/P1.html\" noresize frameborder=\"1\">\n"),
              ToDisplay(*TopPageText(a.session.album, PageNames(a.session.album))));

    a.style().TopStyle = static_cast<TopLayout>(4);
    EXPECT_FALSE(TopPageText(a.session.album, PageNames(a.session.album)).has_value());
}

TEST(TopPage, FrameSources) {
    PageAlbum a;
    // The defaults: index.html in the target folder, the pages in html/.
    EXPECT_EQ("html/list.html", ListFrameSource(a.style()));
    EXPECT_EQ("about:blank", DetailFrameSource(a.session.album, PageNames(a.session.album)));
    a.Add("NODOT");
    EXPECT_EQ("html/NODOT.html", DetailFrameSource(a.session.album, PageNames(a.session.album)));
    // The frame shows exactly the page the detail step writes for the first entry.
    PageAlbum b;
    b.Add("a.b.jpg");
    EXPECT_EQ("html/a.b.html", DetailFrameSource(b.session.album, PageNames(b.session.album)));
    PageAlbum c;
    c.Add("trailing.");
    EXPECT_EQ("html/trailing..html",
              DetailFrameSource(c.session.album, PageNames(c.session.album)));
    // index.html one level up, in a sibling html folder.
    c.style().TopFolder = "/x/top/";
    c.style().ListFolder = "/x/html";
    c.style().DetailFolder = "/x/html";
    EXPECT_EQ("../html/list.html", ListFrameSource(c.style()));
    EXPECT_EQ("/x/top/index.html", IndexHtmlPath(c.style()));
}

// The title the top page starts with is the target folder's name, from the disk: it shows as
// it is; a title the user typed keeps its markup. Frame sources are links a browser follows.
TEST(TopPage, FolderNameTitleAndFrameSourcesAreWrittenSafely) {
    PageAlbum a;
    SetDefaultFolders(a.style(), a.target + "/<b>x&y #1", a.session.settings);
    a.style().TopFolder = a.target;
    a.Add("P 1.JPG");
    std::string page = *TopPageText(a.session.album, PageNames(a.session.album));
    EXPECT_NE(std::string::npos, page.find("<title>&lt;b&gt;x&amp;y #1</title>"));
    EXPECT_NE(std::string::npos, page.find("src=\"%3Cb%3Ex&amp;y%20%231/html/list.html\""));
    EXPECT_NE(std::string::npos, page.find("src=\"%3Cb%3Ex&amp;y%20%231/html/P%201.html\""));
    a.style().TopTitle = "<b>mine</b>";
    page = *TopPageText(a.session.album, PageNames(a.session.album));
    EXPECT_NE(std::string::npos, page.find("<title><b>mine</b></title>"));
}

TEST(WriteTopPageStep, WritesPageAndAutorunWithCrLf) {
    PageAlbum a;
    a.style().TopTitle = "<b>A&B</b>";  // written as it is
    a.style().MakeAutorun = 1;
    a.style().TopFolder = a.target + "/top/";
    a.style().ListFolder = a.target + "/top";
    a.style().DetailFolder = a.target + "/top/pages";
    a.Add("P1.JPG");
    EXPECT_EQ(StepResult::Written, a.TopStep(PageNames(a.session.album)));
    EXPECT_EQ(Crlf("<html>\n"
                   "<head>\n"
                   "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
                   "<title><b>A&B</b></title>\n"
                   "</head>\n"
                   "<frameset cols=140,*>\n"
                   "  <frame marginHeight=5 marginWidth=5 name=\"list\" src=\"list.html\" "
                   "frameborder=\"0\">\n"
                   "  <frame marginHeight=15 marginWidth=15 name=\"detail\" "
                   "src=\"pages/P1.html\" frameborder=\"0\">\n"
                   "</frameset>\n"
                   "</html>\n"),
              a.Get("top/index.html"));
    EXPECT_EQ("[autorun]\r\nopen=explorer index.html\r\n", a.Get("top/autorun.inf"));
    EXPECT_TRUE(a.ui.messages.empty());

    // "No" keeps index.html and writes no autorun file either.
    a.Put("top/index.html", "mine");
    a.Put("top/autorun.inf", "theirs");
    a.ui.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::Cancel};
    EXPECT_EQ(StepResult::Kept, a.TopStep(PageNames(a.session.album)));
    EXPECT_EQ(StepResult::Cancelled, a.TopStep(PageNames(a.session.album)));
    EXPECT_EQ("mine", a.Get("top/index.html"));
    EXPECT_EQ("theirs", a.Get("top/autorun.inf"));
    // The autorun file is replaced without asking once index.html may be.
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes};
    EXPECT_EQ(StepResult::Written, a.TopStep(PageNames(a.session.album)));
    EXPECT_EQ("[autorun]\r\nopen=explorer index.html\r\n", a.Get("top/autorun.inf"));
    EXPECT_EQ(3u, a.ui.overwriteAsked.size());
    EXPECT_EQ(a.target + "/top/index.html", a.ui.overwriteAsked[0]);
}

TEST(WriteTopPageStep, FailuresAndAnUnknownLayout) {
    PageAlbum a;
    a.style().TopStyle = static_cast<TopLayout>(7);
    EXPECT_EQ(StepResult::Written, a.TopStep(PageNames(a.session.album)));
    EXPECT_EQ("", a.Get("index.html"));
    EXPECT_TRUE(a.Exists("index.html"));
    EXPECT_EQ(std::vector<std::string>{"トップページのスタイルが不正"}, a.ui.MessagesUtf8());

    PageAlbum b;
    b.Put("blocked", "a file");
    b.style().TopFolder = b.target + "/blocked/top";
    EXPECT_EQ(StepResult::Failed, b.TopStep(PageNames(b.session.album)));
    EXPECT_EQ("トップページの出力先フォルダを作成できません\n" + b.target + "/blocked/top",
              b.ui.MessagesUtf8().at(0));

    PageAlbum c;
    c.Put("index.html/x", "");
    OverwritePolicy all(c.ui, true);
    PageOutput out{c.ui, all};
    EXPECT_EQ(StepResult::Failed, c.TopStep(PageNames(c.session.album), out));
    EXPECT_EQ("トップページを開けません (errno=21)\n" + c.target + "/index.html",
              c.ui.MessagesUtf8().at(0));

    PageAlbum d;
    d.style().MakeAutorun = 1;
    d.Put("autorun.inf/x", "");
    EXPECT_EQ(StepResult::Failed, d.TopStep(PageNames(d.session.album)));
    EXPECT_TRUE(d.Exists("index.html"));  // written before the failure, and it stays
    EXPECT_EQ("自動再生情報を開けません (errno=21)\n" + d.target + "/autorun.inf",
              d.ui.MessagesUtf8().at(0));
}

}  // namespace
}  // namespace mirulane
