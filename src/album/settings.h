#pragma once
// The installation's global options, loaded from the profile once at start-up and written
// back once at exit. Fields are named after their profile keys (section "Environment").

#include <array>
#include <string>
#include <string_view>

namespace mirulane {

class IniProfile;

struct FilterRow {
    const char* extension;  // lower case, without the dot
    bool on;
};

struct Settings {
    int ShowHelp = 1;
    int PvFirst = 1;
    int EnvDebugMode = 0;

    int EnvPathIdx = 1;
    int EnvPathLst = 1;
    int EnvPathThm = 0;

    int EnvLstGrid = 1;
    int EnvSortUpLow = 0;
    int EnvUseFilter = 1;
    std::string EnvFilterCheck = "111100000";

    int FontHeight = -12;
    int FontWidth = 0;
    int FontEscapement = 0;
    int FontOrientation = 0;
    int FontWeight = 400;
    unsigned char FontItalic = 0;
    unsigned char FontUnderline = 0;
    unsigned char FontStrikeOut = 0;
    unsigned char FontCharSet = 128;
    unsigned char FontOutPrecision = 0;
    unsigned char FontClipPrecision = 0;
    unsigned char FontQuality = 0;
    unsigned char FontPitchAndFamily = 0;
    std::string FontFaceName = "MS UI Gothic";  // at most 31 characters

    int EnvPreView = 0;
    int EnvDispImage = 0;
    int EnvDispSize = 1;
    int EnvDispMaxW = 320;
    int EnvDispMaxH = 240;
    int EnvWithExif = 1;

    int EnvGetExif = 1;
    int EnvExifFlash = 0;
    int EnvExifDtorg = 1;
    int EnvExifAprtv = 1;
    int EnvExifShtsp = 1;
    int EnvExifFolen = 1;
    int EnvExifEbias = 1;
    int EnvExifIsosr = 1;
    int EnvExifDtfil = 1;

    int EnvChangePath = 0;
    int EnvForceOverWrite = 0;
    // 1: the thumbnail extraction dialog starts with "make the missing thumbnails" checked. On
    // by default, so that the window makes the same album as the command line.
    int EnvMakeThumb = 1;

    // The extension filter: nine fixed rows with their built-in flags.
    std::array<FilterRow, 9> filter{{{"jpg", true},
                                     {"avi", true},
                                     {"mov", true},
                                     {"mpg", true},
                                     {"png", false},
                                     {"gif", false},
                                     {"bmp", false},
                                     {"tif", false},
                                     {"raw", false}}};

    // Reads every key (missing ones take their defaults), then applies EnvFilterCheck.
    void Load(const IniProfile& profile);
    // Rebuilds EnvFilterCheck from the filter, then writes every key in the save order.
    void Save(IniProfile& profile);

    // True when a lower-cased extension passes the filter (EnvUseFilter on or off).
    bool PassesFilter(std::string_view lowerExtension) const;
};

// What the environment dialog's OK changed, for the window to bring up to date.
struct EnvironmentChanges {
    bool list = false;     // grid lines or list font
    bool preview = false;  // how the preview pane shows an image
};

// The environment dialog's OK: copies the options it edits from edited into settings (every
// option but ShowHelp, PvFirst, EnvPreView and EnvDebugMode), with the extension filter's
// flags and the list font; says what changed.
EnvironmentChanges ApplyEnvironmentOptions(Settings& settings, const Settings& edited);

// Where the profile lives: "<exe>.ini" beside the executable when that file exists, else
// $XDG_CONFIG_HOME/mirulane/mirulane.ini (default ~/.config). UTF-8 system path.
std::string DefaultProfilePath();

}  // namespace mirulane
