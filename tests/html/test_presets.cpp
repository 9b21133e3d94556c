// The built-in template catalogues: the presets written out in full are compared whole; every
// other preset is checked for the structure, tokens and markers a template must carry.

#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "album/page_style.h"
#include "html/presets.h"
#include "html/tokens.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

// The presets as published in the user documentation, UTF-8.
constexpr const char* kDetail1 = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>_TITLE_</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="0" height="100%" align="center">
  <tr>
    <td align="right" valign="middle">
      <a href="_TARGET_">_IMAGE_</a><p>_FILE_</p>
    </td>
  </tr>
</table>
</body>
</html>
)GOLD";

constexpr const char* kDetail11 = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>_TITLE_</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="0" width="100%">
  <tr>
    <td><font size="4"><strong>_TITLE_</strong></font></td>
    <td><p align="right"><font size="2" face="Verdana"><strong>_PREV_</strong></font> <font size="2" face="Verdana"><strong>_NEXT_</strong></font></p></td>
  </tr>
  <tr>
    <td colspan="2"><hr>
    </td>
  </tr>
  <tr>
    <td colspan="2"><font size="3">_COMM2_</font></td>
  </tr>
</table>
<p align="center"><a href="_TARGET_">_IMAGE_<br>_FILE_</a></p>
<blockquote>
  <p>_COMM1_</p>
</blockquote>
<p align="right"><font color="#008080" size="1" face="Verdana">(page:_PGCUR_/_PGTOTAL_)</font></p>
</body>
</html>
)GOLD";

constexpr const char* kList0V = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>エントリ一覧</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="_CELLSPC_" width="100%">
<!--mirulanestart-->
  <tr><td align="_TDALIGN_"><a href="_DETAIL_">_TDTEXT_</a></td></tr>
<!--mirulaneend-->
</table>
</body>
</html>
)GOLD";

constexpr const char* kList0H = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>エントリ一覧</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="_CELLSPC_">
  <tr valign="top">
<!--mirulanestart-->
    <td align="_TDALIGN_"><a href="_DETAIL_">_TDTEXT_</a></td>
<!--mirulaneend-->
  </tr>
</table>
</body>
</html>
)GOLD";

constexpr const char* kList1V = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>エントリ一覧</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="_CELLSPC_" width="100%">
<!--mirulanestart-->
  <tr><td align="_TDALIGN_"><a href="_DETAIL_"><img src="_THUMB_" alt="_FILE_"></a><br><a href="_DETAIL_">_TDTEXT_</a></td></tr>
<!--mirulaneend-->
</table>
</body>
</html>
)GOLD";

constexpr const char* kList2V = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>エントリ一覧</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="_CELLSPC_" width="100%">
<!--mirulanestart-->
  <tr><td align="_TDALIGN_">
    <table bgcolor="#dddddd" border="0" cellpadding="0" cellspacing="1"><tr bgcolor="#ffffff"><td><a href="_DETAIL_"><img src="_THUMBSP_" alt="_FILE_"></a></td></tr></table>
    <a href="_DETAIL_">_TDTEXT_</a>
  </td></tr>
<!--mirulaneend-->
</table>
</body>
</html>
)GOLD";

constexpr const char* kList4V = R"GOLD(<html>
<head>
<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">
<title>エントリ一覧</title>
</head>
<body>
<table border="0" cellpadding="0" cellspacing="_CELLSPC_" width="100%">
<!--mirulanestart-->
  <tr><td align="_TDALIGN_">
    <table border="0">
      <tr>
        <td valign="top">
          <table bgcolor="#dddddd" border="0" cellpadding="0" cellspacing="1"><tr bgcolor="#ffffff"><td>
          <a href="_DETAIL_"><img src="_THUMBSP_" alt="_FILEEX_"></a></td></tr></table>
        </td>
        <td valign="top">
          <table border="0" cellpadding="1" cellspacing="1" width="100%">
            <tr><td><a href="_DETAIL_"><b>_TDTEXT_</b></a></td>
            <tr><td>_DTORG_</td>
            <tr><td>_IMGSZ_</td>
            <tr><td>_FOLEN_ _ISOSR_</td>
            <tr><td>_SHTSP_ _APRTV_</td>
          </table>
        </td>
      </tr>
    </table>
  </td></tr>
