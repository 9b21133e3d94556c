#include "html/tokens.h"

#include <iterator>
#include <string>

#include "platform/cp932.h"

namespace mirulane {

namespace {

constexpr size_t kTextSlot = 511;
constexpr size_t kExifSlot = 127;
constexpr size_t kNumberSlot = 15;
constexpr size_t kThumbSlot = 1023;

constexpr TokenInfo kListOrder[] = {
    {"_DETAIL_", Token::DETAIL, kTextSlot},    {"_TDALIGN_", Token::TDALIGN, kNumberSlot},
    {"_TDTEXT_", Token::TDTEXT, kTextSlot},    {"_THUMB_", Token::THUMB, kThumbSlot},
    {"_THUMBSP_", Token::THUMBSP, kThumbSlot},
};

constexpr TokenInfo kDetailOrder[] = {
    {"_TARGET_", Token::TARGET, kTextSlot},     {"_FILE_", Token::FILE, kTextSlot},
    {"_FILEEX_", Token::FILEEX, kTextSlot},     {"_TITLE_", Token::TITLE, kTextSlot},
    {"_YOMI_", Token::YOMI, kTextSlot},         {"_GROUP_", Token::GROUP, kTextSlot},
    {"_IMAGE_", Token::IMAGE, kTextSlot},       {"_PGCUR_", Token::PGCUR, kNumberSlot},
    {"_PGTOTAL_", Token::PGTOTAL, kNumberSlot}, {"_COMM1_", Token::COMM1, kTextSlot},
    {"_COMM2_", Token::COMM2, kTextSlot},       {"_PREV_", Token::PREV, kTextSlot},
    {"_NEXT_", Token::NEXT, kTextSlot},         {"_MAKER_", Token::MAKER, kExifSlot},
    {"_MODEL_", Token::MODEL, kExifSlot},       {"_DTORG_", Token::DTORG, kExifSlot},
    {"_ISOSR_", Token::ISOSR, kExifSlot},       {"_SHTSP_", Token::SHTSP, kExifSlot},
    {"_APRTV_", Token::APRTV, kExifSlot},       {"_FOLEN_", Token::FOLEN, kExifSlot},
    {"_FLASH_", Token::FLASH, kExifSlot},       {"_EBIAS_", Token::EBIAS, kExifSlot},
    {"_IMGSZ_", Token::IMGSZ, kExifSlot},
};

constexpr TokenInfo kCellSpacing = {"_CELLSPC_", Token::CELLSPC, 0};

static_assert(std::size(kListOrder) + std::size(kDetailOrder) + 1 == kTokenCount,
              "every switchable token has a text");

const TokenInfo& InfoOf(Token token) {
    for (const TokenInfo& info : kListOrder) {
        if (info.token == token) return info;
    }
    for (const TokenInfo& info : kDetailOrder) {
        if (info.token == token) return info;
    }
    return kCellSpacing;
}

}  // namespace

std::span<const TokenInfo> ListTokenOrder() { return kListOrder; }
std::span<const TokenInfo> DetailTokenOrder() { return kDetailOrder; }
const char* TokenText(Token token) { return InfoOf(token).text; }

int ReplaceToken(std::string& text, std::string_view token, std::string_view value,
                 size_t maxBytes) {
    if (token.empty()) return 0;
    size_t found = text.find(token);
    if (found == std::string::npos) return 0;
    size_t count = 0;
    for (size_t at = found; at != std::string::npos; at = text.find(token, at + token.size())) {
        ++count;
    }
    // Each occurrence lies within the text, so the text holds at least count × token bytes.
    size_t kept = text.size() - count * token.size();
    // The result's size, kept + count × value, is compared without overflowing.
    if (kept > maxBytes || (!value.empty() && count > (maxBytes - kept) / value.size())) return -1;
    // Build the result in one pass, so many occurrences cost linear time.
    std::string out;
    out.reserve(kept + count * value.size());
    size_t from = 0;
    for (; found != std::string::npos; found = text.find(token, from)) {
        out.append(text, from, found - from);
        out.append(value);
        from = found + token.size();
    }
    out.append(text, from, std::string::npos);
    text.swap(out);
    return static_cast<int>(count);
}

bool ReplaceTokens(std::string& text, std::span<const TokenInfo> order, const TokenValues& values,
                   const PageStyle& style, ReplaceBudget& budget) {
    for (const TokenInfo& info : order) {
        if (!style.Switch(info.token)) continue;
        size_t scanned = text.size();
        int replaced = ReplaceToken(
            text, info.text, CutAtCharBoundary(values[info.token], info.maxSize), budget.textMax);
        if (replaced < 0) return false;
        size_t cost = scanned + (replaced > 0 ? text.size() : 0);
        if (cost > budget.work) return false;
        budget.work -= cost;
    }
    return true;
}

void ReplaceCellSpacing(std::string& text, const PageStyle& style) {
    if (!style.Switch(Token::CELLSPC)) return;
    ReplaceToken(text, kCellSpacing.text, std::to_string(style.ListCellSpacing));
}

}  // namespace mirulane
