#pragma once
// The number fields of the option dialogs (sizes in pixels): what their up-down arrows do to
// the text, and what text they accept as a value.

#include <optional>
#include <string>
#include <string_view>

namespace mirulane {

// One step of a field's arrows: the text read as a decimal integer (text that is not a number
// reads as 0), plus step, never below 0, written back as decimal text.
std::string StepNumberText(std::string_view text, int step);

// The value of a field that holds a decimal integer (blanks around it and one sign allowed);
// nullopt for any other text, or a number beyond the range of int.
std::optional<int> ParseNumberField(std::string_view text);

}  // namespace mirulane
