#include "platform/shown_name.h"

#include <cstdio>

#include "platform/cp932.h"

namespace mirulane {
namespace {

// The length of the valid UTF-8 character at the start of s (shortest form, no surrogates,
// at most U+10FFFF); 0 when it starts with no valid character.
size_t Utf8Length(std::string_view s) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t len = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        len = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        len = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        len = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() < len || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < len; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return len;
}

std::string Escaped(unsigned char c) {
    switch (c) {
        case '\n':
            return "\\n";
        case '\t':
            return "\\t";
        case '\r':
            return "\\r";
        default: {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            return hex;
        }
    }
}

unsigned CodePoint(std::string_view utf8) {
    const auto b = [&](size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(utf8[i]));
    };
    switch (utf8.size()) {
        case 2:
            return (b(0) & 0x1F) << 6 | (b(1) & 0x3F);
        case 3:
            return (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
        case 4:
            return (b(0) & 0x07) << 18 | (b(1) & 0x3F) << 12 | (b(2) & 0x3F) << 6 | (b(3) & 0x3F);
        default:
            return b(0);
    }
}

// Walks the name: each valid character that is no control character goes to keep, every other
// byte to escape.
template <class Keep, class Escape>
void Walk(std::string_view name, Keep keep, Escape escape) {
    for (size_t i = 0; i < name.size();) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        const size_t len = Utf8Length(name.substr(i));
        if (len == 0 || c < 0x20 || c == 0x7F) {
            escape(c);
            ++i;
        } else {
            keep(name.substr(i, len));
            i += len;
        }
    }
}

}  // namespace

std::string ShownName(std::string_view systemName) {
    std::string out;
    Walk(
        systemName, [&](std::string_view character) { out += character; },
        [&](unsigned char c) { out += Escaped(c); });
    return out;
}

std::string ShownNameCp932(std::string_view systemName) {
    std::string out;
    Walk(
        systemName,
        [&](std::string_view character) {
            auto cp = Utf8ToCp932(character);
            if (cp && Cp932ToUtf8(*cp) == std::string(character)) {
                out += *cp;
            } else {
                char code[16];
                std::snprintf(code, sizeof code, "<U+%04X>", CodePoint(character));
                out += code;
            }
        },
        [&](unsigned char c) { out += Escaped(c); });
    return out;
}

}  // namespace mirulane
