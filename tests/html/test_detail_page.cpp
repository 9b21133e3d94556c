// Detail pages: the picture element's sizing rules, whole pages of the two presets written out
// in full, and the step that writes every entry's page.

#include <gtest/gtest.h>

#include "album/media.h"
#include "fixtures/exif_builder.h"
#include "html/detail_page.h"
#include "html/image_sizing.h"
#include "html/list_page.h"
#include "html/presets.h"
#include "support/page_album.h"

namespace mirulane {
namespace {

using fixtures::MakeAvi;
using fixtures::MakeGif;
using fixtures::MakeJpeg;
using testing::Crlf;
using testing::PageAlbum;

// The values the detail tokens of one entry take in a page: each token is read through a
// template that holds it alone.
struct DetailValues {
    const Album& album;
    PageRun& run;
    int index;
    LinkMode mode;

    std::string operator[](Token token) const {
        std::optional<std::string> page = DetailPageText(album, run, TokenText(token), index, mode);
        EXPECT_TRUE(page.has_value());
        return page.value_or(std::string());
    }
};

std::string Image(PageAlbum& a, int index, LinkMode mode = LinkMode::Page) {
    ImageLocator locator;
    return ToDisplay(BuildImageElement(a.session.album, locator, index, mode));
}

TEST(ImageSizing, FitRoundsRatiosToSinglePrecision) {
    // 94 / 160 in single precision is 0.58749998: 160 × that stays below 94.
    ShownSize s = FitSize(160, 120, 94, 94);
    EXPECT_EQ(93, s.width);
    EXPECT_EQ(70, s.height);
    EXPECT_EQ("58.7%表示 (原寸:160x120)", ToDisplay(SizeAltText(s, 160, 120)));

    s = FitSize(1600, 1200, 400, 400);
    EXPECT_EQ(400, s.width);
    EXPECT_EQ(300, s.height);
    EXPECT_EQ("25.0%表示 (原寸:1600x1200)", ToDisplay(SizeAltText(s, 1600, 1200)));

    // Exactly the box, and a small picture enlarged until one side meets the box.
    s = FitSize(400, 400, 400, 400);
    EXPECT_EQ("100.0%表示 (原寸:400x400)", ToDisplay(SizeAltText(s, 400, 400)));
    EXPECT_EQ(400, s.width);
    s = FitSize(100, 50, 400, 400);
    EXPECT_EQ(400, s.width);
    EXPECT_EQ(200, s.height);

    // One side of the box: that side is met, the other follows in integers.
    s = FitSize(160, 120, 94, 0);
    EXPECT_EQ(94, s.width);
    EXPECT_EQ(70, s.height);  // 120 × 94 / 160 = 70.5, truncated
    s = FitSize(160, 120, 0, 50);
    EXPECT_EQ(66, s.width);  // 160 × 50 / 120 = 66.6
    EXPECT_EQ(50, s.height);

    // No box at all: the original size, written as such.
    s = FitSize(160, 120, 0, 0);
    EXPECT_EQ(160, s.width);
    EXPECT_EQ("100%表示 (原寸:160x120)", ToDisplay(SizeAltText(s, 160, 120)));
}

TEST(ImageSizing, ScaleAndOriginal) {
    ShownSize s = SizeForMode(SizeMode::Scale, 50, 400, 400, 1600, 1200);
    EXPECT_EQ(800, s.width);
    EXPECT_EQ(600, s.height);
    EXPECT_EQ("50.0%表示 (原寸:1600x1200)", ToDisplay(SizeAltText(s, 1600, 1200)));
    s = SizeForMode(SizeMode::Scale, 0, 0, 0, 100, 10);
    EXPECT_EQ(0, s.width);
    // Absurd percentages saturate instead of overflowing.
    s = SizeForMode(SizeMode::Scale, 2000000000, 0, 0, 60000, 60000);
    EXPECT_GT(s.width, 0);
}

TEST(DetailPicture, ElementForEachKindOfFile) {
    PageAlbum a;
    a.Put("P1.JPG", MakeJpeg(1600, 1200));
    a.Put("SMALL.jpg", MakeJpeg(160, 120));
    a.Put("MOV.AVI", MakeAvi(320, 240));
    a.Put("CLIP.mpg", "not really a movie");
    // A clip shot with the phone upright: stored sideways, turned by its track's matrix.
    a.Put("PHONE.MP4",
          fixtures::Mp4Box("ftyp", "mp42") +
              fixtures::Mp4Box(
                  "moov", fixtures::Mp4Box("trak", fixtures::Mp4TrackHeader(1920, 1080, 0, 1))));
    a.Put("THUMBED.jpg", MakeJpeg(160, 120));  // a still beside the movie THUMBED.AVI
    a.Add("P1.JPG");
    a.Add("SMALL.jpg");
    a.Add("MOV.AVI");
    a.Add("CLIP.mpg");
    a.Add("THUMBED.AVI");
    a.Add("GONE.JPG");
    a.Add("PHONE.MP4");

    EXPECT_EQ(
        "<img src=\"../P1.JPG\" alt=\"25.0%表示 (原寸:1600x1200)\" height=\"300\" width=\"400\" "
        "border=\"0\">",
        Image(a, 0));
    a.style().ImageFitWidth = 94;
    a.style().ImageFitHeight = 94;
    EXPECT_EQ(
        "<img src=\"../SMALL.jpg\" alt=\"58.7%表示 (原寸:160x120)\" height=\"70\" width=\"93\" "
        "border=\"0\">",
        Image(a, 1));
    // A movie: a player of the file in the target folder, with a link to it below.
    a.style().ImageSizeMode = SizeMode::Actual;
    EXPECT_EQ(
        "<video controls preload=\"metadata\" width=\"320\" height=\"240\"><source "
        "src=\"../MOV.AVI\"></video><br><a href=\"../MOV.AVI\">MOV.AVI</a>",
        Image(a, 2));
    // The old element, for the users who ask for it: dynsrc names the file in the target
    // folder, without the target attribute.
    a.style().MovieDynsrc = true;
    EXPECT_EQ(
        "<img dynsrc=\"../MOV.AVI\" controls src=\"../MOV.AVI\" alt=\"100%表示 "
        "(原寸:320x240)\" height=\"240\" width=\"320\" border=\"0\">",
        Image(a, 2));
    // MPEG sizes are not read: no size attributes.
    EXPECT_EQ(
        "<img dynsrc=\"../CLIP.mpg\" controls src=\"../CLIP.mpg\" alt=\"サイズ不明\" "
        "border=\"0\">",
        Image(a, 3));
    EXPECT_EQ(
        "<img dynsrc=\"../PHONE.MP4\" controls src=\"../PHONE.MP4\" alt=\"100%表示 "
        "(原寸:1080x1920)\" height=\"1920\" width=\"1080\" border=\"0\">",
        Image(a, 6));
    // The movie file is not in the picture folder, a still with its base name is.
    a.style().ImageFolder = a.target + "/stills";
    a.Put("stills/THUMBED.jpg", MakeJpeg(64, 48));
    EXPECT_EQ(
        "<img src=\"../stills/THUMBED.jpg\" alt=\"100%表示 (原寸:64x48)\" height=\"48\" "
        "width=\"64\" border=\"0\">",
        Image(a, 4));
    EXPECT_EQ("表示できません", Image(a, 5));

    // Preview mode names the folders themselves.
    a.style().ImageFolder = a.target;
    a.style().ImageSizeMode = SizeMode::Scale;
    a.style().ImageScale = 0;
    EXPECT_EQ(
        "<img src=\"" + a.target + "/P1.JPG\" alt=\"0.0%表示 (原寸:1600x1200)\" border=\"0\">",
        Image(a, 0, LinkMode::Preview));
}

// Browsers show a photo upright by its Exif Orientation: a portrait stored on its side must get
// the turned size, or it is drawn squashed into the landscape box. Orientations 1 to 4 keep the
// stored size.
TEST(PortraitPhotos, DetailPictureAndListThumbnailGetTheTurnedSize) {
    for (auto order : {fixtures::ByteOrder::Little, fixtures::ByteOrder::Big}) {
        for (uint16_t o = 1; o <= 8; ++o) {
            SCOPED_TRACE(::testing::Message() << "order " << static_cast<int>(order) << " o " << o);
            PageAlbum a;
            a.Put("P.JPG", fixtures::MakeOrientedJpeg(600, 450, o, order));
            a.Put("thumb/P.JPG", fixtures::MakeOrientedJpeg(160, 120, o, order));
            a.Add("P.JPG");
            const bool turned = o >= 5;
            EXPECT_EQ(turned ? "<img src=\"../P.JPG\" alt=\"66.7%表示 (原寸:450x600)\" "
                               "height=\"400\" width=\"300\" border=\"0\">"
                             : "<img src=\"../P.JPG\" alt=\"66.7%表示 (原寸:600x450)\" "
                               "height=\"300\" width=\"400\" border=\"0\">",
                      Image(a, 0));
            PageRun run(a.session.album);
            EXPECT_EQ(turned ? "../thumb/P.JPG\" border=\"0\" width=\"70\" height=\"93\" "
                               "hspace=\"12\" vspace=\"0"
                             : "../thumb/P.JPG\" border=\"0\" width=\"93\" height=\"70\" "
                               "hspace=\"0\" vspace=\"12",
                      BuildListValues(a.session.album, run, 0, LinkMode::Page)[Token::THUMBSP]);
        }
    }
}

TEST(DetailValues, LinksCountersAndNeighbours) {
    PageAlbum a;
    a.Add("A.JPG", "一");
    a.Add("B.c.JPG", "二");
    a.Add("C", "三");
    PageRun run(a.session.album);
    const Album& album = a.session.album;

    DetailValues v{album, run, 1, LinkMode::Page};
    EXPECT_EQ("../B.c.JPG\" target=\"_TOP", v[Token::TARGET]);
    EXPECT_EQ("B.c", v[Token::FILE]);
    EXPECT_EQ("B.c.JPG", v[Token::FILEEX]);
    EXPECT_EQ("<a href=\"A.html\">Prev</a>", v[Token::PREV]);
    EXPECT_EQ("<a href=\"C.html\">Next</a>", v[Token::NEXT]);
    EXPECT_EQ("2", v[Token::PGCUR]);
    EXPECT_EQ("3", v[Token::PGTOTAL]);
    EXPECT_EQ("表示できません", ToDisplay(v[Token::IMAGE]));

    a.style().TargetToTop = 0;
    a.style().PrevText = "&lt;&lt;";
    v.index = 0;
    EXPECT_EQ("../A.JPG", v[Token::TARGET]);
    EXPECT_EQ("&lt;&lt;", v[Token::PREV]);  // the first page: plain text
    v.index = 2;
    v.mode = LinkMode::Preview;
    EXPECT_EQ(a.target + "/C", v[Token::TARGET]);
    EXPECT_EQ("Next", v[Token::NEXT]);  // the last page: plain text
}

// File names and camera data come from the files and show as they are; links to the files
// lead a browser to them; the texts the user typed keep the markup typed into them.
TEST(DetailValues, NamesAndCameraDataAreEscapedUserTextsAreNot) {
    PageAlbum a;
    a.style().TargetToTop = 0;
    a.style().ImageSizeMode = SizeMode::Actual;
    const std::string hostile = "\"><img src=x onerror=alert(2)>";
    a.Put(hostile + ".gif", MakeGif(20, 10));
    a.Add("first.jpg");
    int i = a.Add(hostile + ".gif", "<b>Title</b>", "<i>comment</i>");
    a.Add(Sj("旅行 #1.jpg"));
    EntryList& list = a.session.album.entries;
    list.SetField(i, COL_MAKER, "<script>alert(1)</script>");
    list.SetField(i, COL_MODEL, "Line 1<br>Line 2");
    PageRun run(a.session.album);
    DetailValues v{a.session.album, run, i, LinkMode::Page};
    EXPECT_EQ("&quot;&gt;&lt;img src=x onerror=alert(2)&gt;", v[Token::FILE]);
    EXPECT_EQ("&quot;&gt;&lt;img src=x onerror=alert(2)&gt;.gif", v[Token::FILEEX]);
    EXPECT_EQ("../%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.gif", v[Token::TARGET]);
    EXPECT_EQ(
        "<img src=\"../%22%3E%3Cimg%20src=x%20onerror=alert(2)%3E.gif\" alt=\"100%表示 "
        "(原寸:20x10)\" height=\"10\" width=\"20\" border=\"0\">",
        ToDisplay(v[Token::IMAGE]));
    EXPECT_EQ("&lt;script&gt;alert(1)&lt;/script&gt;", v[Token::MAKER]);
    EXPECT_EQ("Line 1<br>Line 2", v[Token::MODEL]);
    EXPECT_EQ("<b>Title</b>", v[Token::TITLE]);
    EXPECT_EQ("<i>comment</i>", v[Token::COMM1]);
    // The neighbours' page names are links too; a Japanese name stays as it is.
    EXPECT_EQ(Sj("<a href=\"旅行%20%231.html\">Next</a>"), v[Token::NEXT]);
    // A title and reading still as the folder scan filled them in are the file's name.
    list.SetField(i, COL_TITLE, hostile);
    list.SetField(i, COL_YOMI, hostile);
    EXPECT_EQ("&quot;&gt;&lt;img src=x onerror=alert(2)&gt;", v[Token::TITLE]);
    EXPECT_EQ("&quot;&gt;&lt;img src=x onerror=alert(2)&gt;", v[Token::YOMI]);

    std::string page = *DetailPageText(a.session.album, run, DetailPreset(12), i, LinkMode::Page);
    EXPECT_EQ(std::string::npos, page.find("<img src=x"));
    EXPECT_EQ(std::string::npos, page.find("<script>"));
}

// The look-up ignores letter case, as albums made on Windows need; the link must then name the
// file as it is on disk, or it leads nowhere where case matters.
TEST(DetailPicture, SourceNamesTheFileAsFoundOnDisk) {
    PageAlbum a;
    a.style().ImageFolder = a.target + "/stills";
    a.style().ImageSizeMode = SizeMode::Actual;
    a.Put("stills/A.JPG", MakeJpeg(10, 10));
    a.Put("stills/Mov.Jpeg", MakeJpeg(8, 8));
    a.Add("a.jpg");
    a.Add("mov.avi");
    EXPECT_EQ(
        "<img src=\"../stills/A.JPG\" alt=\"100%表示 (原寸:10x10)\" height=\"10\" "
        "width=\"10\" border=\"0\">",
        Image(a, 0));
    EXPECT_EQ(
        "<img src=\"../stills/Mov.Jpeg\" alt=\"100%表示 (原寸:8x8)\" height=\"8\" "
        "width=\"8\" border=\"0\">",
        Image(a, 1));
}

// The 1600 × 1200 example in the default fit box, with CR LF on disk.
TEST(DetailPage, PresetOneWholePage) {
    PageAlbum a;
    a.Put("P1.JPG", MakeJpeg(1600, 1200));
    a.Add("P1.JPG", "最初の一枚");
    PageRun run(a.session.album);
    ASSERT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_EQ(Crlf(Sj("<html>\n"
                      "<head>\n"
                      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
                      "<title>最初の一枚</title>\n"
                      "</head>\n"
                      "<body>\n"
                      "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" height=\"100%\" "
                      "align=\"center\">\n"
                      "  <tr>\n"
                      "    <td align=\"right\" valign=\"middle\">\n"
                      "      <a href=\"../P1.JPG\" target=\"_TOP\"><img src=\"../P1.JPG\" "
                      "alt=\"25.0%表示 (原寸:1600x1200)\" height=\"300\" width=\"400\" "
                      "border=\"0\"></a><p>P1</p>\n"
                      "    </td>\n"
                      "  </tr>\n"
                      "</table>\n"
                      "</body>\n"
                      "</html>\n")),
              a.Get("html/P1.html"));
}

// The middle page of three with preset 11: neighbour links, comments, counter; and a switched
// off token staying verbatim.
TEST(DetailPage, PresetElevenWholePage) {
    PageAlbum a;
    a.style().DetailPreset = 11;
    a.style().TargetToTop = 0;
    a.style().tokenSwitch[static_cast<int>(Token::PGTOTAL)] = 0;
    a.Put("b.gif", MakeGif(200, 100));
    a.Add("a.jpg", "A");
    a.Add("b.gif", "海の日", "波が高かった。", "七月");
    a.Add("c.jpg", "C");
    PageRun run(a.session.album);
    std::string page = *DetailPageText(a.session.album, run, DetailPreset(11), 1, LinkMode::Page);
    EXPECT_EQ(
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
        "<title>海の日</title>\n"
        "</head>\n"
        "<body>\n"
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n"
        "  <tr>\n"
        "    <td><font size=\"4\"><strong>海の日</strong></font></td>\n"
        "    <td><p align=\"right\"><font size=\"2\" face=\"Verdana\"><strong><a "
        "href=\"a.html\">Prev</a></strong></font> <font size=\"2\" face=\"Verdana\"><strong><a "
        "href=\"c.html\">Next</a></strong></font></p></td>\n"
        "  </tr>\n"
        "  <tr>\n"
        "    <td colspan=\"2\"><hr>\n"
        "    </td>\n"
        "  </tr>\n"
        "  <tr>\n"
        "    <td colspan=\"2\"><font size=\"3\">七月</font></td>\n"
        "  </tr>\n"
        "</table>\n"
        "<p align=\"center\"><a href=\"../b.gif\"><img src=\"../b.gif\" alt=\"200.0%表示 "
        "(原寸:200x100)\" height=\"200\" width=\"400\" border=\"0\"><br>b</a></p>\n"
        "<blockquote>\n"
        "  <p>波が高かった。</p>\n"
        "</blockquote>\n"
        "<p align=\"right\"><font color=\"#008080\" size=\"1\" "
        "face=\"Verdana\">(page:2/_PGTOTAL_)</font></p>\n"
        "</body>\n"
        "</html>\n",
        ToDisplay(page));
}

// Tokens are replaced one after the other over the growing text, so a value joined to the
// template text around it can form a later token; the picture fills that one too.
TEST(DetailPage, PictureTokenFormedByAnEarlierValue) {
    PageAlbum a;
    a.style().TargetToTop = 0;
    a.style().ImageSizeMode = SizeMode::Actual;
    a.Put("P.gif", MakeGif(20, 10));
    a.Add("P.gif", "_IMA");
    PageRun run(a.session.album);
    EXPECT_EQ(
        "[<img src=\"../P.gif\" alt=\"100%表示 (原寸:20x10)\" height=\"10\" width=\"20\" "
        "border=\"0\">]",
        ToDisplay(*DetailPageText(a.session.album, run, "[_TITLE_GE_]", 0, LinkMode::Page)));
    // The same in the repeat region of a list page.
    bool invalid = true;
    EXPECT_EQ(
        "<!x>\n<b>[<img src=\"../P.gif\" alt=\"100%表示 (原寸:20x10)\" height=\"10\" "
        "width=\"20\" border=\"0\">]</b>\n",
        ToDisplay(*ListPageText(a.session.album, run,
                                "<!x>\n<!--mirulanestart-->\n<b>[_TITLE_GE_]</b>\n"
                                "<!--mirulaneend-->\n",
                                LinkMode::Page, invalid)));
    EXPECT_FALSE(invalid);
}

TEST(DetailPage, OneEntryAlbumHasPlainNeighboursAndCounterOne) {
    PageAlbum a;
    a.style().DetailPreset = 11;
    a.Add("ONLY.JPG");
    PageRun run(a.session.album);
    ASSERT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    std::string page = a.Get("html/ONLY.html");
    EXPECT_NE(std::string::npos, page.find("<strong>Prev</strong></font> <font size=\"2\" "
                                           "face=\"Verdana\"><strong>Next</strong>"));
    EXPECT_NE(std::string::npos, page.find("(page:1/1)"));
}

TEST(WriteAllDetailPages, ProgressOverwriteAnswersAndFlag) {
    PageAlbum a;
    a.Add("A.JPG");
    a.Add("B.JPG");
    a.Add("C.JPG");
    a.Put("html/A.html", "old A");
    a.Put("html/B.html", "old B");
    a.Put("html/C.html", "old C");
    a.ui.overwriteAnswers = {OverwriteAnswer::No, OverwriteAnswer::Yes, OverwriteAnswer::No};
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_EQ("old A", a.Get("html/A.html"));
    EXPECT_NE("old B", a.Get("html/B.html"));
    EXPECT_EQ("old C", a.Get("html/C.html"));
    ASSERT_EQ(3u, a.ui.overwriteAsked.size());
    EXPECT_EQ(a.target + "/html/A.html", a.ui.overwriteAsked[0]);
    ASSERT_EQ(4u, a.ui.status.size());
    EXPECT_EQ("個別ページを作成しています... 1/3", ToDisplay(a.ui.status[0].second));
    EXPECT_EQ("個別ページを作成しています... 3/3", ToDisplay(a.ui.status[2].second));
    EXPECT_EQ("", a.ui.status[3].second);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}), a.ui.progress);

    // "All" at the first page answers for the rest of the run (the policy it shares) about
    // the program's own pages; a page the program never wrote is still asked about by itself.
    a.ui.overwriteAsked.clear();
    a.ui.overwriteAnswers = {OverwriteAnswer::All, OverwriteAnswer::Yes};
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_EQ(a.ui.overwriteAsked,
              (std::vector<std::string>{a.Path("html/A.html"), a.Path("html/C.html")}));
    EXPECT_NE("old C", a.Get("html/C.html"));
    a.Put("html/B.html", "edited B");  // a page of the program's own, edited: not asked now
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_EQ(a.ui.overwriteAsked.size(), 2u);
    EXPECT_NE("edited B", a.Get("html/B.html"));

    // Cancel ends the step at once; the status text is cleared.
    a.Put("html/A.html", "old A");
    a.Put("html/B.html", "old B");
    a.ui.overwriteAsked.clear();
    a.ui.overwriteAnswers = {OverwriteAnswer::Yes, OverwriteAnswer::Cancel};
    a.ui.status.clear();
    OverwritePolicy asking(a.ui, false);  // a new run, which asks again
    PageOutput out{a.ui, asking};
    EXPECT_EQ(StepResult::Cancelled, a.Told(WriteAllDetailPages(a.album(), run, out)));
    EXPECT_EQ(2u, a.ui.overwriteAsked.size());
    EXPECT_EQ("", a.ui.status.back().second);
    EXPECT_TRUE(a.ui.messages.empty());
}

