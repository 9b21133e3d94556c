#pragma once
// Shift-JIS (CP932) text of the core to and from Qt strings: the window's edge of the text
// conversion.

#include <QString>
#include <optional>
#include <string>
#include <string_view>

namespace mirulane::ui {

// A UTF-8 literal of the window's own texts (captions, labels, messages).
inline QString Utf8(const char* text) { return QString::fromUtf8(text); }

// For display: bytes that do not convert show as U+FFFD.
QString FromCp932(std::string_view cp932);

// nullopt when the text holds a character CP932 cannot represent.
std::optional<std::string> ToCp932(const QString& text);

}  // namespace mirulane::ui
