// Shift-JIS handling and the small text helpers the readers and writers rely on.

#include <gtest/gtest.h>

#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane {
namespace {

TEST(Cp932, ConvertsBothWaysAndRefusesWhatItCannotRepresent) {
    std::string sj = Sj("表示ソフト能.jpg");
    EXPECT_EQ(sj, std::string("\x95\x5C\x8E\xA6\x83\x5C\x83\x74\x83\x67\x94\x5C.jpg"));
    EXPECT_EQ(Cp932ToUtf8(sj).value(), "表示ソフト能.jpg");
    EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80").has_value());  // an emoji
    EXPECT_FALSE(Cp932ToUtf8("\x81").has_value());              // a lone lead byte
    EXPECT_EQ(ToDisplay(std::string("a\x81")), "a\xEF\xBF\xBD");
    EXPECT_EQ(Sj("a\\b"), "a\\b");  // 0x5C stays the backslash
}

TEST(Cp932, CaseFoldingAndSeparatorScansStepOverTwoByteCharacters) {
    // "ア" is 0x83 0x41: its trail byte looks like 'A' and must not be folded.
    std::string a = Sj("アIMG.JPG");
    std::string b = Sj("アimg.jpg");
    EXPECT_TRUE(EqualsNoCase(a, b));
    EXPECT_EQ(FoldCase(a).substr(0, 2), std::string("\x83\x41"));
    EXPECT_FALSE(EqualsNoCase(Sj("ア"), std::string("\x83\x61")));

    // 表 and ソ end in 0x5C; the only real separator is the '/' before "x".
    std::string path = Sj("C:表示/ソx");
    EXPECT_EQ(FindLastSeparator(path), path.size() - 4);
    EXPECT_EQ(FindLastSeparator(Sj("表ソ")), std::string_view::npos);
    EXPECT_EQ(FindLastSeparator("a\\b/c\\d"), 5u);
}

TEST(Cp932, CutsOnlyOnCharacterBoundaries) {
    std::string s = Sj("aあい");  // 1 + 2 + 2 bytes
    EXPECT_EQ(CutAtCharBoundary(s, 5), s);
    EXPECT_EQ(CutAtCharBoundary(s, 4), s.substr(0, 3));
    EXPECT_EQ(CutAtCharBoundary(s, 2), "a");
    EXPECT_EQ(CutAtCharBoundary(s, 0), "");
}

TEST(Text, ParsesIntegersLikeProfilesDo) {
    EXPECT_EQ(ParseLeadingInt("42"), 42);
    EXPECT_EQ(ParseLeadingInt("  -12abc"), -12);
    EXPECT_EQ(ParseLeadingInt("+7"), 7);
    EXPECT_EQ(ParseLeadingInt("abc"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    EXPECT_EQ(ParseLeadingInt("-"), 0);
    EXPECT_EQ(ParseLeadingInt("1 2"), 1);
    EXPECT_EQ(ParseLeadingInt("--1"), 0);
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), 2147483647);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), -2147483647 - 1);
}

TEST(Text, TextModeOutputAndFormatting) {
    EXPECT_EQ(ToCrLf("a\nb\r\nc"), "a\r\nb\r\r\nc");
    EXPECT_EQ(Format("%s=%d", "x", -3), "x=-3");
    std::string fmt = Sj("開けません(errno=%d)\n%s");
    EXPECT_EQ(Cp932ToUtf8(Format(fmt.c_str(), 2, "p")).value(), "開けません(errno=2)\np");
    EXPECT_EQ(AsciiLower("JPG.Ab"), "jpg.ab");
}

}  // namespace
}  // namespace mirulane
