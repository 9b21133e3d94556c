// The settings store: defaults, the extension filter string, and a complete write-back.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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
    EXPECT_EQ(FilterFlags(s), "1111000001111");
    EXPECT_TRUE(s.PassesFilter("jpg"));
    EXPECT_TRUE(s.PassesFilter("jpeg"));
    EXPECT_TRUE(s.PassesFilter("mp4"));
    EXPECT_FALSE(s.PassesFilter("png"));
    EXPECT_EQ(s.listFont.height, -12);
    EXPECT_EQ(s.listFont.charSet, 128);
    EXPECT_EQ(s.listFont.faceName, "MS UI Gothic");

    s.ShowHelp = 0;
    IniProfile out("");
    s.Save(out);
    EXPECT_EQ(out.Serialize(),
              "[Environment]\r\nShowHelp=0\r\nPvFirst=1\r\nEnvPathIdx=1\r\nEnvPathLst=1\r\n"
              "EnvPathThm=0\r\nEnvPreView=0\r\nEnvDispImage=0\r\nEnvDispSize=1\r\n"
              "EnvDispMaxW=320\r\nEnvDispMaxH=240\r\nEnvWithExif=1\r\nEnvSortUpLow=0\r\n"
              "EnvLstGrid=1\r\nEnvUseFilter=1\r\nEnvFilterCheck=1111000001111\r\nEnvGetExif=1\r\n"
              "EnvExifFlash=0\r\nEnvExifDtorg=1\r\nEnvExifAprtv=1\r\nEnvExifShtsp=1\r\n"
              "EnvExifFolen=1\r\nEnvExifEbias=1\r\nEnvExifIsosr=1\r\nEnvExifDtfil=1\r\n"
              "EnvChangePath=0\r\nEnvForceOverWrite=0\r\nEnvMakeThumb=1\r\nEnvDebugMode=0\r\n"
              "EnvThumbView=0\r\nFontHeight=-12\r\n"
              "FontWidth=0\r\nFontEscapement=0\r\nFontOrientation=0\r\nFontWeight=400\r\n"
              "FontItalic=0\r\nFontUnderline=0\r\nFontStrikeOut=0\r\nFontCharSet=128\r\n"
              "FontOutPrecision=0\r\nFontClipPrecision=0\r\nFontQuality=0\r\n"
              "FontPitchAndFamily=0\r\nFontFaceName=MS UI Gothic\r\n");
}

// The option to make missing thumbnails is on unless the profile turned it off, and the off
// setting survives a restart.
TEST(Settings, MakeThumbIsLoadedAndSaved) {
    IniProfile none("");
    Settings fresh;
    fresh.Load(none);
    EXPECT_EQ(fresh.EnvMakeThumb, 1);

    IniProfile p("");
    p.Parse("[Environment]\nEnvMakeThumb=0\n");
    Settings s;
    s.Load(p);
    EXPECT_EQ(s.EnvMakeThumb, 0);
    IniProfile out("");
    s.Save(out);
    EXPECT_EQ(out.GetInt("Environment", "EnvMakeThumb", 1), 0);
}

// The rows for jpeg, mp4, m4v and webm came after the first nine: a string stored before
// them keeps its meaning for the nine, and the new rows take their built-in flags.
TEST(Settings, FilterStringCoversOnlyTheRowsItReaches) {
    auto load = [](const char* check) {
        IniProfile p("");
        p.Parse(std::string("[Environment]\nEnvFilterCheck=") + check + "\n");
        Settings s;
        s.Load(p);
        return s;
    };
    EXPECT_EQ(FilterFlags(load("1")), "1111000001111");
    EXPECT_EQ(FilterFlags(load("0")), "0111000001111");
    EXPECT_EQ(FilterFlags(load("x0z")), "1011000001111");
    Settings stored = load("011100001");
    EXPECT_EQ(FilterFlags(stored), "0111000011111");
    EXPECT_FALSE(stored.PassesFilter("jpg"));
    EXPECT_TRUE(stored.PassesFilter("raw"));
    EXPECT_TRUE(stored.PassesFilter("jpeg"));
    EXPECT_TRUE(stored.PassesFilter("webm"));
    EXPECT_EQ(FilterFlags(load("00000000010100")), "0000000001010");

    Settings s = load("00000000000001");
    IniProfile out("");
    s.Save(out);
    EXPECT_EQ(out.GetString("Environment", "EnvFilterCheck", ""), "0000000000000");

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
    EXPECT_EQ(s.listFont.italic, 1);  // the low 8 bits
    EXPECT_EQ(s.listFont.charSet, 255);
    EXPECT_EQ(s.listFont.weight, 0);
    EXPECT_EQ(s.listFont.faceName, std::string(31, 'F'));
}

