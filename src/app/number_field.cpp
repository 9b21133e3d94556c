#include "app/number_field.h"

#include <charconv>
#include <climits>

#include "platform/text.h"

namespace mirulane {

std::string StepNumberText(std::string_view text, int step) {
    long long value = static_cast<long long>(ParseLeadingInt(text)) + step;
    if (value < 0) value = 0;
    if (value > INT_MAX) value = INT_MAX;
    return std::to_string(value);
}

std::optional<int> ParseNumberField(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    // from_chars reads a minus sign, not a plus sign; a sign alone or a second sign is no number.
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    }
    int value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

}  // namespace mirulane
