// The settings store: defaults, the extension filter string, and a complete write-back.

#include <gtest/gtest.h>

#include "album/settings.h"
#include "platform/profile.h"

namespace mirulane {
namespace {

std::string FilterFlags(const Settings& s) {
    std::string out;
    for (const auto& row : s.filter) out += row.on ? '1' : '0';
    return out;
}

TEST(Settings, NoProfileGivesDefaultsAndSavesAll41KeysInOrder) {
    IniProfile empty("");
    Settings s;
    s.Load(empty);
    EXPECT_EQ(FilterFlags(s), "111100000");
    EXPECT_TRUE(s.PassesFilter("jpg"));
    EXPECT_FALSE(s.PassesFilter("jpeg"));
    EXPECT_EQ(s.FontHeight, -12);
    EXPECT_EQ(s.FontCharSet, 128);
    EXPECT_EQ(s.FontFaceName, "MS UI Gothic");

    s.ShowHelp = 0;
    IniProfile out("");
    s.Save(out);
    EXPECT_EQ(out.Serialize(),
              "[Environment]\r\nShowHelp=0\r\nPvFirst=1\r\nEnvPathIdx=1\r\nEnvPathLst=1\r\n"
              "EnvPathThm=0\r\nEnvPreView=0\r\nEnvDispImage=0\r\nEnvDispSize=1\r\n"
              "EnvDispMaxW=320\r\nEnvDispMaxH=240\r\nEnvWithExif=1\r\nEnvSortUpLow=0\r\n"
              "EnvLstGrid=1\r\nEnvUseFilter=1\r\nEnvFilterCheck=111100000\r\nEnvGetExif=1\r\n"
              "EnvExifFlash=0\r\nEnvExifDtorg=1\r\nEnvExifAprtv=1\r\nEnvExifShtsp=1\r\n"
              "EnvExifFolen=1\r\nEnvExifEbias=1\r\nEnvExifIsosr=1\r\nEnvExifDtfil=1\r\n"
              "EnvChangePath=0\r\nEnvForceOverWrite=0\r\nEnvDebugMode=0\r\nFontHeight=-12\r\n"
              "FontWidth=0\r\nFontEscapement=0\r\nFontOrientation=0\r\nFontWeight=400\r\n"
              "FontItalic=0\r\nFontUnderline=0\r\nFontStrikeOut=0\r\nFontCharSet=128\r\n"
              "FontOutPrecision=0\r\nFontClipPrecision=0\r\nFontQuality=0\r\n"
              "FontPitchAndFamily=0\r\nFontFaceName=MS UI Gothic\r\n");
}

TEST(Settings, FilterStringCoversOnlyTheRowsItReaches) {
    auto load = [](const char* check) {
        IniProfile p("");
        p.Parse(std::string("[Environment]\nEnvFilterCheck=") + check + "\n");
        Settings s;
        s.Load(p);
        return s;
    };
    EXPECT_EQ(FilterFlags(load("1")), "111100000");
    EXPECT_EQ(FilterFlags(load("0")), "011100000");
    EXPECT_EQ(FilterFlags(load("0000000001")), "000000000");
    EXPECT_EQ(FilterFlags(load("x0z")), "101100000");

    Settings s = load("0000000001");
    IniProfile out("");
    s.Save(out);
    EXPECT_EQ(out.GetString("Environment", "EnvFilterCheck", ""), "000000000");

    Settings off = load("1");
    off.EnvUseFilter = 0;
    EXPECT_TRUE(off.PassesFilter("txt"));
    EXPECT_TRUE(off.PassesFilter(""));
}

TEST(Settings, ValuesAreTakenAsReadWithTheRecordLimits) {
    IniProfile p("");
    p.Parse(
        "[Environment]\nEnvPathIdx=7\nFontItalic=257\nFontCharSet=-1\nFontWeight=junk\n"
        "FontFaceName=" +
        std::string(40, 'F') + "\n");
    Settings s;
    s.Load(p);
    EXPECT_EQ(s.EnvPathIdx, 7);
    EXPECT_EQ(s.FontItalic, 1);  // the low 8 bits
    EXPECT_EQ(s.FontCharSet, 255);
    EXPECT_EQ(s.FontWeight, 0);
    EXPECT_EQ(s.FontFaceName, std::string(31, 'F'));
}

}  // namespace
}  // namespace mirulane
