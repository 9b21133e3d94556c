#include "platform/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace mirulane {
namespace {

bool IsAscii(std::string_view s) {
    for (unsigned char c : s) {
        if (c >= 0x80) return false;
    }
    return true;
}

// One conversion through iconv. CP932 maps 0x5C to the backslash and ASCII to itself, so pure
// ASCII texts never reach iconv.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
    if (IsAscii(in)) return std::string(in);
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out(in.size() * 4 + 16, '\0');
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    bool ok = rc != static_cast<size_t>(-1) && inLeft == 0;
    if (ok) {
        // Flush any shift state (none for these encodings, but cheap and correct).
        ok = iconv(cd, nullptr, nullptr, &outPtr, &outLeft) != static_cast<size_t>(-1);
    }
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

}  // namespace

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932);
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8);
}

std::string Sj(std::string_view utf8) {
    auto converted = Utf8ToCp932(utf8);
    if (!converted) {
        std::fprintf(stderr, "internal error: literal not representable in CP932\n");
        std::abort();
    }
    return *converted;
}

std::string ToDisplay(std::string_view cp932) {
    if (auto whole = Cp932ToUtf8(cp932)) return *whole;
    // Convert character by character so one bad byte does not lose the whole text.
    std::string out;
    for (size_t i = 0; i < cp932.size();) {
        size_t len =
            (IsCp932Lead(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size()) ? 2 : 1;
        if (auto part = Cp932ToUtf8(cp932.substr(i, len))) {
            out += *part;
        } else {
            out += "\xEF\xBF\xBD";
        }
        i += len;
    }
    return out;
}

std::string FoldCase(std::string_view cp932) {
    std::string out(cp932);
    for (size_t i = 0; i < out.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(out[i]);
        if (IsCp932Lead(c)) {
            ++i;  // the trail byte may look like an ASCII letter; leave it
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 0x20);
        }
    }
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && FoldCase(a) == FoldCase(b);
}

std::string_view CutAtCharBoundary(std::string_view text, size_t max) {
    if (text.size() <= max) return text;
    size_t i = 0;
    while (i < max) {
        size_t len = IsCp932Lead(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + len > max) break;
        i += len;
    }
    return text.substr(0, i);
}

size_t FindLastSeparator(std::string_view path) {
    size_t last = std::string_view::npos;
    for (size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (IsCp932Lead(c)) {
            ++i;
        } else if (c == '\\' || c == '/') {
            last = i;
        }
    }
    return last;
}

}  // namespace mirulane
