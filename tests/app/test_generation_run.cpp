// The generation run: the three steps in order with their statuses, every answer at the
// overwrite prompt, the force setting, failures of each step and the create-HTML command's
// closing messages.

#include <gtest/gtest.h>

#include "album/media.h"
#include "app/generation_run.h"
#include "fixtures/fault_injection.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/top_page.h"
#include "platform/text.h"
#include "session_album.h"

namespace mirulane {
namespace {

using fixtures::FileSizeLimit;
using fixtures::MakeAvi;
using fixtures::MakeBmp;
using fixtures::MakeJpeg;
using fixtures::MakePng;
using PageAlbum = testing::SessionAlbum;

// Three photos (one with a thumbnail) written once, so that every output file exists.
struct WrittenAlbum : PageAlbum {
    WrittenAlbum() {
        Put("A.JPG", MakeJpeg(640, 480));
        Put("B.png", MakePng(300, 200));
        Put("C.bmp", MakeBmp(20, 10));
        Put("thumb/A.jpg", MakeJpeg(160, 120));
        Add("A.JPG", "一");
        Add("B.png", "二");
        Add("C.bmp", "三");
        EXPECT_EQ(GenerationResult::Done, GenerationRun(session));
        ui.status.clear();
    }
    void MarkAll(const char* text) {
        for (const char* name : kFiles) Put(name, text);
    }
    int Marked(const char* text) const {
        int n = 0;
        for (const char* name : kFiles) n += Get(name) == text;
        return n;
    }
    static constexpr const char* kFiles[] = {"index.html", "html/list.html", "html/A.html",
                                             "html/B.html", "html/C.html"};
};

// Messages and overwrite questions in the one order the user meets them.
struct OrderedInteraction : ScriptedInteraction {
    std::vector<std::string> seen;  // UTF-8; a question is "? " and its path
    MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                      MsgButtons buttons) override {
        seen.push_back(ToDisplay(text));
        return ScriptedInteraction::Message(text, caption, icon, buttons);
    }
    OverwriteAnswer ConfirmOverwrite(std::string_view path) override {
        seen.push_back("? " + ToDisplay(path));
        return ScriptedInteraction::ConfirmOverwrite(path);
    }
};

// A step's problems are told as it ends, before anything after it is asked: the unknown
// layout of index.html comes before the question about someone's autorun.inf beside it.
TEST(GenerationRun, AProblemIsToldBeforeTheNextQuestion) {
    fixtures::TempDir dir;
    OrderedInteraction ui;
    Session session(ui);
    SetDefaultFolders(session.album.style, dir.path(), session.settings);
    session.album.style.TopStyle = static_cast<TopLayout>(7);
    session.album.style.MakeAutorun = true;
    dir.Write("autorun.inf", "theirs");
    EXPECT_EQ(GenerationResult::Done, GenerationRun(session));
    EXPECT_EQ(ui.seen, (std::vector<std::string>{"トップページのスタイルが不正",
                                                 "? " + dir.path() + "/autorun.inf"}));
    EXPECT_EQ("theirs", dir.Read("autorun.inf"));
}

TEST(GenerationRun, WritesEveryFileWithStatuses) {
    PageAlbum a;
    a.Put("A.JPG", MakeJpeg(640, 480));
    a.Put("M.avi", MakeAvi(320, 240));
    a.Put("thumb/A.jpg", MakeJpeg(160, 120));
    a.Add("A.JPG", "一");
    a.Add("M.avi", "二");
    a.style().ListPreset = 1;
    a.style().MovieDynsrc = true;  // the old element, without the playable copies' step
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_TRUE(a.ui.messages.empty());
    EXPECT_TRUE(a.ui.overwriteAsked.empty());
    EXPECT_NE(std::string::npos, a.Get("index.html").find("src=\"html/A.html\""));
    EXPECT_NE(std::string::npos, a.Get("html/list.html").find("src=\"../thumb/A.jpg\""));
    EXPECT_NE(std::string::npos, a.Get("html/A.html").find("height=\"300\" width=\"400\""));
    EXPECT_NE(std::string::npos, a.Get("html/M.html").find("dynsrc=\"../M.avi\""));
    EXPECT_FALSE(a.Exists("autorun.inf"));

    std::vector<std::string> statuses;
    for (const auto& [pane, text] : a.ui.status) {
        EXPECT_EQ(StatusPane::Message, pane);
        statuses.push_back(ToDisplay(text));
    }
    EXPECT_EQ((std::vector<std::string>{
                  "トップページを作成しています...", "リストページを作成しています...",
                  "個別ページを作成しています...", "個別ページを作成しています... 1/2",
                  "個別ページを作成しています... 2/2", "", ""}),
              statuses);
}

// Without frames every page stands alone in the window and fits a phone's screen.
TEST(GenerationRun, LayoutWithoutFramesMakesTheListTheTopPage) {
    PageAlbum a;
    a.Put("A.JPG", MakeJpeg(3000, 2000));
    a.Put("B.JPG", MakeJpeg(640, 480));
    a.Put("thumb/A.jpg", MakeJpeg(160, 107));
    a.Add("A.JPG", "一");
    a.Add("B.JPG", "二");
    a.style().TopStyle = TopLayout::NoFrames;
    a.style().ListPreset = 4;  // the phone presets stand in for the chosen ones
    a.style().DetailPreset = 13;
    a.style().ImageSizeMode = SizeMode::Actual;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_TRUE(a.ui.messages.empty());
    const std::string viewport =
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">";
    const std::string index = a.Get("index.html");
    EXPECT_EQ(std::string::npos, index.find("<frame"));
    EXPECT_NE(std::string::npos, index.find(viewport));
    // Links made from the top folder, opening in the same window.
    EXPECT_NE(std::string::npos, index.find("<a href=\"html/A.html\"><img src=\"thumb/A.jpg\""));
    EXPECT_EQ(std::string::npos, index.find("target="));
    const std::string list = a.Get("html/list.html");
    EXPECT_NE(std::string::npos, list.find("<a href=\"A.html\"><img src=\"../thumb/A.jpg\""));
    EXPECT_EQ(std::string::npos, list.find("target="));

    const std::string detail = a.Get("html/A.html");
    EXPECT_NE(std::string::npos, detail.find(viewport));
    EXPECT_NE(std::string::npos, detail.find("img, video { max-width: 100%; height: auto; }"));
    EXPECT_NE(std::string::npos, detail.find("width=\"3000\""));  // scaled down by the CSS
    EXPECT_NE(std::string::npos, detail.find("<a href=\"../index.html\">"));
    EXPECT_NE(std::string::npos, detail.find("<a href=\"B.html\">"));
    EXPECT_NE(std::string::npos, detail.find("min-height: 44px"));
    EXPECT_EQ(std::string::npos, detail.find("target=\"detail"));
}

TEST(GenerationRun, ForceSettingReplacesWithoutAsking) {
    WrittenAlbum a;
    a.MarkAll("old");
    a.session.settings.EnvForceOverWrite = 1;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_TRUE(a.ui.overwriteAsked.empty());
    EXPECT_EQ(0, a.Marked("old"));
}

TEST(GenerationRun, AllAtTheTopPageAnswersForTheWholeRun) {
    WrittenAlbum a;
    a.MarkAll("old");
    a.ui.overwriteAnswers = {OverwriteAnswer::All};
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(std::vector<std::string>{a.Path("index.html")}, a.ui.overwriteAsked);
    EXPECT_EQ(0, a.Marked("old"));
}

TEST(GenerationRun, YesAndNoAnswers) {
    WrittenAlbum a;
    a.MarkAll("old");
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::Yes, OverwriteAnswer::Yes,
                             OverwriteAnswer::Yes, OverwriteAnswer::Yes};
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(5u, a.ui.overwriteAsked.size());
    EXPECT_EQ(0, a.Marked("old"));