<!--mirulaneend-->
</table>
</body>
</html>
)GOLD";

TEST(Presets, PublishedPresetsMatchByteForByte) {
    EXPECT_EQ(DetailPreset(1), Sj(kDetail1));
    EXPECT_EQ(DetailPreset(11), Sj(kDetail11));
    EXPECT_EQ(ListPreset(0, false), Sj(kList0V));
    EXPECT_EQ(ListPreset(0, true), Sj(kList0H));
    EXPECT_EQ(ListPreset(1, false), Sj(kList1V));
    EXPECT_EQ(ListPreset(2, false), Sj(kList2V));
    EXPECT_EQ(ListPreset(4, false), Sj(kList4V));
}

TEST(Presets, OutOfRangeIndexesFallBackToTheDefaults) {
    EXPECT_EQ(DetailPreset(-1), Sj(kDetail1));
    EXPECT_EQ(DetailPreset(kDetailPresetCount), Sj(kDetail1));
    EXPECT_EQ(ListPreset(kListPresetCount, false), Sj(kList0V));
    EXPECT_EQ(ListPreset(-3, true), Sj(kList0H));
    EXPECT_EQ(DetailPresetName(kDetailPresetCount), "");
    EXPECT_EQ(ListPresetName(-1), "");
}

TEST(Presets, NamesInCatalogueOrder) {
    EXPECT_EQ(DetailPresetName(0), Sj("画像のみ"));
    EXPECT_EQ(DetailPresetName(1), Sj("画像＋ファイル名"));
    EXPECT_EQ(DetailPresetName(6), Sj("画像＋ﾌｧｲﾙ名＋Exif情報"));
    EXPECT_EQ(DetailPresetName(15), Sj("いろいろ２＋Exif情報"));
    EXPECT_EQ(DetailPresetName(16), Sj("画像＋ﾌｧｲﾙ名＋Exif情報(右寄せ)"));
    EXPECT_EQ(ListPresetName(0), Sj("テキストのみ"));
    EXPECT_EQ(ListPresetName(3), Sj("サムネイルのベタ"));
    EXPECT_EQ(ListPresetName(4), Sj("サムネイル＋枠＋撮影情報"));
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        if (lf == std::string::npos) lf = text.size();
        out.push_back(text.substr(start, lf - start));
        start = lf + 1;
    }
    return out;
}

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

// Opening and closing tags of the elements the presets always close must pair up and nest.
void ExpectBalancedTags(const std::string& text, const std::string& what) {
    static const std::set<std::string> kClosed = {"html",  "head",   "title", "body",
                                                  "table", "td",     "a",     "p",
                                                  "font",  "strong", "b",     "blockquote"};
    std::vector<std::string> stack;
    for (size_t lt = text.find('<'); lt != std::string::npos; lt = text.find('<', lt + 1)) {
        if (text.compare(lt, 4, "<!--") == 0) continue;
        bool closing = text[lt + 1] == '/';
        size_t start = lt + (closing ? 2 : 1);
        size_t end = text.find_first_of(" >", start);
        ASSERT_NE(end, std::string::npos) << what;
        std::string name = text.substr(start, end - start);
        if (!kClosed.count(name)) continue;
        if (!closing) {
            stack.push_back(name);
        } else {
            ASSERT_FALSE(stack.empty()) << what << ": stray </" << name << ">";
            EXPECT_EQ(stack.back(), name) << what;
            stack.pop_back();
        }
    }
    EXPECT_TRUE(stack.empty()) << what;
}

void ExpectCommonFrame(const std::string& text, const std::string& title, const std::string& what) {
    std::vector<std::string> lines = Lines(text);
    ASSERT_GE(lines.size(), 8u) << what;
    EXPECT_EQ(lines[0], "<html>") << what;
    EXPECT_EQ(lines[1], "<head>") << what;
    EXPECT_EQ(lines[2], R"(<meta http-equiv="Content-Type" content="text/html; charset=x-sjis">)")
        << what;
    EXPECT_EQ(lines[3], "<title>" + title + "</title>") << what;
    EXPECT_EQ(lines[lines.size() - 2], "</body>") << what;
    EXPECT_EQ(lines.back(), "</html>") << what;
    EXPECT_EQ(text.back(), '\n') << what;
    EXPECT_EQ(text.find('\r'), std::string::npos) << what;
    ExpectBalancedTags(text, what);
}