TEST(WriteAllDetailPages, ACancelledProgressStopsBeforeTheNextPage) {
    PageAlbum a;
    for (const char* name : {"A.JPG", "B.JPG", "C.JPG"}) a.Add(name);
    a.ui.cancelAtDone = 1;
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Cancelled, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_TRUE(a.Exists("html/A.html"));
    EXPECT_FALSE(a.Exists("html/B.html"));
    EXPECT_FALSE(a.Exists("html/C.html"));
    EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 3}, {1, 3}}), a.ui.progress);
    EXPECT_EQ("", a.ui.status.back().second);
    EXPECT_TRUE(a.ui.messages.empty());
}

// A photo and a movie with one base name each get a page of their own: the later one's name
// is made from its extension, nobody is asked about the page just written, and the links of
// each lead to its own page.
TEST(WriteAllDetailPages, EntriesSharingABaseName) {
    PageAlbum a;
    a.style().DetailPreset = 11;
    a.Put("P1.JPG", MakeJpeg(40, 30));
    a.Put("P1.AVI", MakeAvi(320, 240));
    a.Add("P1.JPG", "photo");
    a.Add("P1.AVI", "movie");
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_TRUE(a.ui.overwriteAsked.empty());
    EXPECT_TRUE(a.ui.messages.empty());
    std::string photo = a.Get("html/P1.html");
    std::string movie = a.Get("html/P1_AVI.html");
    EXPECT_NE(std::string::npos, photo.find("src=\"../P1.JPG\""));
    EXPECT_NE(std::string::npos, photo.find("<a href=\"P1_AVI.html\">Next</a>"));
    EXPECT_NE(std::string::npos, movie.find("<source src=\"../P1.AVI\""));
    EXPECT_NE(std::string::npos, movie.find("<a href=\"P1.html\">Prev</a>"));
}