    // "No" everywhere: nothing is replaced, and the run still succeeds.
    a.MarkAll("old");
    a.ui.overwriteAsked.clear();
    a.ui.defaultOverwrite = OverwriteAnswer::No;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(5u, a.ui.overwriteAsked.size());
    EXPECT_EQ(5, a.Marked("old"));

    // "No" at index.html only: the list and detail pages are still written.
    a.ui.overwriteAsked.clear();
    a.ui.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::All};
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(2u, a.ui.overwriteAsked.size());
    EXPECT_EQ("old", a.Get("index.html"));
    EXPECT_EQ(1, a.Marked("old"));
    EXPECT_TRUE(a.ui.messages.empty());
}

TEST(GenerationRun, CancelAtEachStep) {
    struct Case {
        int yesBefore;  // prompts answered "yes" before the cancel
        GenerationResult result;
        int replaced;  // files replaced before the cancel
    };
    for (Case c :
         {Case{0, GenerationResult::TopPageFailed, 0}, Case{1, GenerationResult::ListPageFailed, 1},
          Case{3, GenerationResult::DetailPagesFailed, 3}}) {
        WrittenAlbum a;
        a.MarkAll("old");
        for (int i = 0; i < c.yesBefore; ++i) a.ui.overwriteAnswers.push_back(OverwriteAnswer::Yes);
        a.ui.overwriteAnswers.push_back(OverwriteAnswer::Cancel);
        EXPECT_EQ(c.result, GenerationRun(a.session));
        EXPECT_EQ(c.yesBefore + 1u, a.ui.overwriteAsked.size());
        EXPECT_EQ(5 - c.replaced, a.Marked("old"));
        EXPECT_EQ("", a.ui.status.back().second);
        EXPECT_TRUE(a.ui.messages.empty());  // a cancel shows nothing by itself
    }
}

