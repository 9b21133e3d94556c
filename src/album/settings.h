#pragma once
// The installation's global options, loaded from the profile once at start-up and written
// back once at exit (the recent albums also whenever they change). Fields are named after
// their profile keys (section "Environment").

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "album/desktop_state.h"

namespace mirulane {

class IniProfile;

struct FilterRow {
    const char* extension;  // lower case, without the dot
    bool on;
};

// The list font as the profile stores it: the fourteen fields of a Windows logical-font record
// (keys "FontHeight" to "FontFaceName").
struct FontRecord {
    int height = -12;  // negative: character height in pixels at 96 dpi; 0: default size
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 400;  // 100..900, 0: default
    unsigned char italic = 0;
    unsigned char underline = 0;
    unsigned char strikeOut = 0;
    unsigned char charSet = 128;
    unsigned char outPrecision = 0;
    unsigned char clipPrecision = 0;
    unsigned char quality = 0;
    unsigned char pitchAndFamily = 0;
    std::string faceName = "MS UI Gothic";  // CP932, at most kFaceNameMax bytes

    static constexpr size_t kFaceNameMax = 31;  // the record holds 31 bytes and a NUL

    bool operator==(const FontRecord&) const = default;
};

// What the preview pane shows.
enum class PreviewMode : int {
    Picture = 0,     // the entry's picture ("画像の表示")
    DetailPage = 1,  // its detail page
    ListPage = 2,    // the list page
};

// How big the preview pane shows a picture.
enum class DisplaySize : int {
    Original = 0,  // "原寸で表示"
    FitPane = 1,   // "ウィンドウに収まるように自動伸縮"
    FitBox = 2,    // "指定サイズに収まるように自動伸縮": EnvDispMaxW × EnvDispMaxH
};

struct Settings {
    bool ShowHelp = true;  // open the help once at the next start
    bool PvFirst = true;   // the first page preview has not told the user about itself yet
    bool EnvDebugMode = false;

    int EnvPathIdx = 1;
    int EnvPathLst = 1;
    int EnvPathThm = 0;

    bool EnvLstGrid = true;
    bool EnvSortUpLow = false;
    bool EnvUseFilter = true;
    std::string EnvFilterCheck = "1111000001111";

    FontRecord listFont;

    PreviewMode EnvPreView = PreviewMode::Picture;
    int EnvDispImage = 0;
    DisplaySize EnvDispSize = DisplaySize::FitPane;
    int EnvDispMaxW = 320;
    int EnvDispMaxH = 240;
    bool EnvWithExif = true;

    bool EnvGetExif = true;
    int EnvExifFlash = 0;
    int EnvExifDtorg = 1;
    int EnvExifAprtv = 1;
    int EnvExifShtsp = 1;
    int EnvExifFolen = 1;
    int EnvExifEbias = 1;
    int EnvExifIsosr = 1;
    bool EnvExifDtfil = true;

    bool EnvChangePath = false;
    bool EnvForceOverWrite = false;
    // The thumbnail extraction dialog starts with "make the missing thumbnails" checked. On by
    // default, so that the window makes the same album as the command line.
    bool EnvMakeThumb = true;
    // The list pane shows the thumbnail view instead of the report view.
    bool EnvThumbView = false;

    // The extension filter: fixed rows with their built-in flags. EnvFilterCheck holds one
    // flag a row in this order, so rows are only ever added at the end: a stored string keeps
    // its meaning, and the rows beyond it take their built-in flags.
    std::array<FilterRow, 13> filter{{{"jpg", true},
                                      {"avi", true},
                                      {"mov", true},
                                      {"mpg", true},
                                      {"png", false},
                                      {"gif", false},
                                      {"bmp", false},
                                      {"tif", false},
                                      {"raw", false},
                                      // What phones and today's cameras write.
                                      {"jpeg", true},
                                      {"mp4", true},
                                      {"m4v", true},
                                      {"webm", true}}};

    // The desktop program's memory of its last runs (its own sections of the profile).
    std::vector<std::string> recentAlbums;  // CP932 paths, the latest first
    WindowPlacement window;

    // Reads every key (missing ones take their defaults), then applies EnvFilterCheck.
    void Load(const IniProfile& profile);
    // Rebuilds EnvFilterCheck from the filter, then writes every key in the save order; the
    // recent albums and the window follow in sections of their own.
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
// option but ShowHelp, PvFirst, EnvPreView, EnvDebugMode and EnvThumbView), with the extension
// filter's flags and the list font; says what changed.
EnvironmentChanges ApplyEnvironmentOptions(Settings& settings, const Settings& edited);

// Where the profile lives: "<exe>.ini" beside the executable when that file exists, else
// $XDG_CONFIG_HOME/mirulane/mirulane.ini (default ~/.config). UTF-8 system path.
std::string DefaultProfilePath();

}  // namespace mirulane