TEST(WriteAllDetailPages, FailuresAndTheirMessages) {
    {
        // The output folder is blocked by a file.
        PageAlbum a;
        a.Put("html", "a file");
        a.Add("A.JPG");
        PageRun run(a.session.album);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
        ASSERT_EQ(1u, a.ui.messages.size());
        EXPECT_EQ("個別ページの出力先フォルダを作成できません\n" + a.target + "/html",
                  a.ui.MessagesUtf8()[0]);
    }
    {
        // A missing and an empty template file; no page is written.
        PageAlbum a;
        a.Add("A.JPG");
        a.style().DetailUseFile = TemplateSource::File;
        a.style().DetailTemplateFile = a.target + "/none.html";
        PageRun run(a.session.album);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
        a.Put("empty.html", "");
        a.style().DetailTemplateFile = a.target + "/empty.html";
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
        auto shown = a.ui.MessagesUtf8();
        ASSERT_EQ(2u, shown.size());
        EXPECT_EQ("指定されたテンプレートファイルを開けません(errno=2)\n" + a.target + "/none.html",
                  shown[0]);
        EXPECT_EQ(0u, shown[1].find("テンプレートファイルから読み込めません(errno="));
        EXPECT_FALSE(a.Exists("html/A.html"));
    }
    {
        // The page path is taken by a folder: the page cannot be created.
        PageAlbum a;
        a.Add("A.JPG");
        a.Add("B.JPG");
        a.Put("html/B.html/keep", "x");
        OverwritePolicy all(a.ui, true);
        PageOutput out{a.ui, all};
        PageRun run(a.session.album);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, out)));
        ASSERT_EQ(1u, a.ui.messages.size());
        EXPECT_EQ(0u, a.ui.MessagesUtf8()[0].find("出力HTMLファイルを開けません(errno="));
        EXPECT_NE(std::string::npos, a.ui.MessagesUtf8()[0].find(a.target + "/html/B.html"));
        EXPECT_TRUE(a.Exists("html/A.html"));  // pages written before the failure stay
        EXPECT_EQ("", a.ui.status.back().second);
    }
}

