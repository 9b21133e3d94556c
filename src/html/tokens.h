#pragma once
// Tokens of page templates and their replacement. A token is an upper-case word between
// underscores (_TITLE_); generation replaces every occurrence by a value of the current entry,
// unless the album's switch for that token is off, in which case the token stays verbatim.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "album/page_style.h"

namespace mirulane {

struct TokenInfo {
    const char* text;  // "_TITLE_"
    Token token;       // the switch it obeys and the value slot it takes
    size_t maxSize;    // the value is cut to this many bytes (0: no limit)
};

// The list tokens in replacement order: _DETAIL_, _TDALIGN_, _TDTEXT_, _THUMB_, _THUMBSP_.
std::span<const TokenInfo> ListTokenOrder();
// The 23 detail tokens in replacement order: _TARGET_, _FILE_, _FILEEX_, _TITLE_, ... _IMGSZ_.
std::span<const TokenInfo> DetailTokenOrder();
// The token text of any token ("_CELLSPC_" included).
const char* TokenText(Token token);

// The repeat markers of list templates (never switched off, never replaced).
inline constexpr std::string_view kRepeatStart = "<!--mirulanestart-->";
inline constexpr std::string_view kRepeatEnd = "<!--mirulaneend-->";

// Values of one entry, one slot per token; slots start empty.
struct TokenValues {
    std::array<std::string, kTokenCount> slot;

    std::string& operator[](Token t) { return slot[static_cast<int>(t)]; }
    const std::string& operator[](Token t) const { return slot[static_cast<int>(t)]; }
};

// A generated page never grows beyond this. Values that hold token texts are replaced again by
// later tokens, so a hostile album could otherwise multiply a page without bound; a page that
// would pass the limit is refused as a whole.
inline constexpr size_t kPageMaxBytes = 16u << 20;

// What the replacements of one page may still use. No replaced text may grow beyond textMax,
// and all replacements together may scan and write at most `work` bytes: a chain of values that
// first multiplies a text and then shrinks it again would otherwise cost time for every entry
// of a list page without making the page any bigger. An ordinary page needs a small part of
// it: each of the 28 tokens scans and writes a text that is at most about the page's size.
struct ReplaceBudget {
    size_t textMax = kPageMaxBytes;
    size_t work = 64 * kPageMaxBytes;
};

// Replaces every occurrence of `token` in `text` by `value`: left to right, non-overlapping,
// byte for byte and case-sensitive; the inserted value is not rescanned for the same token.
// Returns the number of occurrences replaced, or -1 (and the text stays as it was) when the
// result would be longer than maxBytes.
int ReplaceToken(std::string& text, std::string_view token, std::string_view value,
                 size_t maxBytes = SIZE_MAX);

// Replaces the tokens of `order` in that order, each value cut to its slot size (never inside
// a two-byte character), skipping tokens whose switch is off. Because tokens are replaced one
// after the other over the growing text, a value that holds a later token's text is replaced
// again. False, with the text part way replaced, when the budget does not suffice.
bool ReplaceTokens(std::string& text, std::span<const TokenInfo> order, const TokenValues& values,
                   const PageStyle& style, ReplaceBudget& budget);

// Replaces "_CELLSPC_" everywhere by ListCellSpacing in decimal when its switch is on (list
// templates, before the repeat region is cut out).
void ReplaceCellSpacing(std::string& text, const PageStyle& style);

}  // namespace mirulane
