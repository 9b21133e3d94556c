#pragma once
// The album's own page-style options: folders, layout, templates, picture and thumbnail
// sizing, and the template options (token switches and link texts). Saved with the album.

#include <array>
#include <string>
#include <type_traits>

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

// The top page's layouts: where the list frame stands beside the detail frame. In the first
// two the list is a column (its width is set), in the next two a row (its height). The last
// has no frames: index.html is the list itself and every page fits a phone's screen.
enum class TopLayout : int {
    ListLeft = 0,   // "左右分割１"
    ListRight = 1,  // "左右分割２"
    ListBelow = 2,  // "上下分割１"
    ListAbove = 3,  // "上下分割２"
    NoFrames = 4,   // "フレームなし（スマートフォン対応）"
};

// How thumbnails and detail-page pictures are sized.
enum class SizeMode : int {
    Scale = 0,   // "倍率指定": by a percentage
    Fit = 1,     // "サイズ指定": into a box
    Actual = 2,  // "原寸表示"
};

// Where a page's template comes from.
enum class TemplateSource : int {
    Preset = 0,  // "プリセット"
    File = 1,    // "オリジナル": a file of the user's
};

inline constexpr int kListPresetCount = 5;
inline constexpr int kDetailPresetCount = 17;

struct PageStyle {
    // Top page.
    TopLayout TopStyle = TopLayout::ListLeft;
    std::string TopFolder;
    std::string TopTitle;  // "ミルレーン" after Reset
    int ListFrameMarginH = 5;
    int ListFrameMarginW = 5;
    int ListFrameHeight = 140;
    int ListFrameWidth = 140;
    int DetailFrameMarginH = 15;
    int DetailFrameMarginW = 15;
    bool FrameBorder = false;
    bool FrameNoResize = false;
    bool MakeAutorun = false;

    // List page.
    std::string ListFolder;
    int ListLegacyThumb = 0;
    std::string ThumbFolder;
    SizeMode ThumbSizeMode = SizeMode::Fit;
    int ThumbScale = 100;
    int ThumbFitHeight = 94;
    int ThumbFitWidth = 94;
    int ListLegacyFrame = 0;
    int ListTextKind = 1;
    int ListCellSpacing = 8;
    int ListAlign = 0;
    TemplateSource ListUseFile = TemplateSource::Preset;
    int ListPreset = 0;
    std::string ListTemplateFile;

    // Detail pages.
    std::string DetailFolder;
    std::string ImageFolder;
    SizeMode ImageSizeMode = SizeMode::Fit;
    int ImageScale = 100;
    int ImageFitHeight = 400;
    int ImageFitWidth = 400;
    int DetailLegacy = 0;
    TemplateSource DetailUseFile = TemplateSource::Preset;
    int DetailPreset = 1;
    std::string DetailTemplateFile;
    bool TargetToTop = true;
    // Movies as the old picture element with dynsrc, which only very old browsers play,
    // instead of a video element.
    bool MovieDynsrc = false;

    std::string TargetFolder;

    // Template options.
    std::array<bool, kTokenCount> tokenSwitch{};  // true: replaced; false: left as it stands
    std::string PrevText;                         // "Prev" after Reset
    std::string NextText;                         // "Next" after Reset

    PageStyle() { ResetToDefaults(); }

    // Every field to its default, except ListTemplateFile, which keeps its value.
    void ResetToDefaults();
    // Fields with a valid range that lie outside it take their default.
    void EnforceValidRanges();

    bool Switch(Token t) const { return tokenSwitch[static_cast<int>(t)]; }

  private:
    // The member initialisers above hold the numeric defaults; ResetToDefaults starts from a
    // record built with this tag and fills in the texts.
    struct NoReset {};
    explicit PageStyle(NoReset) {}
};

// The album file holds the named values above as integers; these convert them where it is read
// and written. A value outside a switch's 0 and 1 reads as fallback.
template <class E>
requires std::is_enum_v<E>
constexpr int ToFileInt(E value) { return static_cast<int>(value); }
constexpr int ToFileInt(bool on) { return on ? 1 : 0; }
template <class E>
requires std::is_enum_v<E>
constexpr E FromFileInt(int value, E) {
    return static_cast<E>(value);  // a value outside the names is checked by EnforceValidRanges
}
constexpr bool FromFileInt(int value, bool fallback) {
    return value == 0 || value == 1 ? value == 1 : fallback;
}

}  // namespace mirulane
