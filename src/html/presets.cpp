#include "html/presets.h"

#include <initializer_list>
#include <iterator>
#include <string_view>

#include "album/page_style.h"
#include "html/tokens.h"
#include "platform/cp932.h"

namespace mirulane {

namespace {

// ---------------------------------------------------------------------------------------------
// Shared pieces. Every preset starts with the same head and ends with </body> and </html>.

std::string Head(std::string_view titleUtf8) {
    std::string out =
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
        "<title>";
    out += Sj(titleUtf8);
    out +=
        "</title>\n"
        "</head>\n";
    return out;
}

constexpr std::string_view kTail =
    "</body>\n"
    "</html>\n";

constexpr std::string_view kImageLink = R"(<a href="_TARGET_">_IMAGE_</a>)";
constexpr std::string_view kExifLine = "_MAKER_ _MODEL_ _FOLEN_ _SHTSP_ _APRTV_ _EBIAS_ _ISOSR_";
constexpr std::string_view kBlockquote = "<blockquote><p>_COMM1_</p></blockquote>";

std::string Para(std::string_view inner) {
    std::string out = "<p>";
    out += inner;
    out += "</p>";
    return out;
}

// ---------------------------------------------------------------------------------------------
// Detail presets.

// The common detail layout: the page centred in a one-cell table whose cell holds the given
// content lines. fullWidth gives the table width="100%" height="100%" without align.
std::string CentredCell(std::string_view align, std::initializer_list<std::string> lines,
                        bool fullWidth = false) {
    std::string out = Head("_TITLE_");
    out += "<body>\n";
    if (fullWidth) {
        out += R"(<table border="0" cellpadding="0" cellspacing="0" width="100%" height="100%">)";
    } else {
        out += R"(<table border="0" cellpadding="0" cellspacing="0" height="100%" align="center">)";
    }
    out += "\n  <tr>\n    <td align=\"";
    out += align;
    out += "\" valign=\"middle\">\n";
    for (const std::string& line : lines) {
        out += "      ";
        out += line;
        out += '\n';
    }
    out +=
        "    </td>\n"
        "  </tr>\n"
        "</table>\n";
    out += kTail;
    return out;
}

std::string Link(std::string_view after = {}) {
    std::string out(kImageLink);
    out += after;
    return out;
}

// Navigation table, picture and comments of the "いろいろ" family. extra is a line after the
// blockquote (empty for none).
std::string Assorted(std::string_view extraLine) {
    std::string out = Head("_TITLE_");
    out += R"(<body>
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
)";
    if (!extraLine.empty()) {
        out += extraLine;
        out += '\n';
    }
    out +=
        R"(<p align="right"><font color="#008080" size="1" face="Verdana">(page:_PGCUR_/_PGTOTAL_)</font></p>
)";
    out += kTail;
    return out;
}

// "いろいろ２": file name heading with navigation, shooting date with the page counter, the
// picture and one line of camera data.
std::string Assorted2() {
    std::string out = Head("_FILEEX_");
    out += R"(<body>
<table border="0" cellpadding="0" cellspacing="0" width="100%">
  <tr>
    <td><font size="4"><strong>_FILEEX_</strong></font></td>
    <td><p align="right"><font size="2" face="Verdana"><strong>_PREV_</strong></font> <font size="2" face="Verdana"><strong>_NEXT_</strong></font></p></td>
  </tr>
  <tr>
    <td><font size="2">_DTORG_</font></td>
    <td><p align="right"><font color="#008080" size="1" face="Verdana">(page:_PGCUR_/_PGTOTAL_)</font></p></td>
  </tr>
  <tr>
    <td colspan="2"><hr>
    </td>
  </tr>
</table>
<p align="center"><a href="_TARGET_">_IMAGE_</a></p>
<p align="center">_MODEL_ _FOLEN_ _SHTSP_ _APRTV_ _EBIAS_ _ISOSR_</p>
)";
    out += kTail;
    return out;
}

