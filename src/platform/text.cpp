#include "platform/text.h"

#include <climits>
#include <cstdarg>
#include <cstdio>

#include "platform/cp932.h"

namespace mirulane {

namespace {

std::string FormatList(const char* fmt, va_list args) {
    va_list copy;
    va_copy(copy, args);
    int needed = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    std::string out;
    if (needed > 0) {
        out.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(out.data(), out.size(), fmt, args);
        out.resize(static_cast<size_t>(needed));
    }
    return out;
}

}  // namespace

std::string Format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    std::string out = FormatList(fmt, args);
    va_end(args);
    return out;
}

std::string SjFormat(const char* utf8Format, ...) {
    const std::string format = Sj(utf8Format);
    va_list args;
    va_start(args, utf8Format);
    std::string out = FormatList(format.c_str(), args);
    va_end(args);
    return out;
}

int ParseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

std::string ToCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16 + 8);
    // Whole runs between line feeds are copied at once: pages are written through here.
    size_t from = 0;
    for (size_t lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', from)) {
        out.append(text, from, lf - from);
        out.append("\r\n", 2);
        from = lf + 1;
    }
    out.append(text, from, std::string_view::npos);
    return out;
}

std::string AsciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    }
    return out;
}

}  // namespace mirulane
