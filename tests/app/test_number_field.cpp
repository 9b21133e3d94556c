// The number fields of the option dialogs: the arrows' step and the values they accept.

#include <gtest/gtest.h>

#include "app/number_field.h"

namespace mirulane {
namespace {

TEST(NumberField, ArrowsStepTheTextAndStopAtZero) {
    EXPECT_EQ(StepNumberText("320", +1), "321");
    EXPECT_EQ(StepNumberText("320", -1), "319");
    EXPECT_EQ(StepNumberText("0", -1), "0");
    EXPECT_EQ(StepNumberText("1", -1), "0");
    EXPECT_EQ(StepNumberText("-5", +1), "0");  // a typed negative climbs back to 0 at once
    // Text that is not a number reads as 0.
    EXPECT_EQ(StepNumberText("abc", +1), "1");
    EXPECT_EQ(StepNumberText("", +1), "1");
    EXPECT_EQ(StepNumberText("abc", -1), "0");
    EXPECT_EQ(StepNumberText(" 12px", +1), "13");
    // No upper bound, but no overflow either.
    EXPECT_EQ(StepNumberText("99999", +1), "100000");
    EXPECT_EQ(StepNumberText("2147483647", +1), "2147483647");
    EXPECT_EQ(StepNumberText("99999999999", -1), "2147483646");
}

TEST(NumberField, AcceptsOnlyWholeIntegers) {
    EXPECT_EQ(ParseNumberField("240"), 240);
    EXPECT_EQ(ParseNumberField(" 0 "), 0);
    EXPECT_EQ(ParseNumberField("+7"), 7);
    EXPECT_EQ(ParseNumberField("-3"), -3);
    EXPECT_EQ(ParseNumberField("2147483647"), 2147483647);
    for (const char* text :
         {"", " ", "abc", "12px", "1 2", "1.5", "+", "-", "+-1", "++1", "2147483648", "0x10"}) {
        EXPECT_EQ(ParseNumberField(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace mirulane