// "おまけ": the picture inside a nine-column grid of 1-pixel cells that draws a black border
// with a grey drop shadow fading to white, centred on the page, the title below it.
std::string Framed(std::string_view extraAfterTitle) {
    // Column colours per row: K black, W white, B/D/E greys of the shadow, C the picture.
    static constexpr std::string_view kRows[] = {
        "KKKKKWWWW", "KWWWKBDEW", "KWCWKBDEW", "KWWWKBDEW",
        "KKKKKBDEW", "WBBBBBDEW", "WDDDDDDEW", "WEEEEEEEW",
    };
    std::string out = Head("_TITLE_");
    out += R"(<body bgcolor="#FFFFFF" align="center">
<table border="0" cellpadding="0" cellspacing="0" width="100%" height="100%">
  <tr>
    <td align="center" valign="middle">
      <table border="0" cellpadding="0" cellspacing="0">
)";
    for (std::string_view row : kRows) {
        out += "        <tr>";
        for (char cell : row) {
            const char* colour = "#FFFFFF";
            switch (cell) {
                case 'K':
                    colour = "#000000";
                    break;
                case 'B':
                    colour = "#BBBBBB";
                    break;
                case 'D':
                    colour = "#DDDDDD";
                    break;
                case 'E':
                    colour = "#EEEEEE";
                    break;
                default:
                    break;
            }
            if (cell == 'C') {
                out += R"(<td bgcolor="#FFFFFF">)";
                out += kImageLink;
                out += "</td>";
            } else {
                out += "<td bgcolor=\"";
                out += colour;
                out += R"(" width="1" height="1"></td>)";
            }
        }
        out += "</tr>\n";
    }
    out += "      </table>\n      <br>_TITLE_\n";
    if (!extraAfterTitle.empty()) {
        out += "      ";
        out += extraAfterTitle;
        out += '\n';
    }
    out +=
        "    </td>\n"
        "  </tr>\n"
        "</table>\n";
    out += kTail;
    return out;
}

std::string BuildDetailPreset(int index) {
    const std::string exif = Para(kExifLine);
    switch (index) {
        case 0:
            return CentredCell("center", {Link()}, true);
        case 1:
            return CentredCell("right", {Link("<p>_FILE_</p>")});
        case 2:
            return CentredCell("right", {Link("<p>_TITLE_</p>")});
        case 3:
            return CentredCell("center", {Link(), std::string(kBlockquote)});
        case 4:
            return CentredCell("right", {Link("<p>_DTORG_</p>")});
        case 5:
            return CentredCell("right", {Link(exif)});
        case 6:
            return CentredCell("center", {Link("<p>_FILE_</p>" + exif)});
        case 7:
            return CentredCell("center", {Link("<p>_TITLE_</p>" + exif)});
        case 8:
            return CentredCell("center", {Link(), std::string(kBlockquote) + exif});
        case 9:
            return CentredCell("center", {Link("<p>_DTORG_</p>" + exif)});
        case 10:
            return CentredCell("center", {Link("<p>_TITLE_</p>"), std::string(kBlockquote)});
        case 11:
            return Assorted({});
        case 12:
            return Assorted(std::string(R"(<p align="center">)") + std::string(kExifLine) + "</p>");
        case 13:
            return Framed({});
        case 14:
            return Framed(exif);
        case 15:
            return Assorted2();
        case 16: {
            std::string out = Head("_FILE_");
            out += "<body>\n";
            out +=
                R"(<table border="0" cellpadding="0" cellspacing="0" height="100%" align="center">
  <tr>
    <td align="right" valign="middle">
      <a href="_TARGET_">_IMAGE_</a><p><strong>_FILE_</strong><br>_DTORG_<br>_MODEL_ _FOLEN_ _SHTSP_ _APRTV_ _EBIAS_ _ISOSR_</p>
    </td>
  </tr>
</table>
)";
            out += kTail;
            return out;
        }
        default:
            return BuildDetailPreset(kDefaultDetailPreset);
    }
}

constexpr std::string_view kDetailNames[] = {
    "画像のみ",
    "画像＋ファイル名",
    "画像＋タイトル",
    "画像＋コメント",
    "画像＋撮影日時",
    "画像＋Exif情報",
    "画像＋ﾌｧｲﾙ名＋Exif情報",
    "画像＋ﾀｲﾄﾙ＋Exif情報",
    "画像＋ｺﾒﾝﾄ＋Exif情報",
    "画像＋撮影日時＋Exif情報",
    "画像＋ﾀｲﾄﾙ＋ｺﾒﾝﾄ",
    "いろいろ",
    "いろいろ＋Exif情報",
    "おまけ",
    "おまけ＋Exif情報",
    "いろいろ２＋Exif情報",
    "画像＋ﾌｧｲﾙ名＋Exif情報(右寄せ)",
};
static_assert(std::size(kDetailNames) == kDetailPresetCount);

// ---------------------------------------------------------------------------------------------
// List presets. The vertical variant puts each entry in its own row of a full-width table; the
// horizontal variant makes each entry a cell of the single row of a table without the width.

