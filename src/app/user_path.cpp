#include "app/user_path.h"

#include "platform/cp932.h"

namespace mirulane {

std::optional<std::string> UserTextToCp932(std::string_view utf8) {
    auto converted = Utf8ToCp932(utf8);
    auto back = converted ? Cp932ToUtf8(*converted) : std::nullopt;
    if (!back || *back != utf8) return std::nullopt;
    return converted;
}

UserPath UserPathToCp932(std::string_view utf8) {
    auto cp932 = UserTextToCp932(utf8);
    if (!cp932) return {{}, PathRefusal::NotShiftJis};
    if (utf8.find('\\') != std::string_view::npos) return {{}, PathRefusal::Backslash};
    return {std::move(*cp932), PathRefusal::None};
}

}  // namespace mirulane
