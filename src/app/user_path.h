#pragma once
// The one rule for text and paths a user types or chooses (UTF-8) before they enter the album
// (CP932). Each front end words the refusal in its own way.

#include <optional>
#include <string>
#include <string_view>

namespace mirulane {

// The CP932 form of a text; nullopt when a character has no Shift-JIS form or shares its code
// with another ("¥" is the backslash), so that the text would read back as another.
std::optional<std::string> UserTextToCp932(std::string_view utf8);

enum class PathRefusal {
    None,
    NotShiftJis,  // as UserTextToCp932
    Backslash,    // "\" is a folder separator to the album and to every file access
};

struct UserPath {
    std::string cp932;  // when refusal is None
    PathRefusal refusal = PathRefusal::None;
};

// A path: the text's rule, and no "\" in it, which would name another file or folder.
UserPath UserPathToCp932(std::string_view utf8);

}  // namespace mirulane
