// The page writers over hostile entries: every field of a few entries comes from the input,
// with a short code for "this token's text n times", so names full of markup characters or
// broken Shift-JIS and texts that are chains of token names are reached at once. Every page
// must stay within its limit; texts from the files must never come out as markup; no two
// entries may share a page file, nor take the list page's. The picture folders do not exist,
// so nothing is read or written on disk.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "album/album.h"
#include "html/detail_page.h"
#include "html/list_page.h"
#include "html/page_names.h"
#include "html/presets.h"
#include "html/tokens.h"
#include "platform/cp932.h"

namespace {

using namespace mirulane;

// 0x02 t n stands for the text of token t written n times; every other byte stands for itself.
std::string Expand(std::string_view piece) {
    std::vector<const char*> tokens;
    for (const TokenInfo& info : ListTokenOrder()) tokens.push_back(info.text);
    for (const TokenInfo& info : DetailTokenOrder()) tokens.push_back(info.text);
    std::string out;
    for (size_t i = 0; i < piece.size(); ++i) {
        if (piece[i] == '\x02' && i + 2 < piece.size()) {
            const char* token = tokens[static_cast<unsigned char>(piece[i + 1]) % tokens.size()];
            for (int n = static_cast<unsigned char>(piece[i + 2]); n > 0; --n) out += token;
            i += 2;
        } else {
            out += piece[i];
        }
    }
    return out;
}

// Markup outside "<br>" (which camera texts keep as their line break).
bool HasMarkup(std::string text) {
    for (size_t at = text.find("<br>"); at != std::string::npos; at = text.find("<br>", at)) {
        text.erase(at, 4);
    }
    return text.find_first_of("<>\"'") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.empty()) return 0;
    const unsigned char options = data[0];
    bytes.remove_prefix(1);

    // Pieces separated by 0x01: the fields of the entries, 17 to an entry, then a template.
    std::vector<std::string> pieces;
    for (size_t from = 0;;) {
        size_t end = bytes.find('\x01', from);
        pieces.push_back(Expand(bytes.substr(from, end - from)));
        if (end == std::string_view::npos) break;
        from = end + 1;
    }
    Album album;
    PageStyle& style = album.style;
    style.TargetFolder = "/nonexistent/mrl-fuzz";
    style.ImageFolder = style.ThumbFolder = style.TargetFolder + "/thumb";
    style.TopFolder = style.TargetFolder;
    style.ListFolder = style.DetailFolder = style.TargetFolder + "/html";
    style.ListTextKind = options & 3;
    style.TargetToTop = 0;
    for (size_t p = 0; p + 1 < pieces.size() && album.entries.Count() < 6; p += kColumnCount) {
        int e = album.entries.Append(pieces[p]);
        for (int c = 1; c < kColumnCount && p + c < pieces.size(); ++c) {
            std::string text = pieces[p + c];
            if (c <= COL_COMM2) {
                // The user's own texts go in as typed: keep markup out of them, so that any
                // markup in a page below can only have come from the files' texts.
                std::erase_if(text, [](char ch) {
                    return std::string_view("<>\"'").find(ch) != std::string_view::npos;
                });
            }
            album.entries.SetField(e, c, text);
        }
    }
    const std::string& templ = pieces.back();

    PageRun run(album);
    std::set<std::string> names;
    for (int i = 0; i < album.entries.Count(); ++i) {
        if (!run.pages.HasPage(i)) continue;
        if (!names.insert(FoldCase(run.pages.Name(i))).second) std::abort();
    }
    if (names.count("list.html")) std::abort();

    bool invalid = false;
    std::optional<std::string> list = ListPageText(
        album, run, (options & 4) ? templ : ListPreset(options % kListPresetCount, options & 8),
        LinkMode::Page, invalid);
    if (list && list->size() > kPageMaxBytes) std::abort();

    for (int i = 0; i < album.entries.Count(); ++i) {
        std::optional<std::string> page = DetailPageText(
            album, run, (options & 16) ? templ : DetailPreset(options % kDetailPresetCount), i,
            (options & 32) ? LinkMode::Preview : LinkMode::Page);
        if (page && page->size() > kPageMaxBytes) std::abort();
    }

    // Texts that came from the files, in a template of nothing else; the tokens whose values
    // are markup by design (neighbour links, the picture) are switched off.
    const std::string fromFiles =
        "_TARGET_ _FILE_ _FILEEX_ _MAKER_ _MODEL_ _DTORG_ _ISOSR_ _SHTSP_ _APRTV_ _FOLEN_ "
        "_FLASH_ _EBIAS_ _IMGSZ_";
    for (Token t : {Token::PREV, Token::NEXT, Token::IMAGE}) {
        style.tokenSwitch[static_cast<int>(t)] = 0;
    }
    for (int i = 0; i < album.entries.Count(); ++i) {
        std::optional<std::string> shown = DetailPageText(album, run, fromFiles, i, LinkMode::Page);
        if (shown && HasMarkup(*shown)) std::abort();
    }
    return 0;
}
