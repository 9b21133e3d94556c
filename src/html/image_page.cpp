#include "html/image_page.h"

#include <algorithm>

#include "album/settings.h"
#include "html/escape.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

constexpr int kTopMargin = 2;
constexpr int kLeftMargin = 2;
constexpr int kCardPadding = 24;  // around a movie's card
constexpr int kCardText = 64;     // the card's lines under its poster

// A movie card's poster, scaled down to leave the card within the pane.
std::string PosterElement(const ImagePage& page, const PaneGeometry& pane) {
    std::string element = "<img src=\"" + LinkPath(page.posterPath) + "\" border=\"0\"";
    if (page.posterWidth > 0 && page.posterHeight > 0) {
        const int room = 2 * (kLeftMargin + kCardPadding + 1);
        const double boxW = std::max(pane.width - room - pane.scrollBarWidth, 16);
        const double boxH = std::max(pane.height - room - kCardText, 16);
        const double scale = std::min({1.0, boxW / page.posterWidth, boxH / page.posterHeight});
        element += Format(" width=\"%d\" height=\"%d\"",
                          std::max(1, static_cast<int>(page.posterWidth * scale)),
                          std::max(1, static_cast<int>(page.posterHeight * scale)));
    }
    return element + "><br>";
}

}  // namespace

ShownSize ImageDisplaySize(uint32_t width, uint32_t height, const PaneGeometry& pane,
                           const Settings& settings) {
    int boxWidth = 0;
    int boxHeight = 0;
    switch (settings.EnvDispSize) {
        case DisplaySize::FitPane: {
            int available = std::max(pane.width - 2 * kLeftMargin, 0);
            boxWidth = available - pane.scrollBarWidth;  // may fall below 0
            boxHeight = std::max(pane.height - 2 * kTopMargin, 0);
            break;
        }
        case DisplaySize::FitBox:
            boxWidth = settings.EnvDispMaxW;
            boxHeight = settings.EnvDispMaxH;
            break;
        default:
            return OriginalSize(width, height);
    }
    // A side without room gives a factor of 0: the picture is written 0 × 0 rather than
    // matched to the other side.
    if (boxWidth <= 0 || boxHeight <= 0) {
        ShownSize none;
        none.percent = 0.0;
        return none;
    }
    return FitSize(width, height, boxWidth, boxHeight);
}

std::string ImagePageText(const ImagePage& page, const PaneGeometry& pane,
                          const Settings& settings) {
    const bool withExif = settings.EnvWithExif;
    const std::string path = EscapeHtml(page.imagePath);
    std::string html =
        "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
        "charset=x-sjis\">\n";
    html += "<title>" + path + "</title></head>\n";
    html += Format("<body topmargin=\"%d\" leftmargin=\"%d\">\n", kTopMargin, kLeftMargin);
    if (withExif) {
        html +=
            "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n"
            "  <tr>\n"
            "    <td align=\"left\">\n";
    } else {
        html +=
            "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" align=\"center\" "
            "height=\"100%\" width=\"100%\">\n"
            "  <tr>\n"
            "    <td align=\"center\" valign=\"middle\">";
    }

    if (page.video) {
        // The pane cannot play a movie, and a picture element would show a blown-up broken
        // icon: a card names the movie and its size instead.
        html +=
            Format("<table border=\"1\" cellpadding=\"%d\" cellspacing=\"0\"><tr>", kCardPadding) +
            "<td align=\"center\" bgcolor=\"#eeeeee\">";
        if (!page.posterPath.empty()) html += PosterElement(page, pane);
        html += Sj("<b>動画</b><br>") + EscapeHtml(LastComponent(page.imagePath));
        if (page.width > 0 && page.height > 0) {
            html += Format("<br>%ux%u", page.width, page.height);
        }
        html += "</td></tr></table>";
    } else if (page.width < 1 || page.height < 1) {
        html += "      <p>" + path + Sj("</p><p>(表示できません)</p>\n");
    } else {
        ShownSize shown = ImageDisplaySize(page.width, page.height, pane, settings);
        const std::string link = LinkPath(page.imagePath);
        html += "<img src=\"" + link + "\" alt=\"" + SizeAltText(shown, page.width, page.height) +
                Format("\" border=\"0\" width=\"%d\" height=\"%d\">", shown.width, shown.height);
    }
    html +=
        "    </td>\n"
        "  </tr>\n";

    if (withExif) {
        html +=
            "  <tr>\n"
            "    <td align=\"left\">\n"
            "      <br>\n";
        html += "      <b>" + EscapeHtml(LastComponent(page.imagePath)) + "</b><br>\n";
        html += Sj("      作成日時: ") + page.dateText + "<br>\n";
        html += Sj("      サイズ: ") + page.sizeText + Sj(" バイト<br>\n");
        if (page.width > 0 && page.height > 0) {
            html += Sj("      画像サイズ: ") + Format("%ux%u", page.width, page.height) + "<br>\n";
        }
        if (page.exif) {
            html += "      <hr>\n";
            if (!page.exif->empty()) {
                html += "\n<table border=\"0\" cellpadding=\"2\" cellspacing=\"1\">\n";
            }
            for (const auto& [name, text] : *page.exif) {
                html += "  <tr>\n    <td bgcolor=\"#ddddff\">" + EscapeHtml(name) +
                        "</td>\n    <td><font color=\"#4444FF\">" + EscapeCameraText(text) +
                        "</td>\n  </tr>\n";
            }
            if (!page.exif->empty()) html += "</table>\n\n";
        }
        html +=
            "    </td>\n"
            "  </tr>\n";
    }
    html += "</table>\n</body>\n</html>\n";
    return html;
}

}  // namespace mirulane