TEST(Presets, EveryDetailPresetIsACompleteTemplateWithItsTokens) {
    const std::string exif = "_MAKER_ _MODEL_ _FOLEN_ _SHTSP_ _APRTV_ _EBIAS_ _ISOSR_";
    const std::string link = R"(<a href="_TARGET_">_IMAGE_</a>)";
    // Content every preset must hold, beyond its title token.
    const std::map<int, std::vector<std::string>> kContent = {
        {0, {link, R"(width="100%" height="100%")", R"(<td align="center")"}},
        {2, {link + "<p>_TITLE_</p>", R"(<td align="right")"}},
        {3, {link + "\n", "<blockquote><p>_COMM1_</p></blockquote>", R"(<td align="center")"}},
        {4, {link + "<p>_DTORG_</p>", R"(<td align="right")"}},
        {5, {link + "<p>" + exif + "</p>", R"(<td align="right")"}},
        {6, {link + "<p>_FILE_</p><p>" + exif + "</p>", R"(<td align="center")"}},
        {7, {link + "<p>_TITLE_</p><p>" + exif + "</p>", R"(<td align="center")"}},
        {8, {"<blockquote><p>_COMM1_</p></blockquote><p>" + exif + "</p>"}},
        {9, {link + "<p>_DTORG_</p><p>" + exif + "</p>"}},
        {10, {link + "<p>_TITLE_</p>\n", "<blockquote><p>_COMM1_</p></blockquote>"}},
        {12,
         {"</blockquote>\n<p align=\"center\">" + exif + "</p>\n", "_PREV_", "_NEXT_",
          "(page:_PGCUR_/_PGTOTAL_)", "_COMM2_"}},
        {13,
         {link, R"(<body bgcolor="#FFFFFF" align="center">)", "<br>_TITLE_", "#000000", "#BBBBBB",
          "#DDDDDD", "#EEEEEE"}},
        {14, {"<br>_TITLE_\n      <p>" + exif + "</p>", "#000000", "#BBBBBB"}},
        {15,
         {"<strong>_FILEEX_</strong>", "_DTORG_", "(page:_PGCUR_/_PGTOTAL_)", link,
          R"(<p align="center">_MODEL_ _FOLEN_ _SHTSP_ _APRTV_ _EBIAS_ _ISOSR_</p>)"}},
        {16,
         {link + "<p><strong>_FILE_</strong><br>_DTORG_<br>_MODEL_ _FOLEN_ _SHTSP_ "
                 "_APRTV_ _EBIAS_ _ISOSR_</p>"}},
    };
    for (int i = 0; i < kDetailPresetCount; ++i) {
        const std::string text = DetailPreset(i);
        const std::string what = "detail preset " + std::to_string(i);
        const char* title = i == 15 ? "_FILEEX_" : i == 16 ? "_FILE_" : "_TITLE_";
        ExpectCommonFrame(text, title, what);
        EXPECT_EQ(text.find("mirulane"), std::string::npos) << what;
        auto it = kContent.find(i);
        if (it == kContent.end()) continue;
        for (const std::string& needle : it->second) {
            EXPECT_NE(text.find(needle), std::string::npos) << what << " lacks " << needle;
        }
    }
    // The framed presets draw their border with a nine-column grid.
    const std::string framed = DetailPreset(13);
    size_t rowStart = framed.find("        <tr>");
    size_t rowEnd = framed.find("</tr>", rowStart);
    EXPECT_EQ(Count(framed.substr(rowStart, rowEnd - rowStart), "<td"), 9);
    // No comments and no maker in the second assorted layout.
    EXPECT_EQ(DetailPreset(15).find("_COMM"), std::string::npos);
    EXPECT_EQ(DetailPreset(15).find("_MAKER_"), std::string::npos);
}

// The region between the markers, which stand on lines of their own.
std::string Region(const std::string& text) {
    const std::string start = std::string(kRepeatStart) + "\n";
    const std::string end = "\n" + std::string(kRepeatEnd) + "\n";
    size_t s = text.find(start);
    size_t e = text.find(end);
    if (s == std::string::npos || e == std::string::npos || e < s) return "<no region>";
    return text.substr(s + start.size(), e + 1 - s - start.size());
}

