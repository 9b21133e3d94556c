#pragma once
// Small text helpers shared by the readers and writers.

#include <cstdint>
#include <string>
#include <string_view>

namespace mirulane {

// printf-style formatting into a std::string (formats are CP932 bytes; the directives are
// ASCII and no CP932 trail byte is '%', so formatting is safe on Shift-JIS formats).
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Format with a UTF-8 format from the source code, converted to CP932 first (as Sj does), so
// the compiler checks the directives against the arguments; the arguments are CP932 already.
std::string SjFormat(const char* utf8Format, ...) __attribute__((format(printf, 1, 2)));

// Reads an integer as private profiles and the album list file do: leading blanks, one sign,
// then digits up to the first non-digit; without digits the value is 0. Values beyond the
// range of int saturate instead of overflowing.
int ParseLeadingInt(std::string_view text);

// "Text mode" output: each LF becomes CR LF (a CR already before it is kept, so CR LF in the
// input becomes CR CR LF, as text-mode output does).
std::string ToCrLf(std::string_view text);

// Lower-cases ASCII letters only.
std::string AsciiLower(std::string_view text);

}  // namespace mirulane
