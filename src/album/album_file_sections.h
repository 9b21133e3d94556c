#pragma once
// The option fields of the album list file's section lines, in file order. Reader and writer
// both walk these lists, so the layout is stated once. A visitor has Int (of an int or a named
// value), Switch (of a bool, with the value a number other than 0 and 1 reads as) and Text
// members that return the visitor, and TrailingSwitch: a switch added after the line's
// established fields, off unless the field says 1 and written only when on, so that the line
// stays as other readers of the file know it; S is PageStyle or const PageStyle.

#include "album/page_style.h"

namespace mirulane::sections {

template <class S, class V>
void TopPage(S& s, V&& v) {
    v.Int(s.TopStyle)
        .Text(s.TopFolder)
        .Text(s.TopTitle)
        .Int(s.ListFrameMarginH)
        .Int(s.ListFrameMarginW)
        .Int(s.ListFrameHeight)
        .Int(s.ListFrameWidth)
        .Int(s.DetailFrameMarginH)
        .Int(s.DetailFrameMarginW)
        .Switch(s.FrameBorder, false)
        .Switch(s.FrameNoResize, false)
        .Switch(s.MakeAutorun, false);
}

template <class S, class V>
void ListPage(S& s, V&& v) {
    v.Text(s.ListFolder)
        .Int(s.ListLegacyThumb)
        .Text(s.ThumbFolder)
        .Int(s.ThumbSizeMode)
        .Int(s.ThumbScale)
        .Int(s.ThumbFitHeight)
        .Int(s.ThumbFitWidth)
        .Int(s.ListLegacyFrame)
        .Int(s.ListTextKind)
        .Int(s.ListCellSpacing)
        .Int(s.ListAlign)
        .Int(s.ListUseFile)
        .Int(s.ListPreset)
        .Text(s.ListTemplateFile);
}

template <class S, class V>
void DetailPage(S& s, V&& v) {
    v.Text(s.DetailFolder)
        .Text(s.ImageFolder)
        .Int(s.ImageSizeMode)
        .Int(s.ImageScale)
        .Int(s.ImageFitHeight)
        .Int(s.ImageFitWidth)
        .Int(s.DetailLegacy)
        .Int(s.DetailUseFile)
        .Int(s.DetailPreset)
        .Text(s.DetailTemplateFile)
        .Switch(s.TargetToTop, true)
        .TrailingSwitch(s.MovieDynsrc);
}

template <class S, class V>
void TargetInfo(S& s, V&& v) {
    v.Text(s.TargetFolder);
}

// Twelve switches, the two link texts, then the other seventeen switches.
template <class S, class V>
void TemplateInfo(S& s, V&& v) {
    for (int i = 0; i < static_cast<int>(Token::MAKER); ++i) v.Switch(s.tokenSwitch[i], true);
    v.Text(s.PrevText).Text(s.NextText);
    for (int i = static_cast<int>(Token::MAKER); i < kTokenCount; ++i) {
        v.Switch(s.tokenSwitch[i], true);
    }
}

}  // namespace mirulane::sections
