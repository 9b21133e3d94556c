// The preview's image page: the display size of the picture in the pane or the given box, and
// the page text in both layouts.

#include <gtest/gtest.h>

#include "album/settings.h"
#include "html/image_page.h"
#include "platform/cp932.h"

namespace mirulane {
namespace {

struct Shown {
    int width;
    int height;
    std::string alt;
};

Shown Display(uint32_t w, uint32_t h, const PaneGeometry& pane, const Settings& settings) {
    ShownSize s = ImageDisplaySize(w, h, pane, settings);
    return {s.width, s.height, ToDisplay(SizeAltText(s, w, h))};
}

TEST(ImageDisplaySize, FitsThePaneLessMarginsAndScrollBarInSinglePrecision) {
    Settings fit;  // EnvDispSize 1
    // 336 × 296 available, 320 wide without the scroll bar: 0.5 beats 0.617.
    Shown s = Display(640, 480, {340, 300, 16}, fit);
    EXPECT_EQ(320, s.width);
    EXPECT_EQ(240, s.height);
    EXPECT_EQ("50.0%表示 (原寸:640x480)", s.alt);

    // W = 304: 304 / 640 in single precision is just below 0.475.
    s = Display(640, 480, {324, 300, 16}, fit);
    EXPECT_EQ(303, s.width);
    EXPECT_EQ(227, s.height);
    EXPECT_EQ("47.5%表示 (原寸:640x480)", s.alt);

    // A pane narrower than the scroll bar leaves no room at all.
    s = Display(640, 480, {12, 300, 16}, fit);
    EXPECT_EQ(0, s.width);
    EXPECT_EQ(0, s.height);
    EXPECT_EQ("0.0%表示 (原寸:640x480)", s.alt);
}

TEST(ImageDisplaySize, GivenBoxEnlargesAndOtherModesKeepTheOriginalSize) {
    Settings box;
    box.EnvDispSize = DisplaySize::FitBox;  // the default box 320 × 240
    Shown s = Display(100, 80, {340, 300, 16}, box);
    EXPECT_EQ(300, s.width);
    EXPECT_EQ(240, s.height);
    EXPECT_EQ("300.0%表示 (原寸:100x80)", s.alt);

    // A side of 0 makes the factor 0 instead of following the other side.
    box.EnvDispMaxW = 0;
    s = Display(100, 80, {340, 300, 16}, box);
    EXPECT_EQ(0, s.width);
    EXPECT_EQ(0, s.height);
    EXPECT_EQ("0.0%表示 (原寸:100x80)", s.alt);

    for (int mode : {0, 3, -1}) {
        Settings original;
        original.EnvDispSize = static_cast<DisplaySize>(mode);  // 3, -1: a hand-edited profile
        s = Display(640, 480, {100, 100, 16}, original);
        EXPECT_EQ(640, s.width) << mode;
        EXPECT_EQ(480, s.height) << mode;
        EXPECT_EQ("100%表示 (原寸:640x480)", s.alt) << mode;
    }
}

ImagePage Photo() {
    ImagePage page;
    page.imagePath = "/photos/P1.JPG";
    page.width = 640;
    page.height = 480;
    page.dateText = "2004/05/01 12:34:56";
    page.sizeText = "1,234";
    page.exif = {{Sj("メーカー名"), "MIRU"}, {Sj("露出補正"), Sj("-2/3 (-0.67)")}};
    return page;
}

TEST(ImagePageText, WithExifThePictureIsTopLeftAndTheFileDataFollow) {
    Settings settings;  // EnvWithExif 1, EnvDispSize 1
    EXPECT_EQ(
        "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
        "<title>/photos/P1.JPG</title></head>\n"
        "<body topmargin=\"2\" leftmargin=\"2\">\n"
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\n"
        "  <tr>\n"
        "    <td align=\"left\">\n"
        "<img src=\"/photos/P1.JPG\" alt=\"50.0%表示 (原寸:640x480)\" border=\"0\" width=\"320\" "
        "height=\"240\">    </td>\n"
        "  </tr>\n"
        "  <tr>\n"
        "    <td align=\"left\">\n"
        "      <br>\n"
        "      <b>P1.JPG</b><br>\n"
        "      作成日時: 2004/05/01 12:34:56<br>\n"
        "      サイズ: 1,234 バイト<br>\n"
        "      画像サイズ: 640x480<br>\n"
        "      <hr>\n"
        "\n<table border=\"0\" cellpadding=\"2\" cellspacing=\"1\">\n"
        "  <tr>\n    <td bgcolor=\"#ddddff\">メーカー名</td>\n"
        "    <td><font color=\"#4444FF\">MIRU</td>\n  </tr>\n"
        "  <tr>\n    <td bgcolor=\"#ddddff\">露出補正</td>\n"
        "    <td><font color=\"#4444FF\">-2/3 (-0.67)</td>\n  </tr>\n"
        "</table>\n\n"
        "    </td>\n"
        "  </tr>\n"
        "</table>\n</body>\n</html>\n",
        ToDisplay(ImagePageText(Photo(), {340, 300, 16}, settings)));
}

TEST(ImagePageText, WithoutExifOnlyTheCentredPicture) {
    Settings settings;
    settings.EnvWithExif = 0;
    EXPECT_EQ(
        "<html>\n<head>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=x-sjis\">\n"
        "<title>/photos/P1.JPG</title></head>\n"
        "<body topmargin=\"2\" leftmargin=\"2\">\n"
        "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" align=\"center\" height=\"100%\" "
        "width=\"100%\">\n"
        "  <tr>\n"
        "    <td align=\"center\" valign=\"middle\">"
        "<img src=\"/photos/P1.JPG\" alt=\"50.0%表示 (原寸:640x480)\" border=\"0\" width=\"320\" "
        "height=\"240\">    </td>\n"
        "  </tr>\n"
        "</table>\n</body>\n</html>\n",
        ToDisplay(ImagePageText(Photo(), {340, 300, 16}, settings)));
}

TEST(ImagePageText, FileWithoutExifDataHasNoRuleAndNoTable) {
    Settings settings;
    ImagePage page = Photo();
    page.exif.reset();
    std::string text = ToDisplay(ImagePageText(page, {340, 300, 16}, settings));
    EXPECT_NE(std::string::npos, text.find("      画像サイズ: 640x480<br>\n    </td>\n"));
    EXPECT_EQ(std::string::npos, text.find("<hr>"));
    EXPECT_EQ(std::string::npos, text.find("cellpadding=\"2\""));

    // Exif data without any shown item: the rule, but no table.
    page.exif.emplace();
    text = ToDisplay(ImagePageText(page, {340, 300, 16}, settings));
    EXPECT_NE(std::string::npos, text.find("<br>\n      <hr>\n    </td>\n"));
    EXPECT_EQ(std::string::npos, text.find("cellpadding=\"2\""));
}

TEST(ImagePageText, MoviesUnknownSizesAndOddNames) {
    Settings settings;
    settings.EnvWithExif = 0;
    settings.EnvDispSize = DisplaySize::Original;
    ImagePage movie;
    movie.imagePath = "/photos/M1.AVI";
    movie.width = 320;
    movie.height = 240;
    movie.video = true;
    // The pane cannot play it: a card with its name and size, never a picture element.
    std::string card = ToDisplay(ImagePageText(movie, {340, 300, 16}, settings));
    EXPECT_NE(std::string::npos, card.find("<b>動画</b><br>M1.AVI<br>320x240</td>"));
    EXPECT_EQ(std::string::npos, card.find("<img"));

    // No size: the name and the notice instead of a picture.
    ImagePage missing;
    missing.imagePath = "P9.JPG";
    std::string text = ToDisplay(ImagePageText(missing, {340, 300, 16}, settings));
    EXPECT_NE(std::string::npos, text.find("      <p>P9.JPG</p><p>(表示できません)</p>\n"));
    EXPECT_EQ(std::string::npos, text.find("<img"));

    // A name cannot break out of its attribute or become markup.
    ImagePage odd = Photo();
    odd.imagePath = "/photos/a\"b<c>#1.jpg";
    text = ToDisplay(ImagePageText(odd, {340, 300, 16}, settings));
    EXPECT_NE(std::string::npos, text.find("<title>/photos/a&quot;b&lt;c&gt;#1.jpg</title>"));
    EXPECT_NE(std::string::npos, text.find("src=\"/photos/a%22b%3Cc%3E%231.jpg\""));
}

}  // namespace
}  // namespace mirulane
