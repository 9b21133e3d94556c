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

// A profile that other programs or years of use filled with keys reads in one pass; every
// key still finds its first occurrence whatever the letter case, a section named again goes
// on where it stood, and the written file keeps every key in its place.
TEST(Profile, AProfileOfManyKeysKeepsItsLookUpsAndItsBytes) {
    constexpr int kKeys = 40000;
    std::string text = "[Environment]\r\n";
    std::string written = text;
    for (int k = 0; k < kKeys; ++k) {
        std::string line = "K" + std::to_string(k) + "=" + std::to_string(k);
        text += line + "\r\n";
        written += line + "\r\n";
        // Every tenth key comes again in other letters: the first one stays.
        if (k % 10 == 0) text += "k" + std::to_string(k) + "=late\r\n";
    }
    text += "[Other]\r\nA=1\r\n[ENVIRONMENT]\r\nTail=end\r\nK5=late\r\n";
    written += "Tail=end\r\n[Other]\r\nA=1\r\n";
    IniProfile p("");
    p.Parse(text);
    for (int k : {0, 1, 10, 12345, kKeys - 1}) {
        EXPECT_EQ(p.GetInt("environment", "k" + std::to_string(k), -1), k) << k;
    }
    EXPECT_EQ(p.GetString("Environment", "TAIL", ""), "end");
    EXPECT_EQ(p.GetInt("OTHER", "a", 0), 1);
    EXPECT_EQ(p.Serialize(), written);
    p.SetInt("ENVIRONMENT", "k7", 70);
    p.SetString("New", "Key", "v");
    EXPECT_EQ(p.GetInt("Environment", "K7", 0), 70);
    EXPECT_EQ(p.GetString("new", "KEY", ""), "v");
    EXPECT_NE(p.Serialize().find("\r\nK7=70\r\nK8=8\r\n"), std::string::npos);
    const std::string tail = "[Other]\r\nA=1\r\n[New]\r\nKey=v\r\n";
    EXPECT_EQ(p.Serialize().substr(p.Serialize().size() - tail.size()), tail);
}

}  // namespace
}  // namespace mirulane
