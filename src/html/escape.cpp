#include "html/escape.h"

#include "platform/paths.h"

namespace mirulane {

namespace {

const char* HtmlReference(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        case '\'':
            return "&#39;";
        default:
            return nullptr;
    }
}

// Writes text piece by piece until the next piece would pass maxBytes. `piece` turns the
// character at byte i (len bytes) into its written form; it may take more bytes by raising len.
template <typename Piece>
std::string Rewrite(std::string_view text, size_t maxBytes, Piece piece) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        // A lead byte without its second byte stands alone, as a browser reads it, so the
        // byte after it is written safely too.
        size_t len = Cp932CharLength(text, i);
        std::string_view written = piece(i, len);
        if (out.size() + written.size() > maxBytes) break;
        out += written;
        i += len;
    }
    return out;
}

std::string EscapeText(std::string_view text, size_t maxBytes, bool keepBreaks) {
    constexpr std::string_view kBreak = "<br>";
    return Rewrite(text, maxBytes, [&](size_t i, size_t& len) -> std::string_view {
        if (keepBreaks && text.substr(i, kBreak.size()) == kBreak) {
            len = kBreak.size();
            return kBreak;
        }
        const char* ref = len == 1 ? HtmlReference(text[i]) : nullptr;
        return ref ? std::string_view(ref) : text.substr(i, len);
    });
}

}  // namespace

std::string EscapeHtml(std::string_view text, size_t maxBytes) {
    return EscapeText(text, maxBytes, false);
}

std::string EscapeCameraText(std::string_view text, size_t maxBytes) {
    return EscapeText(text, maxBytes, true);
}

std::string FilledOrTypedText(std::string_view text, std::string_view filledFrom, size_t maxBytes) {
    return text == filledFrom ? EscapeHtml(text, maxBytes) : std::string(text);
}

std::string LinkPath(std::string_view path, size_t maxBytes) {
    static const char kHex[] = "0123456789ABCDEF";
    char encoded[3] = {'%', 0, 0};
    return Rewrite(path, maxBytes, [&](size_t i, size_t& len) -> std::string_view {
        if (len != 1) return path.substr(i, len);
        auto c = static_cast<unsigned char>(path[i]);
        if (c == '&') return "&amp;";
        if (c == '\\') return "/";  // a separator, as everywhere in the core's paths
        bool encode = c <= 0x20 || c == 0x7F;
        switch (c) {
            case '"':
            case '#':
            case '%':
            case '\'':
            case ':':
            case '<':
            case '>':
            case '?':
            case '[':
            case ']':
            case '^':
            case '`':
            case '{':
            case '|':
            case '}':
                encode = true;
                break;
            default:
                break;
        }
        if (!encode) return path.substr(i, 1);
        encoded[1] = kHex[c >> 4];
        encoded[2] = kHex[c & 15];
        return std::string_view(encoded, 3);
    });
}

}  // namespace mirulane
