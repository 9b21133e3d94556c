#pragma once
// Integer reads out of bytes from a file, for the picture header checks and the BMP decoder.
// Has() is the one bounds check; the reads expect it to have passed.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mirulane::bytes {

// True when count bytes starting at `at` lie inside b (no overflow for any at or count).
inline bool Has(std::string_view b, size_t at, size_t count) {
    return at <= b.size() && count <= b.size() - at;
}

inline uint32_t U8(std::string_view b, size_t at) { return static_cast<unsigned char>(b[at]); }
inline uint32_t Le16(std::string_view b, size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
inline uint32_t Le32(std::string_view b, size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }
inline uint32_t Be16(std::string_view b, size_t at) { return U8(b, at) << 8 | U8(b, at + 1); }
inline uint32_t Be32(std::string_view b, size_t at) { return Be16(b, at) << 16 | Be16(b, at + 2); }

}  // namespace mirulane::bytes
