#include <string>
#include <string_view>

#include "html/presets.h"
#include "html/tokens.h"
#include "platform/cp932.h"

namespace mirulane {

namespace {

// Every page of the layout without frames scales to the screen it is read on: a phone shows
// it at its own width instead of a shrunk desktop page.
constexpr std::string_view kViewport =
    "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";

std::string PhoneHead(std::string_view titleUtf8, std::string_view css) {
    std::string out =
        "<html>\n"
        "<head>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n";
    out += kViewport;
    out += "<title>";
    out += Sj(titleUtf8);
    out += "</title>\n<style type=\"text/css\">\n";
    out += css;
    out += "</style>\n</head>\n";
    return out;
}

// The pictures keep their proportions when the screen is narrower than they are, and a long
// name breaks rather than widening the page.
constexpr std::string_view kCommonCss =
    "body { margin: 0; padding: 8px; font-family: sans-serif; overflow-wrap: anywhere; }\n"
    "img, video { max-width: 100%; height: auto; }\n";

// A grid of cells at least 140 px wide that fills the width: two columns on a phone, as
// many as fit on a desktop.
constexpr std::string_view kListCss =
    ".grid { display: grid; grid-template-columns: repeat(auto-fill, minmax(140px, 1fr));"
    " gap: 8px; }\n"
    ".cell { min-width: 0; text-align: center; }\n"
    ".cell img { display: block; margin: 0 auto 4px; }\n";

// Previous and next as buttons a thumb can hit (44 px at least).
constexpr std::string_view kDetailCss =
    ".nav { display: flex; flex-wrap: wrap; justify-content: space-between; align-items: center;"
    " gap: 8px; margin: 0 auto 8px; max-width: 960px; }\n"
    ".nav a { display: inline-block; min-width: 44px; min-height: 44px;"
    " line-height: 44px; padding: 0 16px; box-sizing: border-box; text-align: center;"
    " border: 1px solid #999999; border-radius: 8px; text-decoration: none; }\n"
    ".picture { text-align: center; }\n"
    ".info { max-width: 960px; margin: 8px auto; }\n";

}  // namespace

std::string PhoneListPreset() {
    std::string out = PhoneHead("エントリ一覧", std::string(kCommonCss) + std::string(kListCss));
    out += "<body>\n<div class=\"grid\">\n";
    out += kRepeatStart;
    out +=
        "\n<div class=\"cell\"><a href=\"_DETAIL_\"><img src=\"_THUMB_\" alt=\"_FILEEX_\"></a>"
        "<a href=\"_DETAIL_\">_TDTEXT_</a></div>\n";
    out += kRepeatEnd;
    out += "\n</div>\n</body>\n</html>\n";
    return out;
}

std::string PhoneDetailPreset(std::string_view listLink) {
    std::string out = PhoneHead("_TITLE_", std::string(kCommonCss) + std::string(kDetailCss));
    out += "<body>\n<div class=\"nav\">";
    out += "<span class=\"prev\">_PREV_</span>";
    out += "<a href=\"";
    out += listLink;
    out += "\">" + Sj("一覧") + "</a>";
    out += "<span>_PGCUR_ / _PGTOTAL_</span>";
    out += "<span class=\"next\">_NEXT_</span>";
    out += "</div>\n";
    out += "<div class=\"picture\"><a href=\"_TARGET_\">_IMAGE_</a></div>\n";
    out +=
        "<div class=\"info\"><p><strong>_TITLE_</strong><br>_DTORG_<br>_MODEL_ _FOLEN_ _SHTSP_ "
        "_APRTV_ _EBIAS_ _ISOSR_</p>\n<p>_COMM1_</p></div>\n";
    out += "</body>\n</html>\n";
    return out;
}

}  // namespace mirulane
