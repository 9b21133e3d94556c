#include "app/page_options.h"

#include <algorithm>
#include <climits>
#include <tuple>

#include "album/album.h"
#include "html/templates.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// A list frame that shows the thumbnail list preset whole: thumbnail and shooting data side by
// side in a column, or one line of them in a row.
constexpr int kThumbnailListFrameWidth = 300;
constexpr int kThumbnailListFrameHeight = 200;

// The fields the options dialog edits, in one place for the copy and the comparison.
template <typename Style>
auto Edited(Style& s) {
    return std::tie(s.TopStyle, s.TopFolder, s.TopTitle, s.ListFrameMarginH, s.ListFrameMarginW,
                    s.ListFrameHeight, s.ListFrameWidth, s.DetailFrameMarginH, s.DetailFrameMarginW,
                    s.FrameBorder, s.FrameNoResize, s.MakeAutorun, s.ListFolder, s.ThumbFolder,
                    s.ThumbSizeMode, s.ThumbScale, s.ThumbFitHeight, s.ThumbFitWidth,
                    s.ListTextKind, s.ListCellSpacing, s.ListAlign, s.ListUseFile, s.ListPreset,
                    s.ListTemplateFile, s.DetailFolder, s.ImageFolder, s.ImageSizeMode,
                    s.ImageScale, s.ImageFitHeight, s.ImageFitWidth, s.DetailUseFile,
                    s.DetailPreset, s.DetailTemplateFile, s.TargetToTop, s.MovieDynsrc);
}

}  // namespace

int OptionNumber(std::string_view text) {
    int value = ParseLeadingInt(text);
    return value < 0 ? 0 : value;
}

int SteppedOptionNumber(std::string_view text, int steps) {
    long long value = static_cast<long long>(OptionNumber(text)) + steps;
    if (value < 0) return 0;
    if (value > INT_MAX) return INT_MAX;
    return static_cast<int>(value);
}

void ResetPageOptions(PageStyle& style) {
    const PageStyle d;
    style.TopStyle = d.TopStyle;
    style.ListFrameMarginH = d.ListFrameMarginH;
    style.ListFrameMarginW = d.ListFrameMarginW;
    style.ListFrameHeight = d.ListFrameHeight;
    style.ListFrameWidth = d.ListFrameWidth;
    style.DetailFrameMarginH = d.DetailFrameMarginH;
    style.DetailFrameMarginW = d.DetailFrameMarginW;
    style.FrameBorder = d.FrameBorder;
    style.FrameNoResize = d.FrameNoResize;
    style.MakeAutorun = d.MakeAutorun;
    style.ThumbSizeMode = d.ThumbSizeMode;
    style.ThumbScale = d.ThumbScale;
    style.ThumbFitWidth = d.ThumbFitWidth;
    style.ThumbFitHeight = d.ThumbFitHeight;
    style.ListTextKind = d.ListTextKind;
    style.ListCellSpacing = d.ListCellSpacing;
    style.ListAlign = d.ListAlign;
    style.ListUseFile = d.ListUseFile;
    style.ImageSizeMode = d.ImageSizeMode;
    style.ImageScale = d.ImageScale;
    style.ImageFitWidth = d.ImageFitWidth;
    style.ImageFitHeight = d.ImageFitHeight;
    style.DetailUseFile = d.DetailUseFile;
    style.TargetToTop = d.TargetToTop;
    style.MovieDynsrc = d.MovieDynsrc;
}

int& ListFrameSize(PageStyle& style) {
    return ListLayoutIsVertical(style.TopStyle) ? style.ListFrameWidth : style.ListFrameHeight;
}

void FitListFrameToPreset(PageStyle& style) {
    if (style.ListUseFile != TemplateSource::Preset || style.ListPreset != kThumbnailListPreset)
        return;
    int& size = ListFrameSize(style);
    size = std::max(size, ListLayoutIsVertical(style.TopStyle) ? kThumbnailListFrameWidth
                                                               : kThumbnailListFrameHeight);
}

bool StorePageOptions(Album& album, const PageStyle& edited) {
    PageStyle next = album.style;
    Edited(next) = Edited(edited);
    PageStyle before = album.style;
    const bool listChosen = next.ListPreset != before.ListPreset ||
                            next.ListUseFile != before.ListUseFile ||
                            next.TopStyle != before.TopStyle;
    if (listChosen && ListFrameSize(next) == ListFrameSize(before)) FitListFrameToPreset(next);
    if (Edited(next) == Edited(album.style)) return false;
    album.style = std::move(next);
    album.modified = true;
    return true;
}

bool StoreTemplateOptions(Album& album, const std::array<bool, kTokenCount>& switches,
                          std::string_view prevText, std::string_view nextText) {
    PageStyle& s = album.style;
    if (s.tokenSwitch == switches && s.PrevText == prevText && s.NextText == nextText) {
        return false;
    }
    s.tokenSwitch = switches;
    s.PrevText = std::string(prevText);
    s.NextText = std::string(nextText);
    album.modified = true;
    return true;
}

}  // namespace mirulane