TEST(GenerationRun, BrokenTemplatesFailTheirStep) {
    PageAlbum a;
    a.Add("A.JPG");
    a.Put("broken.html", "");
    a.style().ListUseFile = TemplateSource::File;
    a.style().ListTemplateFile = a.target + "/broken.html";
    EXPECT_EQ(GenerationResult::ListPageFailed, GenerationRun(a.session));
    EXPECT_TRUE(a.Exists("index.html"));
    EXPECT_FALSE(a.Exists("html/A.html"));
    ASSERT_EQ(1u, a.ui.messages.size());
    EXPECT_EQ(0u, a.ui.MessagesUtf8()[0].find("テンプレートファイルから読み込めません(errno="));

    PageAlbum b;
    b.Add("A.JPG");
    b.style().DetailUseFile = TemplateSource::File;
    b.style().DetailTemplateFile = b.target + "/nowhere/t.html";
    EXPECT_EQ(GenerationResult::DetailPagesFailed, GenerationRun(b.session));
    EXPECT_TRUE(b.Exists("html/list.html"));
    EXPECT_EQ(
        "指定されたテンプレートファイルを開けません(errno=2)\n" + b.target + "/nowhere/t.html",
        b.ui.MessagesUtf8().at(0));
}

// No two files of a run share a name: a photo named list.jpg does not replace the list page,
// a.jpg and a.png get two pages, and every link names the page its entry got.
TEST(GenerationRun, EveryLinkLeadsToThePageOfItsEntry) {
    PageAlbum a;
    a.style().DetailPreset = 11;
    a.style().ListPreset = 1;
    a.Put("list.jpg", MakeJpeg(64, 48));
    a.Put("a.jpg", MakeJpeg(64, 48));
    a.Put("a.png", MakePng(64, 48));
    a.Put("thumb/a.png", MakePng(32, 24));
    a.Add("list.jpg", "L");
    a.Add("a.jpg", "J");
    a.Add("a.png", "P");
    a.Put("html/a.html", "old");
    a.session.settings.EnvForceOverWrite = 1;
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes};  // a.html is no page of the program's
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_TRUE(a.ui.messages.empty());
    a.ui.overwriteAsked.clear();

    EXPECT_NE(std::string::npos, a.Get("index.html").find("src=\"html/list_jpg.html\""));
    std::string list = a.Get("html/list.html");
    EXPECT_NE(std::string::npos, list.find("<a href=\"list_jpg.html\" target=\"detail\">L</a>"));
    EXPECT_NE(std::string::npos, list.find("<a href=\"a.html\" target=\"detail\">J</a>"));
    EXPECT_NE(std::string::npos, list.find("<a href=\"a_png.html\" target=\"detail\">P</a>"));
    EXPECT_NE(std::string::npos, list.find("src=\"../thumb/a.png\""));
    std::string photo = a.Get("html/a.html");
    EXPECT_NE(std::string::npos, photo.find("<a href=\"list_jpg.html\">Prev</a>"));
    EXPECT_NE(std::string::npos, photo.find("<a href=\"a_png.html\">Next</a>"));
    EXPECT_NE(std::string::npos, photo.find("src=\"../a.jpg\""));
    EXPECT_NE(std::string::npos, a.Get("html/a_png.html").find("src=\"../a.png\""));
    EXPECT_NE(std::string::npos, a.Get("html/list_jpg.html").find("src=\"../list.jpg\""));

    // Without force the pages of the same run are never "kept" as if they were old files:
    // with the five files of the first run changed by hand, each is asked about once.
    for (const char* name :
         {"index.html", "html/list.html", "html/list_jpg.html", "html/a.html", "html/a_png.html"}) {
        a.Put(name, "edited");
    }
    a.session.settings.EnvForceOverWrite = 0;
    a.ui.defaultOverwrite = OverwriteAnswer::No;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(5u, a.ui.overwriteAsked.size());
}

