// The page creation options: number fields, the reset to the default style and what OK of
// the two option dialogs stores into the album.

#include <gtest/gtest.h>

#include <climits>

#include "album/album.h"
#include "app/page_options.h"

namespace mirulane {
namespace {

TEST(OptionNumber, ReadsTheLeadingIntegerNeverBelowZero) {
    EXPECT_EQ(OptionNumber("140"), 140);
    EXPECT_EQ(OptionNumber(" 12px"), 12);
    EXPECT_EQ(OptionNumber(""), 0);
    EXPECT_EQ(OptionNumber("abc"), 0);
    EXPECT_EQ(OptionNumber("-5"), 0);
    EXPECT_EQ(OptionNumber("99999999999"), INT_MAX);
}

TEST(OptionNumber, SpinClicksStopAtZeroAndAtTheTop) {
    EXPECT_EQ(SteppedOptionNumber("", 1), 1);
    EXPECT_EQ(SteppedOptionNumber("", -1), 0);
    EXPECT_EQ(SteppedOptionNumber("x", 1), 1);
    EXPECT_EQ(SteppedOptionNumber("0", -1), 0);
    EXPECT_EQ(SteppedOptionNumber("-7", 1), 1);
    EXPECT_EQ(SteppedOptionNumber("5", -10), 0);
    EXPECT_EQ(SteppedOptionNumber("2147483647", 1), INT_MAX);
    EXPECT_EQ(SteppedOptionNumber("94", 1), 95);
}

PageStyle Customised() {
    PageStyle s;
    s.TopStyle = TopLayout::ListAbove;
    s.TopFolder = "top";
    s.TopTitle = "title";
    s.ListFrameMarginH = 1;
    s.ListFrameMarginW = 2;
    s.ListFrameHeight = 3;
    s.ListFrameWidth = 4;
    s.DetailFrameMarginH = 6;
    s.DetailFrameMarginW = 7;
    s.FrameBorder = s.FrameNoResize = s.MakeAutorun = 1;
    s.ListFolder = "list";
    s.ThumbFolder = "thumbs";
    s.ThumbSizeMode = SizeMode::Actual;
    s.ThumbScale = 50;
    s.ThumbFitHeight = s.ThumbFitWidth = 10;
    s.ListTextKind = 3;
    s.ListCellSpacing = 0;
    s.ListAlign = 2;
    s.ListUseFile = TemplateSource::File;
    s.ListPreset = 4;
    s.ListTemplateFile = "list.html";
    s.DetailFolder = "detail";
    s.ImageFolder = "images";
    s.ImageSizeMode = SizeMode::Scale;
    s.ImageScale = 30;
    s.ImageFitHeight = s.ImageFitWidth = 20;
    s.DetailUseFile = TemplateSource::File;
    s.DetailPreset = 16;
    s.DetailTemplateFile = "detail.html";
    s.TargetToTop = 0;
    s.TargetFolder = "photos";
    s.ListLegacyThumb = s.ListLegacyFrame = s.DetailLegacy = 1;
    s.tokenSwitch[3] = 0;
    s.PrevText = "<<";
    return s;
}

TEST(ResetPageOptions, RestoresTheStyleAndKeepsPlacesNamesAndPresets) {
    PageStyle s = Customised();
    ResetPageOptions(s);
    PageStyle expected;  // the defaults, with the kept fields of the customised record
    PageStyle c = Customised();
    for (auto [field, kept] : {std::pair{&expected.TopFolder, c.TopFolder},
                               {&expected.TopTitle, c.TopTitle},
                               {&expected.ListFolder, c.ListFolder},
                               {&expected.ThumbFolder, c.ThumbFolder},
                               {&expected.ListTemplateFile, c.ListTemplateFile},
                               {&expected.DetailFolder, c.DetailFolder},
                               {&expected.ImageFolder, c.ImageFolder},
                               {&expected.DetailTemplateFile, c.DetailTemplateFile},
                               {&expected.TargetFolder, c.TargetFolder},
                               {&expected.PrevText, c.PrevText}}) {
        *field = kept;
    }
    expected.ListPreset = 4;
    expected.DetailPreset = 16;
    expected.ListLegacyThumb = expected.ListLegacyFrame = expected.DetailLegacy = 1;
    expected.tokenSwitch = c.tokenSwitch;

    Album a;
    a.style = expected;
    EXPECT_FALSE(StorePageOptions(a, s));  // the edited fields are equal
    EXPECT_EQ(s.TopStyle, TopLayout::ListLeft);
    EXPECT_EQ(s.ListFrameWidth, 140);
    EXPECT_EQ(s.ThumbFitWidth, 94);
    EXPECT_EQ(s.ImageFitHeight, 400);
    EXPECT_EQ(s.ListUseFile, TemplateSource::Preset);
    EXPECT_EQ(s.DetailUseFile, TemplateSource::Preset);
    EXPECT_EQ(s.TargetToTop, 1);
    EXPECT_EQ(s.ListPreset, 4);
    EXPECT_EQ(s.TargetFolder, "photos");
    EXPECT_EQ(s.DetailLegacy, 1);
    EXPECT_EQ(s.tokenSwitch[3], 0);
    EXPECT_EQ(s.PrevText, "<<");
}

TEST(StorePageOptions, CopiesTheDialogsFieldsAndLeavesTheOthersToTheAlbum) {
    Album album;
    album.style.TargetFolder = "photos";
    album.style.tokenSwitch[5] = 0;  // stored by the replacement-strings dialog meanwhile
    PageStyle edited = Customised();
    EXPECT_TRUE(StorePageOptions(album, edited));
    EXPECT_TRUE(album.modified);
    const PageStyle& s = album.style;
    EXPECT_EQ(s.TopStyle, TopLayout::ListAbove);
    EXPECT_EQ(s.TopTitle, "title");
    EXPECT_EQ(s.ListFrameHeight, 3);
    EXPECT_EQ(s.ThumbFolder, "thumbs");
    EXPECT_EQ(s.ListTemplateFile, "list.html");
    EXPECT_EQ(s.DetailPreset, 16);
    EXPECT_EQ(s.TargetToTop, 0);
    // Not the dialog's: the album keeps its own.
    EXPECT_EQ(s.TargetFolder, "photos");
    EXPECT_EQ(s.ListLegacyThumb, 0);
    EXPECT_EQ(s.DetailLegacy, 0);
    EXPECT_EQ(s.tokenSwitch[3], 1);
    EXPECT_EQ(s.tokenSwitch[5], 0);
    EXPECT_EQ(s.PrevText, "Prev");

    // OK without a change leaves the album unmodified.
    album.modified = false;
    EXPECT_FALSE(StorePageOptions(album, edited));
    EXPECT_FALSE(album.modified);
}

TEST(StorePageOptions, ChoosingTheThumbnailListWidensAFrameLeftAsItWas) {
    // The default frame of 140 pixels would cut the thumbnail list's shooting data off.
    Album album;
    PageStyle edited = album.style;
    edited.ListPreset = kThumbnailListPreset;
    EXPECT_TRUE(StorePageOptions(album, edited));
    EXPECT_EQ(album.style.ListFrameWidth, 300);

    // A row layout fits the frame's height; a size the user typed with it is kept.
    Album rows;
    edited = rows.style;
    edited.ListPreset = kThumbnailListPreset;
    edited.TopStyle = TopLayout::ListBelow;
    EXPECT_TRUE(StorePageOptions(rows, edited));
    EXPECT_EQ(rows.style.ListFrameHeight, 200);
    Album typed;
    edited = typed.style;
    edited.ListPreset = kThumbnailListPreset;
    edited.ListFrameWidth = 150;
    EXPECT_TRUE(StorePageOptions(typed, edited));
    EXPECT_EQ(typed.style.ListFrameWidth, 150);

    // Once chosen, a frame made narrower later stays narrow.
    edited = album.style;
    edited.ListFrameWidth = 160;
    EXPECT_TRUE(StorePageOptions(album, edited));
    EXPECT_EQ(album.style.ListFrameWidth, 160);
}

TEST(StoreTemplateOptions, StoresAtOnceAndMarksTheAlbumOnlyOnAChange) {
    Album album;
    std::array<bool, kTokenCount> switches = album.style.tokenSwitch;
    EXPECT_FALSE(StoreTemplateOptions(album, switches, "Prev", "Next"));
    EXPECT_FALSE(album.modified);
    switches[static_cast<int>(Token::PGTOTAL)] = false;
    EXPECT_TRUE(StoreTemplateOptions(album, switches, "<", ">"));
    EXPECT_TRUE(album.modified);
    EXPECT_FALSE(album.style.Switch(Token::PGTOTAL));
    EXPECT_EQ(album.style.PrevText, "<");
    EXPECT_EQ(album.style.NextText, ">");
}

}  // namespace
}  // namespace mirulane
