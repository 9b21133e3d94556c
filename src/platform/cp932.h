#pragma once
// Shift-JIS (code page 932) text helpers. Every text the core holds is a CP932 byte string;
// conversion to UTF-8 happens only at the file-system and user-interface edges.

#include <optional>
#include <string>
#include <string_view>

namespace mirulane {

// True for the first byte of a two-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
inline bool IsCp932Lead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Conversions; nullopt when the input holds a sequence the other side cannot represent.
std::optional<std::string> Cp932ToUtf8(std::string_view cp932);
std::optional<std::string> Utf8ToCp932(std::string_view utf8);

// Converts a UTF-8 literal of the source code to CP932. Source literals are always
// representable; an unrepresentable one is a programming error and aborts.
std::string Sj(std::string_view utf8);

// CP932 -> UTF-8 for display; bytes that do not convert become U+FFFD instead of failing.
std::string ToDisplay(std::string_view cp932);

// Lower-cases ASCII letters at single-byte positions, stepping over two-byte characters, so
// that the trail byte of a two-byte character is never changed.
std::string FoldCase(std::string_view cp932);

// Case-insensitive identity comparison (file names): equal after FoldCase.
bool EqualsNoCase(std::string_view a, std::string_view b);

// Cuts a text to at most max bytes without splitting a two-byte character.
std::string_view CutAtCharBoundary(std::string_view text, size_t max);

// Position of the last '\' or '/' that is a real separator (not the trail byte of a two-byte
// character), or npos.
size_t FindLastSeparator(std::string_view path);

}  // namespace mirulane
