#include "ui/qt_text.h"

#include "app/text.h"

namespace mirulane::ui {

QString FromCp932(std::string_view cp932) { return QString::fromStdString(ToDisplay(cp932)); }

std::optional<std::string> ToCp932(const QString& text) { return Utf8ToCp932(text.toStdString()); }

}  // namespace mirulane::ui