// Values made of token names multiply the text at every replacement. A page that would pass
// its limit fails the run with its message, and the run does not build more of it than that.
TEST(GenerationRun, ValuesMadeOfTokenNamesFailTheRun) {
    std::string yomis, groups, comments;
    for (int i = 0; i < 85; ++i) yomis += "_YOMI_";
    for (int i = 0; i < 73; ++i) groups += "_GROUP_";
    for (int i = 0; i < 73; ++i) comments += "_COMM1_";
    auto fill = [&](PageAlbum& a) {
        for (int i = 0; i < 600; ++i) {
            int e = a.Add(Format("P%03d.JPG", i));
            EntryList& list = a.session.album.entries;
            list.SetField(e, COL_TITLE, yomis);
            list.SetField(e, COL_YOMI, groups);
            list.SetField(e, COL_GROUP, comments);
            list.SetField(e, COL_COMM1, groups);
        }
    };
    PageAlbum a;
    fill(a);
    EXPECT_EQ(GenerationResult::ListPageFailed, GenerationRun(a.session));
    ASSERT_EQ(1u, a.ui.messages.size());
    EXPECT_EQ(
        "一覧ページが大きくなりすぎるため作成できません（上限 16MB）\n"
        "タイトルやコメントなどに置換対象文字列が含まれていないか確認してください\n" +
            a.Path("html/list.html"),
        a.ui.MessagesUtf8()[0]);
    EXPECT_FALSE(a.Exists("html/list.html"));

    // A list that shows file names only: the detail pages fail instead.
    PageAlbum b;
    fill(b);
    b.style().ListTextKind = 3;
    EXPECT_EQ(GenerationResult::DetailPagesFailed, GenerationRun(b.session));
    ASSERT_EQ(1u, b.ui.messages.size());
    EXPECT_EQ(0u, b.ui.MessagesUtf8()[0].find(
                      "個別ページが大きくなりすぎるため作成できません（上限 16MB）\n"));
    EXPECT_TRUE(b.Exists("html/list.html"));
    EXPECT_FALSE(b.Exists("html/P000.html"));
}

// An entry whose name is not Shift-JIS cannot name a page: the run passes it over, says so
// once, and writes the other pages, none of which links to the missing one.
TEST(GenerationRun, EntriesWhoseNamesAreNotShiftJisArePassedOver) {
    PageAlbum a;
    a.style().DetailPreset = 11;
    const std::string bad = "\x82.jpg";
    a.Add(bad);
    a.Add("A.JPG", "A");
    a.Add(bad + "2");
    a.Add("B.JPG", "B");
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_EQ(
        (std::vector<std::string>{
            "次のエントリ 2 件は名前に Shift-JIS で表せない文字を含むため、個別ページを作成せず"
            "一覧ページにも載せませんでした\n1 番目: \uFFFDjpg\n3 番目: \uFFFDjpg2"}),
        a.ui.MessagesUtf8());
    EXPECT_NE(std::string::npos, a.Get("index.html").find("src=\"html/A.html\""));
    std::string list = a.Get("html/list.html");
    EXPECT_NE(std::string::npos, list.find("A.html"));
    EXPECT_NE(std::string::npos, list.find("B.html"));
    EXPECT_EQ(std::string::npos, list.find(".jpg"));
    EXPECT_EQ(std::string::npos, list.find("\x82"));
    std::string first = a.Get("html/A.html");
    EXPECT_NE(std::string::npos, first.find("<strong>Prev</strong>"));
    EXPECT_NE(std::string::npos, first.find("<a href=\"B.html\">Next</a>"));
    EXPECT_NE(std::string::npos, first.find("(page:1/2)"));
    EXPECT_NE(std::string::npos, a.Get("html/B.html").find("(page:2/2)"));
}

// A list template without its repeat markers cannot make an index: the run fails before it
// asks or writes anything for the list.
TEST(GenerationRun, ListTemplateWithoutMarkersFailsTheRun) {
    PageAlbum a;
    a.Add("A.JPG");
    a.Put("t.html", "<html><body>_TDTEXT_</body></html>\n");
    a.Put("html/list.html", "old");
    a.style().ListUseFile = TemplateSource::File;
    a.style().ListTemplateFile = a.target + "/t.html";
    EXPECT_EQ(GenerationResult::ListPageFailed, GenerationRun(a.session));
    EXPECT_EQ(std::vector<std::string>{"テンプレートの内容が不正です"}, a.ui.MessagesUtf8());
    EXPECT_EQ(std::vector<std::string>{}, a.ui.overwriteAsked);
    EXPECT_EQ("old", a.Get("html/list.html"));
    EXPECT_FALSE(a.Exists("html/A.html"));
}

