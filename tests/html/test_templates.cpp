// Token replacement, template files and the export of presets.

#include <string>

#include <gtest/gtest.h>

#include "album/page_style.h"
#include "app/problem_text.h"
#include "fixtures/fault_injection.h"
#include "fixtures/image_builder.h"
#include "html/presets.h"
#include "html/templates.h"
#include "html/tokens.h"
#include "platform/cp932.h"
#include "platform/text.h"
#include "support/scripted_interaction.h"

namespace mirulane {
namespace {

using fixtures::TempDir;

// The list tokens, or the detail tokens, in their order within the budget of one page, as the
// page writers replace them.
bool ReplaceList(std::string& text, const TokenValues& values, const PageStyle& style) {
    ReplaceBudget budget;
    return ReplaceTokens(text, ListTokenOrder(), values, style, budget);
}
bool ReplaceDetail(std::string& text, const TokenValues& values, const PageStyle& style) {
    ReplaceBudget budget;
    return ReplaceTokens(text, DetailTokenOrder(), values, style, budget);
}

TEST(Tokens, TableHoldsEveryTokenOnceInReplacementOrder) {
    std::string order;
    for (const TokenInfo& t : ListTokenOrder()) order += t.text;
    EXPECT_EQ(order, "_DETAIL__TDALIGN__TDTEXT__THUMB__THUMBSP_");
    order.clear();
    for (const TokenInfo& t : DetailTokenOrder()) order += t.text;
    EXPECT_EQ(order,
              "_TARGET__FILE__FILEEX__TITLE__YOMI__GROUP__IMAGE__PGCUR__PGTOTAL__COMM1__COMM2_"
              "_PREV__NEXT__MAKER__MODEL__DTORG__ISOSR__SHTSP__APRTV__FOLEN__FLASH__EBIAS_"
              "_IMGSZ_");
    EXPECT_STREQ(TokenText(Token::CELLSPC), "_CELLSPC_");
}

TEST(Tokens, ReplacementIsLeftToRightNonOverlappingAndCaseSensitive) {
    std::string text = "_PGCUR_PGCUR_ [_PGCUR_] _pgcur_";
    EXPECT_EQ(ReplaceToken(text, "_PGCUR_", "7"), 2);
    EXPECT_EQ(text, "7PGCUR_ [7] _pgcur_");
    // The inserted value is not scanned again for the same token.
    text = "<_TITLE_>";
    EXPECT_EQ(ReplaceToken(text, "_TITLE_", "a_TITLE_b"), 1);
    EXPECT_EQ(text, "<a_TITLE_b>");
    // Tokens that share a beginning stay apart.
    text = "_FILE_ _FILEEX_ _THUMB_ _THUMBSP_";
    ReplaceToken(text, "_FILE_", "f");
    ReplaceToken(text, "_THUMB_", "t");
    EXPECT_EQ(text, "f _FILEEX_ t _THUMBSP_");
    EXPECT_EQ(ReplaceToken(text, "_ABSENT_", "x"), 0);
}

TokenValues SampleValues() {
    TokenValues v;
    v[Token::TARGET] = "../P2.JPG\" target=\"_TOP";
    v[Token::FILE] = "P2";
    v[Token::FILEEX] = "P2.JPG";
    v[Token::TITLE] = Sj("海");
    v[Token::IMAGE] = "<img src=\"../P2.JPG\" border=\"0\">";
    v[Token::PGCUR] = "2";
    v[Token::PGTOTAL] = "3";
    v[Token::COMM1] = "maker=_MAKER_ title=_TITLE_";
    v[Token::COMM2] = "c2";
    v[Token::PREV] = "<a href=\"P1.html\">Prev</a>";
    v[Token::NEXT] = "<a href=\"P3.html\">Next</a>";
    v[Token::MAKER] = "ACME";
    v[Token::DETAIL] = "html/P2.html\" target=\"detail";
    return v;
}

TEST(Tokens, DetailPresetWithValuesGivesTheWholePage) {
    PageStyle style;
    std::string page = DetailPreset(11);
    ReplaceList(page, SampleValues(), style);
    ReplaceDetail(page, SampleValues(), style);
    const std::string expected = Sj(R"(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>海</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="0" width="100%">
  <tr>
    <td><font size="4"><strong>海</strong></font></td>
    <td><p align="right"><font size="2" face="Verdana"><strong><a href="P1.html">Prev</a></strong></font> <font size="2" face="Verdana"><strong><a href="P3.html">Next</a></strong></font></p></td>
  </tr>
  <tr>
    <td colspan="2"><hr>
    </td>
  </tr>
  <tr>
    <td colspan="2"><font size="3">c2</font></td>
  </tr>
</table>
<p align="center"><a href="../P2.JPG" target="_TOP"><img src="../P2.JPG" border="0"><br>P2</a></p>
<blockquote>
  <p>maker=ACME title=_TITLE_</p>
</blockquote>
<p align="right"><font color="#008080" size="1" face="Verdana">(page:2/3)</font></p>
</body>
</html>
)");
    EXPECT_EQ(page, expected);
}

TEST(Tokens, SwitchedOffTokensAndListTokensStayVerbatim) {
    PageStyle style;
    style.tokenSwitch[static_cast<int>(Token::PGTOTAL)] = 0;
    std::string page = DetailPreset(11);
    ReplaceDetail(page, SampleValues(), style);
    EXPECT_NE(page.find("(page:2/_PGTOTAL_)"), std::string::npos);

    // Detail replacement leaves list-only tokens alone, and the other way round.
    std::string text = "_DETAIL_ _CELLSPC_ _THUMB_ _FILE_";
    ReplaceDetail(text, SampleValues(), style);
    EXPECT_EQ(text, "_DETAIL_ _CELLSPC_ _THUMB_ P2");
    ReplaceList(text, SampleValues(), style);
    EXPECT_EQ(text, "html/P2.html\" target=\"detail _CELLSPC_  P2");
    style.tokenSwitch[static_cast<int>(Token::DETAIL)] = 0;
    text = "_DETAIL_";
    ReplaceList(text, SampleValues(), style);
    EXPECT_EQ(text, "_DETAIL_");

    text = "cellspacing=\"_CELLSPC_\" _CELLSPC_";
    style.ListCellSpacing = 12;
    ReplaceCellSpacing(text, style);
    EXPECT_EQ(text, "cellspacing=\"12\" 12");
    text = "_CELLSPC_";
    style.tokenSwitch[static_cast<int>(Token::CELLSPC)] = 0;
    ReplaceCellSpacing(text, style);
    EXPECT_EQ(text, "_CELLSPC_");
}

TEST(Tokens, ValuesAreCutToTheirSlotsWithoutSplittingCharacters) {
    PageStyle style;
    TokenValues v;
    v[Token::TITLE] = std::string(600, 't');
    v[Token::MAKER] = std::string(200, 'm');
    v[Token::PGCUR] = std::string(20, '9');
    v[Token::THUMB] = std::string(1100, 'p');
    // 510 ASCII bytes, then a two-byte character that would end past byte 511.
    v[Token::COMM1] = std::string(510, 'c') + Sj("海");
    std::string text = "_TITLE_|_MAKER_|_PGCUR_|_THUMB_|_COMM1_";
    ReplaceList(text, v, style);
    ReplaceDetail(text, v, style);
    EXPECT_EQ(text, std::string(511, 't') + "|" + std::string(127, 'm') + "|" +
                        std::string(15, '9') + "|" + std::string(1023, 'p') + "|" +
                        std::string(510, 'c'));
}

TEST(Tokens, ValuesHoldingTokensCannotMultiplyAPageWithoutBound) {
    // A replacement that would pass the limit is refused as a whole: no token is left verbatim
    // in a page that looks finished.
    std::string text = "_X_ _X_ _X_";
    EXPECT_EQ(ReplaceToken(text, "_X_", "12345", 17), 3);
    EXPECT_EQ(text, "12345 12345 12345");
    text = "_X_ _X_ _X_";
    EXPECT_EQ(ReplaceToken(text, "_X_", "12345", 16), -1);
    EXPECT_EQ(text, "_X_ _X_ _X_");

    // Each value is a slot full of the next token's text: every step would multiply the page.
    PageStyle style;
    TokenValues v;
    const auto& order = DetailTokenOrder();
    for (size_t i = 0; i + 1 < order.size(); ++i) {
        std::string next = order[i + 1].text;
        while (v[order[i].token].size() + next.size() <= order[i].maxSize) {
            v[order[i].token] += next;
        }
    }
    std::string page(32767 / 8 * 8, ' ');
    for (size_t i = 0; i < page.size(); i += 8) page.replace(i, 8, "_TARGET_");
    EXPECT_FALSE(ReplaceDetail(page, v, style));
    EXPECT_LE(page.size(), kPageMaxBytes);
    EXPECT_GT(page.size(), kPageMaxBytes / 100);

    // The same chain within a page's limit is replaced whole, however far it reaches.
    page = "_TARGET_";
    ReplaceBudget budget;
    EXPECT_TRUE(ReplaceTokens(page, order.first(3), v, style, budget));
    EXPECT_EQ(page.find("_FILE"), std::string::npos);
    EXPECT_NE(page.find("_TITLE_"), std::string::npos);
}

// A chain of values that first multiplies a text and then empties it again makes no page any
// bigger, but costs time for every entry of a list page: the work of one page is bounded too.
TEST(Tokens, WorkOfOnePageIsBoundedEvenWhenTheTextShrinksAgain) {
    PageStyle style;
    TokenValues v;
    for (int i = 0; i < 73; ++i) v[Token::TITLE] += "_YOMI_";
    for (int i = 0; i < 73; ++i) v[Token::YOMI] += "_GROUP_";
    v[Token::GROUP] = "";  // everything the chain made vanishes
    std::string text;
    for (int i = 0; i < 400; ++i) text += "_TITLE_";  // 15 MB at its biggest
    ReplaceBudget budget;
    std::string entry = text;
    ASSERT_TRUE(ReplaceTokens(entry, DetailTokenOrder(), v, style, budget));
    EXPECT_EQ(entry, "");
    size_t perEntry = ReplaceBudget().work - budget.work;
    EXPECT_GT(perEntry, 400u * 73 * 73 * 7);
    // The same text again and again runs out of the page's work well before a thousand rounds.
    int rounds = 1;
    for (; rounds < 1000; ++rounds) {
        entry = text;
        if (!ReplaceTokens(entry, DetailTokenOrder(), v, style, budget)) break;
    }
    EXPECT_LT(rounds, 1000);
    EXPECT_GE(static_cast<size_t>(rounds), ReplaceBudget().work / perEntry);
}

class TemplateFileTest : public ::testing::Test {
  protected:
    TempDir dir;
    std::string Path(const std::string& name) { return *Utf8ToCp932(dir.path() + "/" + name); }
    // The text the loader read, or "<problem>".
    static std::string Text(const Expected<std::string>& loaded) {
        return loaded.value_or("<problem>");
    }
    // What the problem of a failed load or export tells the user (CP932).
    template <class T>
    static std::string Told(const Expected<T>& failed) {
        EXPECT_FALSE(failed);
        return failed ? std::string() : ProblemText(failed.error()).text;
    }
};

TEST_F(TemplateFileTest, ReadsRawBytesUpTo32767) {
    dir.Write("crlf.html", "<p>_TITLE_</p>\r\n\r\n");
    EXPECT_EQ(Text(LoadTemplateFile(Path("crlf.html"))), "<p>_TITLE_</p>\r\n\r\n");

    const std::string exact(32767, 'x');
    dir.Write("exact.html", exact);
    EXPECT_EQ(Text(LoadTemplateFile(Path("exact.html"))), exact);

    // The cut falls after byte 32,767, even between the two bytes of a character.
    const std::string longer = std::string(32766, 'x') + Sj("海") + "tail";
    dir.Write("long.html", longer);
    EXPECT_EQ(Text(LoadTemplateFile(Path("long.html"))), longer.substr(0, 32767));
}

TEST_F(TemplateFileTest, MissingEmptyOrUnreadableFilesFailWithTheirProblems) {
    Expected<std::string> missing = LoadTemplateFile(Path("missing.html"));
    dir.Write("empty.html", "");
    Expected<std::string> empty = LoadTemplateFile(Path("empty.html"));
    dir.Write("folder/x", "");
    Expected<std::string> folder = LoadTemplateFile(Path("folder"));
    EXPECT_EQ(Told(missing), SjFormat("指定されたテンプレートファイルを開けません(errno=2)\n%s",
                                      Path("missing.html").c_str()));
    EXPECT_EQ(Told(empty), SjFormat("テンプレートファイルから読み込めません(errno=0)\n%s",
                                    Path("empty.html").c_str()));
    EXPECT_EQ(Told(folder), SjFormat("指定されたテンプレートファイルを開けません(errno=21)\n%s",
                                     Path("folder").c_str()));
    EXPECT_EQ(ProblemText(missing.error()).caption, "");
}

TEST_F(TemplateFileTest, AlbumChoosesPresetVariantOrFile) {
    PageStyle style;
    style.ListPreset = 2;
    for (TopLayout layout :
         {TopLayout::ListLeft, TopLayout::ListRight, TopLayout::ListBelow, TopLayout::ListAbove}) {
        style.TopStyle = layout;
        EXPECT_EQ(Text(LoadListTemplate(style)), ListPreset(2, static_cast<int>(layout) >= 2))
            << static_cast<int>(layout);
    }
    style.DetailPreset = 13;
    EXPECT_EQ(Text(LoadDetailTemplate(style)), DetailPreset(13));

    dir.Write("mine.html", "own _TITLE_");
    style.ListUseFile = TemplateSource::File;
    style.ListTemplateFile = Path("mine.html");
    style.DetailUseFile = TemplateSource::File;
    style.DetailTemplateFile = Path("gone.html");
    EXPECT_EQ(Text(LoadListTemplate(style)), "own _TITLE_");
    EXPECT_EQ(Told(LoadDetailTemplate(style)),
              SjFormat("指定されたテンプレートファイルを開けません(errno=2)\n%s",
                       Path("gone.html").c_str()));
}

TEST_F(TemplateFileTest, ExportWritesPresetWithCrLfThatLoadsBack) {
    EXPECT_EQ(ExportFileName(PresetKind::Detail, 1, TopLayout::ListAbove), "template2.html");
    EXPECT_EQ(ExportFileName(PresetKind::Detail, 16, TopLayout::ListLeft), "template17.html");
    EXPECT_EQ(ExportFileName(PresetKind::List, 0, TopLayout::ListLeft), "lsttmplt1v.html");
    EXPECT_EQ(ExportFileName(PresetKind::List, 0, TopLayout::ListRight), "lsttmplt1v.html");
    EXPECT_EQ(ExportFileName(PresetKind::List, 4, TopLayout::ListBelow), "lsttmplt5h.html");
    EXPECT_EQ(ExportFileName(PresetKind::List, 2, TopLayout::ListAbove), "lsttmplt3h.html");

    ASSERT_TRUE(ExportPreset(PresetKind::List, 4, true, Path("l.html")));
    EXPECT_EQ(dir.Read("l.html"), ToCrLf(ListPreset(4, true)));
    dir.Write("d.html", "older and longer text that must go entirely");
    ASSERT_TRUE(ExportPreset(PresetKind::Detail, 11, false, Path("d.html")));
    const std::string written = dir.Read("d.html");
    EXPECT_EQ(written, ToCrLf(DetailPreset(11)));
    EXPECT_EQ(written.find("\r\r"), std::string::npos);

    // The exported file is a valid template file for the album's own choice.
    EXPECT_EQ(Text(LoadTemplateFile(Path("d.html"))), written);
}

TEST_F(TemplateFileTest, ExportFailuresAreReported) {
    EXPECT_EQ(Told(ExportPreset(PresetKind::Detail, 1, false, Path("no/such/t.html"))),
              SjFormat("出力ファイルを開けません(errno=2)\n%s", Path("no/such/t.html").c_str()));

    // A full disk (here: a file size limit) is a write error, and the old file survives.
    dir.Write("full.html", "old");
    Status full;
    {
        fixtures::FileSizeLimit limit(64);
        full = ExportPreset(PresetKind::Detail, 1, false, Path("full.html"));
    }
    EXPECT_EQ(Told(full), SjFormat("ファイル出力エラー(errno=27)\n%s", Path("full.html").c_str()));
    EXPECT_EQ(dir.Read("full.html"), "old");
}

}  // namespace
}  // namespace mirulane