// Entry names come from album files; none may lead a page out of its folder.
TEST(WriteAllDetailPages, RefusesNamesThatLeaveTheFolder) {
    for (std::string name : {"../escape.jpg", "sub/x.jpg", "..\\up.jpg", "a/..", ""}) {
        PageAlbum a;
        a.Add(name);
        PageRun run(a.session.album);
        EXPECT_EQ(StepResult::Failed, a.Told(WriteAllDetailPages(a.album(), run, a.out))) << name;
        ASSERT_EQ(1u, a.ui.messages.size()) << name;
        EXPECT_EQ("このエントリのファイル名では個別ページを作成できません\n" + name,
                  a.ui.MessagesUtf8()[0]);
        EXPECT_FALSE(a.Exists("escape.html"));
        EXPECT_FALSE(a.Exists("html/sub/x.html"));
    }
    // A two-byte character whose second byte is 0x5C is not a separator, and dots at the start
    // of a name are part of it: every page still lies in the folder.
    PageAlbum a;
    std::string hyou = Sj("表.jpg");
    ASSERT_EQ('\\', hyou[1]);
    a.Add(hyou);
    a.Add("...jpg");
    a.Add("..gif");
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_TRUE(a.ui.messages.empty());
    EXPECT_TRUE(a.Exists(Sj("html/表.html")));
    EXPECT_TRUE(a.Exists("html/...html"));
    EXPECT_TRUE(a.Exists("html/..html"));
}

TEST(WriteAllDetailPages, EmptyAlbumSucceedsWithoutPages) {
    PageAlbum a;
    PageRun run(a.session.album);
    EXPECT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_TRUE(a.ui.messages.empty());
}

// A template file with CR LF keeps its CR; text-mode output makes each line end CR CR LF.
TEST(WriteAllDetailPages, TemplateFileIsUsedRaw) {
    PageAlbum a;
    a.Put("t.html", "<p>_FILE_</p>\r\n<p>_title_ _DETAIL_</p>\n");
    a.style().DetailUseFile = TemplateSource::File;
    a.style().DetailTemplateFile = a.target + "/t.html";
    a.Add("X.JPG", "T");
    PageRun run(a.session.album);
    ASSERT_EQ(StepResult::Written, a.Told(WriteAllDetailPages(a.album(), run, a.out)));
    EXPECT_EQ("<p>X</p>\r\r\n<p>_title_ _DETAIL_</p>\r\n", a.Get("html/X.html"));
}

}  // namespace
}  // namespace mirulane