constexpr std::string_view kTextLink = R"(<a href="_DETAIL_">_TDTEXT_</a>)";

constexpr std::string_view kThumbAndText =
    R"(<a href="_DETAIL_"><img src="_THUMB_" alt="_FILE_"></a><br><a href="_DETAIL_">_TDTEXT_</a>)";

constexpr std::string_view kFramedThumb =
    R"(<table bgcolor="#dddddd" border="0" cellpadding="0" cellspacing="1"><tr bgcolor="#ffffff"><td><a href="_DETAIL_"><img src="_THUMBSP_" alt="_FILE_"></a></td></tr></table>)";

// Preset 4's cell content as it stands in both variants.
constexpr std::string_view kShotInfoContent = R"(    <table border="0">
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
)";

void AppendLine(std::string& out, std::string_view indent, std::string_view text) {
    out += indent;
    out += text;
    out += '\n';
}

// The repeat region's entry cell.
std::string EntryCell(int index, bool horizontal) {
    std::string out;
    const std::string_view rowOpen = horizontal ? "    " : "  <tr>";
    const std::string_view rowClose = horizontal ? "" : "</tr>";
    const std::string_view alignedCell = R"(<td align="_TDALIGN_">)";
    switch (index) {
        case 0:
        case 1:
            out += rowOpen;
            out += alignedCell;
            out += index == 0 ? kTextLink : kThumbAndText;
            out += "</td>";
            out += rowClose;
            out += '\n';
            break;
        case 2: {
            const std::string_view indent = horizontal ? "      " : "    ";
            out += rowOpen;
            out += alignedCell;
            out += '\n';
            AppendLine(out, indent, kFramedThumb);
            AppendLine(out, indent, kTextLink);
            out += horizontal ? "    </td>\n" : "  </td></tr>\n";
            break;
        }
        default:  // 4
            out += horizontal ? "   <td>\n" : "  <tr><td align=\"_TDALIGN_\">\n";
            out += kShotInfoContent;
            out += horizontal ? "   </td>\n" : "  </td></tr>\n";
            break;
    }
    return out;
}

std::string BuildListPreset(int index, bool horizontal) {
    std::string out = Head("エントリ一覧");
    out += "<body>\n";
    if (index == 3) {
        // Bare thumbnails: no table, so both variants are the same text.
        AppendLine(out, "", kRepeatStart);
        AppendLine(out, "", R"(<a href="_DETAIL_"><img src="_THUMBSP_" alt="_FILEEX_"></a>)");
        AppendLine(out, "", kRepeatEnd);
    } else if (horizontal) {
        AppendLine(out, "", R"(<table border="0" cellpadding="0" cellspacing="_CELLSPC_">)");
        AppendLine(out, "", index == 4 ? "  <tr>" : R"(  <tr valign="top">)");
        AppendLine(out, "", kRepeatStart);
        out += EntryCell(index, true);
        AppendLine(out, "", kRepeatEnd);
        AppendLine(out, "", "  </tr>");
        AppendLine(out, "", "</table>");
    } else {
        AppendLine(out, "",
                   R"(<table border="0" cellpadding="0" cellspacing="_CELLSPC_" width="100%">)");
        AppendLine(out, "", kRepeatStart);
        out += EntryCell(index, false);
        AppendLine(out, "", kRepeatEnd);
        AppendLine(out, "", "</table>");
    }
    out += kTail;
    return out;
}

constexpr std::string_view kListNames[] = {
    "テキストのみ",     "サムネイル＋テキスト",     "サムネイル＋枠＋テキスト",
    "サムネイルのベタ", "サムネイル＋枠＋撮影情報",
};
static_assert(std::size(kListNames) == kListPresetCount);

bool InRange(int index, int count) { return index >= 0 && index < count; }

}  // namespace

std::string DetailPresetName(int index) {
    return InRange(index, kDetailPresetCount) ? Sj(kDetailNames[index]) : std::string();
}

std::string ListPresetName(int index) {
    return InRange(index, kListPresetCount) ? Sj(kListNames[index]) : std::string();
}

std::string DetailPreset(int index) {
    return BuildDetailPreset(InRange(index, kDetailPresetCount) ? index : kDefaultDetailPreset);
}

std::string ListPreset(int index, bool horizontal) {
    return BuildListPreset(InRange(index, kListPresetCount) ? index : kDefaultListPreset,
                           horizontal);
}

}  // namespace mirulane