// The profile lines of a settings store, as written at exit.
std::vector<std::string> Lines(Settings s) {
    IniProfile out("");
    s.Save(out);
    std::vector<std::string> lines;
    std::istringstream in(out.Serialize());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Settings, EnvironmentDialogTakesEveryOptionItEditsAndNoOther) {
    // A store in which every key differs from the defaults.
    std::string text;
    int value = 2;
    for (const std::string& line : Lines(Settings())) {
        std::string key = line.substr(0, line.find('='));
        if (key == "EnvFilterCheck") {
            text += key + "=0101010101010\n";
        } else if (key == "FontFaceName") {
            text += key + "=Noto Sans\n";
        } else if (line.find('=') != std::string::npos) {
            text += key + "=" + std::to_string(value++) + "\n";
        } else {
            text += line + "\n";
        }
    }
    IniProfile profile("");
    profile.Parse(text);
    Settings edited;
    edited.Load(profile);

    Settings settings;
    EnvironmentChanges changes = ApplyEnvironmentOptions(settings, edited);
    EXPECT_TRUE(changes.list);
    EXPECT_TRUE(changes.preview);
    std::vector<std::string> before = Lines(Settings()), after = Lines(settings),
                             wanted = Lines(edited);
    ASSERT_EQ(after.size(), wanted.size());
    for (size_t i = 0; i < after.size(); ++i) {
        std::string key = after[i].substr(0, after[i].find('='));
        bool notInDialog = key == "ShowHelp" || key == "PvFirst" || key == "EnvPreView" ||
                           key == "EnvDebugMode" || key == "EnvThumbView";
        EXPECT_EQ(after[i], notInDialog ? before[i] : wanted[i]);
    }

    // What each change asks the window to bring up to date.
    struct Case {
        void (*edit)(Settings&);
        bool list, preview;
    };
    const Case kCases[] = {
        {[](Settings& s) { s.EnvLstGrid = 0; }, true, false},
        {[](Settings& s) { s.listFont.faceName = "Other"; }, true, false},
        {[](Settings& s) { s.listFont.charSet = 1; }, true, false},
        {[](Settings& s) { s.EnvDispImage = 3; }, false, true},
        {[](Settings& s) { s.EnvDispMaxH = 1; }, false, true},
        {[](Settings& s) { s.EnvWithExif = 0; }, false, true},
        {[](Settings& s) { s.EnvPathLst = 2; }, false, false},
        {[](Settings& s) { s.filter[0].on = false; }, false, false},
        {[](Settings& s) { s.EnvPreView = PreviewMode::ListPage; }, false,
         false},  // not the dialog's
    };
    for (const Case& c : kCases) {
        Settings current, changed;
        c.edit(changed);
        EnvironmentChanges got = ApplyEnvironmentOptions(current, changed);
        EXPECT_EQ(got.list, c.list);
        EXPECT_EQ(got.preview, c.preview);
    }
}

}  // namespace
}  // namespace mirulane

namespace mirulane {
namespace {

// The recent albums and the window have sections of their own after the options, written
// only once they hold something, and read back as written.
TEST(Settings, RecentAlbumsAndTheWindowFollowTheOptionsAndReadBackAsWritten) {
    Settings s;
    s.recentAlbums = {"/photos/2024 trip.txt ", "/photos/a\x95\x5c.txt"};  // 表 ends in 0x5C
    s.window = {10, -20, 800, 600, true, 500, 300, {120, 0, 45}};
    IniProfile out("");
    s.Save(out);
    std::string text = out.Serialize();
    EXPECT_LT(text.find("FontFaceName="), text.find("[RecentAlbums]"));
    EXPECT_NE(text.find("[RecentAlbums]\r\nAlbum1=\"/photos/2024 trip.txt \"\r\n"
                        "Album2=\"/photos/a\x95\x5c.txt\"\r\n[Window]\r\nLeft=10\r\nTop=-20\r\n"
                        "Width=800\r\nHeight=600\r\nListWidth=500\r\nPreviewWidth=300\r\n"
                        "Maximized=1\r\nColumns=120,0,45\r\n"),
              std::string::npos)
        << text;

    IniProfile in("");
    in.Parse(text);
    Settings back;
    back.Load(in);
    EXPECT_EQ(back.recentAlbums, s.recentAlbums);
    EXPECT_EQ(back.window, s.window);

    // A shorter list empties the keys beyond it.
    back.recentAlbums = {"/photos/b.txt"};
    back.Save(in);
    IniProfile file("");
    file.Parse(in.Serialize());
    Settings again;
    again.Load(file);
    EXPECT_EQ(again.recentAlbums, back.recentAlbums);
    EXPECT_EQ(file.GetString("RecentAlbums", "Album2", "none"), "");

    // Never placed, nothing used: no sections at all.
    IniProfile fresh("");
    Settings().Save(fresh);
    EXPECT_EQ(fresh.Serialize().find("[RecentAlbums]"), std::string::npos);
    EXPECT_EQ(fresh.Serialize().find("[Window]"), std::string::npos);
}

TEST(Settings, ARecentListEditedByHandLosesItsBlankAndRepeatedKeys) {
    IniProfile p("");
    p.Parse(
        "[RecentAlbums]\nAlbum1=/a.txt\nAlbum2=\nAlbum3=/b.txt\nAlbum4=/a.txt\nAlbum9=/z.txt\n"
        "[Window]\nWidth=0\nHeight=500\nLeft=7\n");
    Settings s;
    s.Load(p);
    EXPECT_EQ(s.recentAlbums, (std::vector<std::string>{"/a.txt", "/b.txt"}));
    EXPECT_EQ(s.window, WindowPlacement{});  // no width: never saved
}

}  // namespace
}  // namespace mirulane
