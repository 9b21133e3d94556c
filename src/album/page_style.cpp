#include "album/page_style.h"

#include "platform/cp932.h"

namespace mirulane {

void PageStyle::ResetToDefaults() {
    std::string keepListTemplate = std::move(ListTemplateFile);
    *this = PageStyle(NoReset{});
    TopTitle = Sj("ミルレーン");
    PrevText = "Prev";
    NextText = "Next";
    tokenSwitch.fill(1);
    ListTemplateFile = std::move(keepListTemplate);
}

namespace {

void Within(int& value, int lo, int hi, int def) {
    if (value < lo || value > hi) value = def;
}

}  // namespace

void PageStyle::EnforceValidRanges() {
    Within(TopStyle, 0, 3, 0);
    Within(FrameBorder, 0, 1, 0);
    Within(FrameNoResize, 0, 1, 0);
    Within(MakeAutorun, 0, 1, 0);
    Within(ListLegacyThumb, 0, 1, 0);
    Within(ThumbSizeMode, 0, 2, 1);
    Within(ListLegacyFrame, 0, 1, 0);
    Within(ListTextKind, 0, 3, 1);
    Within(ListAlign, 0, 2, 0);
    Within(ListUseFile, 0, 1, 0);
    Within(ListPreset, 0, kListPresetCount - 1, 0);
    Within(ImageSizeMode, 0, 2, 1);
    Within(DetailLegacy, 0, 1, 0);
    Within(DetailUseFile, 0, 1, 0);
    Within(DetailPreset, 0, kDetailPresetCount - 1, 1);
    Within(TargetToTop, 0, 1, 1);
    for (int& s : tokenSwitch) Within(s, 0, 1, 1);
}

}  // namespace mirulane