TEST(Presets, EveryListPresetIsACompleteTemplateWithMarkersOnTheirOwnLines) {
    const std::string title = Sj("エントリ一覧");
    for (int i = 0; i < kListPresetCount; ++i) {
        for (bool horizontal : {false, true}) {
            const std::string text = ListPreset(i, horizontal);
            const std::string what =
                "list preset " + std::to_string(i) + (horizontal ? " h" : " v");
            ExpectCommonFrame(text, title, what);
            EXPECT_EQ(Count(text, std::string(kRepeatStart)), 1) << what;
            EXPECT_EQ(Count(text, std::string(kRepeatEnd)), 1) << what;
            EXPECT_NE(Region(text), "<no region>") << what;
            EXPECT_NE(Region(text).find("_DETAIL_"), std::string::npos) << what;
            if (i == 3) continue;
            EXPECT_EQ(text.find("cellspacing=\"_CELLSPC_\" width=\"100%\"") != std::string::npos,
                      !horizontal)
                << what;
            EXPECT_NE(text.find("_CELLSPC_"), std::string::npos) << what;
            EXPECT_EQ(Region(text).find("_TDALIGN_") != std::string::npos, !(i == 4 && horizontal))
                << what;
        }
    }
}

TEST(Presets, HorizontalListVariantsPutEveryEntryInOneRow) {
    EXPECT_EQ(ListPreset(3, false), ListPreset(3, true));
    EXPECT_EQ(Region(ListPreset(3, false)),
              "<a href=\"_DETAIL_\"><img src=\"_THUMBSP_\" alt=\"_FILEEX_\"></a>\n");
    EXPECT_EQ(ListPreset(3, false).find("<table"), std::string::npos);

    const std::string table = "<table border=\"0\" cellpadding=\"0\" cellspacing=\"_CELLSPC_\">\n";
    const std::string rowStart = "  <tr valign=\"top\">\n" + std::string(kRepeatStart) + "\n";
    const std::string rowEnd = std::string(kRepeatEnd) + "\n  </tr>\n</table>\n";
    EXPECT_NE(ListPreset(1, true).find(table + rowStart), std::string::npos);
    EXPECT_NE(ListPreset(2, true).find(table + rowStart), std::string::npos);
    EXPECT_NE(ListPreset(1, true).find(rowEnd), std::string::npos);
    EXPECT_NE(ListPreset(2, true).find(rowEnd), std::string::npos);

    EXPECT_EQ(Region(ListPreset(1, true)),
              "    <td align=\"_TDALIGN_\"><a href=\"_DETAIL_\"><img src=\"_THUMB_\" "
              "alt=\"_FILE_\"></a><br><a href=\"_DETAIL_\">_TDTEXT_</a></td>\n");
    EXPECT_EQ(Region(ListPreset(2, true)),
              "    <td align=\"_TDALIGN_\">\n"
              "      <table bgcolor=\"#dddddd\" border=\"0\" cellpadding=\"0\" cellspacing=\"1\">"
              "<tr bgcolor=\"#ffffff\"><td><a href=\"_DETAIL_\"><img src=\"_THUMBSP_\" "
              "alt=\"_FILE_\"></a></td></tr></table>\n"
              "      <a href=\"_DETAIL_\">_TDTEXT_</a>\n"
              "    </td>\n");

    // Preset 4: a plain row, the cell without alignment, the content lines kept as they are.
    const std::string v4 = ListPreset(4, false);
    const std::string h4 = ListPreset(4, true);
    EXPECT_NE(h4.find(table + "  <tr>\n" + std::string(kRepeatStart) + "\n   <td>\n"),
              std::string::npos);
    EXPECT_NE(h4.find("   </td>\n" + rowEnd), std::string::npos);
    std::vector<std::string> vRegion = Lines(Region(v4));
    std::vector<std::string> hRegion = Lines(Region(h4));
    ASSERT_EQ(vRegion.size(), hRegion.size());
    for (size_t i = 1; i + 1 < vRegion.size(); ++i) EXPECT_EQ(vRegion[i], hRegion[i]);
}

}  // namespace
}  // namespace mirulane
