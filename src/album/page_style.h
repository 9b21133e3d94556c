#pragma once
// The album's own page-style options: folders, layout, templates, picture and thumbnail
// sizing, and the template options (token switches and link texts). Saved with the album.

#include <array>
#include <string>

namespace mirulane {

// The tokens that have a switch, in the order of the album list file's "#[TemplateInfo]" line
// (PrevText and NextText stand between PGTOTAL and MAKER there).
enum class Token : int {
    TARGET = 0,
    FILE,
    TITLE,
    YOMI,
    GROUP,
    IMAGE,
    COMM1,
    COMM2,
    PREV,
    NEXT,
    PGCUR,
    PGTOTAL,
    MAKER,
    MODEL,
    DTORG,
    ISOSR,
    SHTSP,
    APRTV,
    FOLEN,
    FLASH,
    EBIAS,
    IMGSZ,
    DETAIL,
    CELLSPC,
    TDALIGN,
    TDTEXT,
    THUMB,
    THUMBSP,
    FILEEX,
};
inline constexpr int kTokenCount = 29;

inline constexpr int kListPresetCount = 5;
inline constexpr int kDetailPresetCount = 17;

struct PageStyle {
    // Top page.
    int TopStyle = 0;
    std::string TopFolder;
    std::string TopTitle;  // "ミルレーン" after Reset
    int ListFrameMarginH = 5;
    int ListFrameMarginW = 5;
    int ListFrameHeight = 140;
    int ListFrameWidth = 140;
    int DetailFrameMarginH = 15;
    int DetailFrameMarginW = 15;
    int FrameBorder = 0;
    int FrameNoResize = 0;
    int MakeAutorun = 0;

    // List page.
    std::string ListFolder;
    int ListLegacyThumb = 0;
    std::string ThumbFolder;
    int ThumbSizeMode = 1;
    int ThumbScale = 100;
    int ThumbFitHeight = 94;
    int ThumbFitWidth = 94;
    int ListLegacyFrame = 0;
    int ListTextKind = 1;
    int ListCellSpacing = 8;
    int ListAlign = 0;
    int ListUseFile = 0;
    int ListPreset = 0;
    std::string ListTemplateFile;

    // Detail pages.
    std::string DetailFolder;
    std::string ImageFolder;
    int ImageSizeMode = 1;
    int ImageScale = 100;
    int ImageFitHeight = 400;
    int ImageFitWidth = 400;
    int DetailLegacy = 0;
    int DetailUseFile = 0;
    int DetailPreset = 1;
    std::string DetailTemplateFile;
    int TargetToTop = 1;

    std::string TargetFolder;

    // Template options.
    std::array<int, kTokenCount> tokenSwitch{};  // 1: replaced, 0: left as it stands
    std::string PrevText;                        // "Prev" after Reset
    std::string NextText;                        // "Next" after Reset

    PageStyle() { ResetToDefaults(); }

    // Every field to its default, except ListTemplateFile, which keeps its value.
    void ResetToDefaults();
    // Fields with a valid range that lie outside it take their default.
    void EnforceValidRanges();

    bool Switch(Token t) const { return tokenSwitch[static_cast<int>(t)] != 0; }

  private:
    // The member initialisers above hold the numeric defaults; ResetToDefaults starts from a
    // record built with this tag and fills in the texts.
    struct NoReset {};
    explicit PageStyle(NoReset) {}
};

}  // namespace mirulane
