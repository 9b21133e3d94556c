#include "album/page_style.h"

#include "platform/cp932.h"

namespace mirulane {

void PageStyle::ResetToDefaults() {
    std::string keepListTemplate = std::move(ListTemplateFile);
    *this = PageStyle(NoReset{});
    TopTitle = Sj("ミルレーン");
    PrevText = "Prev";
    NextText = "Next";
    tokenSwitch.fill(true);
    ListTemplateFile = std::move(keepListTemplate);
}

namespace {

void Within(int& value, int lo, int hi, int def) {
    if (value < lo || value > hi) value = def;
}

template <class E>
void Within(E& value, E lo, E hi, E def) {
    if (value < lo || value > hi) value = def;
}

}  // namespace

void PageStyle::EnforceValidRanges() {
    Within(TopStyle, TopLayout::ListLeft, TopLayout::NoFrames, TopLayout::ListLeft);
    Within(ListLegacyThumb, 0, 1, 0);
    Within(ThumbSizeMode, SizeMode::Scale, SizeMode::Actual, SizeMode::Fit);
    Within(ListLegacyFrame, 0, 1, 0);
    Within(ListTextKind, 0, 3, 1);
    Within(ListAlign, 0, 2, 0);
    Within(ListUseFile, TemplateSource::Preset, TemplateSource::File, TemplateSource::Preset);
    Within(ListPreset, 0, kListPresetCount - 1, 0);
    Within(ImageSizeMode, SizeMode::Scale, SizeMode::Actual, SizeMode::Fit);
    Within(DetailLegacy, 0, 1, 0);
    Within(DetailUseFile, TemplateSource::Preset, TemplateSource::File, TemplateSource::Preset);
    Within(DetailPreset, 0, kDetailPresetCount - 1, 1);
}

}  // namespace mirulane
