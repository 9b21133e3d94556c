// The .ini profile: private-profile reading rules and a full write-back.

#include <gtest/gtest.h>

#include "fixtures/image_builder.h"
#include "platform/profile.h"

namespace mirulane {
namespace {

TEST(Profile, ReadsLikeAPrivateProfile) {
    IniProfile p("");
    p.Parse(
        "; comment\r\n[Other]\nKey=9\n[environment]\r\n  EnvPathIdx =  -3x \r\nName=\"quoted\"\n"
        "Empty=\nNoDigits=abc\nKey=first\nkey=second\nbroken line\n[Environment]\nLate=5\n");
    EXPECT_EQ(p.GetInt("Environment", "EnvPathIdx", 1), -3);
    EXPECT_EQ(p.GetInt("ENVIRONMENT", "envpathidx", 1), -3);
    EXPECT_EQ(p.GetString("Environment", "Name", ""), "quoted");
    EXPECT_EQ(p.GetString("Environment", "Empty", "def"), "");
    EXPECT_EQ(p.GetInt("Environment", "NoDigits", 7), 0);
    EXPECT_EQ(p.GetString("Environment", "Key", ""), "first");
    EXPECT_EQ(p.GetInt("Environment", "Late", 0), 5);
    EXPECT_EQ(p.GetInt("Environment", "Missing", 11), 11);
    EXPECT_EQ(p.GetInt("Missing", "Key", 12), 12);
    EXPECT_EQ(p.GetInt("Other", "Key", 0), 9);
}

TEST(Profile, WritesEveryKeyBackAndReadsItAgain) {
    fixtures::TempDir dir;
    std::string path = dir.path() + "/m.ini";
    {
        IniProfile missing(path);  // a missing file is an empty profile
        EXPECT_EQ(missing.GetInt("Environment", "ShowHelp", 1), 1);
        missing.SetInt("Environment", "ShowHelp", 0);
        missing.SetString("Environment", "Face", "MS UI\nGothic");
        ASSERT_EQ(missing.Save(), 0);
    }
    EXPECT_EQ(dir.Read("m.ini"), "[Environment]\r\nShowHelp=0\r\nFace=MS UI Gothic\r\n");
    IniProfile again(path);
    EXPECT_EQ(again.GetInt("Environment", "ShowHelp", 1), 0);
    EXPECT_EQ(again.GetString("Environment", "Face", ""), "MS UI Gothic");
}

}  // namespace
}  // namespace mirulane