TEST(CreateHtmlCommand, ClosingMessages) {
    PageAlbum a;
    a.Add("A.JPG");
    a.ui.answers = {MsgAnswer::Yes};
    std::string open;
    EXPECT_EQ(GenerationResult::Done, CreateHtmlCommand(a.session, open));
    EXPECT_EQ(a.Path("index.html"), open);
    ASSERT_EQ(1u, a.ui.messages.size());
    const auto& asked = a.ui.messages[0];
    EXPECT_EQ("HTMLページを作成しました\n\nブラウザで表示してみますか？　　",
              ToDisplay(asked.text));
    EXPECT_EQ("メッセージ", ToDisplay(asked.caption));
    EXPECT_EQ(MsgIcon::Information, asked.icon);
    EXPECT_EQ(MsgButtons::YesNo, asked.buttons);
    EXPECT_FALSE(a.session.album.modified);

    a.ui.answers = {MsgAnswer::No};
    EXPECT_EQ(GenerationResult::Done,
              CreateHtmlCommand(a.session, open));  // "no" at every prompt still succeeds
    EXPECT_EQ("", open);

    // A cancel: the failure message is the only one, and the album counts as modified.
    a.Put("index.html", "edited");
    a.ui.messages.clear();
    a.ui.overwriteAnswers = {OverwriteAnswer::Cancel};
    EXPECT_EQ(GenerationResult::TopPageFailed, CreateHtmlCommand(a.session, open));
    EXPECT_EQ("", open);
    ASSERT_EQ(1u, a.ui.messages.size());
    EXPECT_EQ("HTMLページの作成に失敗しました", ToDisplay(a.ui.messages[0].text));
    EXPECT_EQ("エラーメッセージ", ToDisplay(a.ui.messages[0].caption));
    EXPECT_EQ(MsgIcon::Stop, a.ui.messages[0].icon);
    EXPECT_TRUE(a.session.album.modified);
}

TEST(GenerationRun, FailedWritesAreFailures) {
    PageAlbum a;
    a.Add("A.JPG");
    a.Add("B.JPG");
    a.style().MakeAutorun = 1;
    {
        FileSizeLimit limit(64);
        EXPECT_EQ(GenerationResult::TopPageFailed, GenerationRun(a.session));
    }
    EXPECT_EQ("HTMLファイルに書き込めません(errno=27)\n" + a.Path("index.html"),
              a.ui.MessagesUtf8().at(0));
    EXPECT_FALSE(a.Exists("index.html"));  // no half page left behind

    // The autorun file alone is too big.
    a.ui.messages.clear();
    {
        FileSizeLimit limit(20);
        a.style().TopStyle = static_cast<TopLayout>(9);  // an empty index.html, which fits
        EXPECT_EQ(StepResult::Failed, a.TopStep(PageNames(a.session.album)));
    }
    EXPECT_EQ("トップページのスタイルが不正", a.ui.MessagesUtf8().at(0));
    EXPECT_EQ("ファイル出力エラー(errno=27)\n" + a.Path("autorun.inf"), a.ui.MessagesUtf8().at(1));
    a.style().TopStyle = TopLayout::ListLeft;

    // The list page: its own message, and a failed step.
    a.ui.messages.clear();
    PageRun run(a.session.album);
    {
        FileSizeLimit limit(64);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteListPageStep(a.album(), run, a.out)));
    }
    EXPECT_EQ(std::vector<std::string>{"リストHTMLファイル出力エラー(1)"}, a.ui.MessagesUtf8());
    EXPECT_FALSE(a.Exists("html/list.html"));

    // A detail page replacing an older one: the old page survives the failed write.
    a.ui.messages.clear();
    a.Put("html/A.html", "the old page");
    OverwritePolicy all(a.ui, true);
    PageOutput out{a.ui, all};
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes};  // no page of the program's: asked
    {
        FileSizeLimit limit(64);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, out)));
    }
    EXPECT_EQ(std::vector<std::string>{"HTMLファイルに書き込めません(errno=27)\nA"},
              a.ui.MessagesUtf8());
    EXPECT_EQ("the old page", a.Get("html/A.html"));
    EXPECT_FALSE(a.Exists("html/B.html"));

    // Nothing in the way any more: the run succeeds.
    // (Files written under the limits could not all be recorded: the user lets them go.)
    a.session.settings.EnvForceOverWrite = 1;
    a.ui.defaultOverwrite = OverwriteAnswer::Yes;
    EXPECT_EQ(GenerationResult::Done, GenerationRun(a.session));
    EXPECT_NE("the old page", a.Get("html/A.html"));
}

}  // namespace
}  // namespace mirulane
