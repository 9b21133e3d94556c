// The preview pane's work without the window: the picture an entry shows, the file data on
// its image page, the page modes and what goes wrong with the preview file.

#include <gtest/gtest.h>

#include <cstdlib>

#include "app/preview.h"
#include "exif/camera_fields.h"
#include "fixtures/exif_builder.h"
#include "fixtures/movie_builder.h"
#include "session_album.h"

namespace mirulane {
namespace {

using fixtures::MakeCameraJpeg;
using fixtures::MakeGif;
using fixtures::MakeJpeg;
using PageAlbum = testing::SessionAlbum;

constexpr PaneGeometry kPane{340, 300, 16};

struct PreviewAlbum : PageAlbum {
    std::string file = target + "/preview/Mrl1.html";
    Preview preview{session, file};

    PreviewAlbum() { MakeFolderPath(target + "/preview"); }
    PreviewShow Show(int hint) { return preview.Update(hint, kPane); }
    std::string Page() const { return ToDisplay(Get("preview/Mrl1.html")); }
    Settings& settings() { return session.settings; }
};

ChosenImage Choose(PageAlbum& a, int dispImage, const std::string& name) {
    ImageLocator locator;
    return ChooseImage(a.style(), dispImage, name, locator);
}

TEST(ChooseImage, FolderByDisplayModeAndPreferredExtension) {
    PageAlbum a;
    a.style().ImageFolder = a.target + "/images";
    a.style().ThumbFolder = a.target + "/thumb";
    a.Put("P1.JPG", MakeJpeg(640, 480));
    a.Put("P1.gif", MakeGif(10, 10));
    a.Put("thumb/P1.jpg", MakeJpeg(160, 120));
    a.Put("images/P2.png", fixtures::MakePng(30, 20));

    // The entry's own extension comes first, whatever else has its base name.
    ChosenImage c = Choose(a, 0, "P1.JPG");
    EXPECT_EQ(a.target + "/P1.JPG", c.path);
    EXPECT_EQ(640u, c.size.width);

    // 1 looks only in ImageFolder: the target file itself is not shown.
    c = Choose(a, 1, "P1.JPG");
    EXPECT_EQ("P1.JPG", c.path);
    EXPECT_EQ(0u, c.size.width);
    // 2 falls back from the target folder to ImageFolder.
    EXPECT_EQ(a.target + "/P1.JPG", Choose(a, 2, "P1.JPG").path);
    EXPECT_EQ(a.target + "/images/P2.png", Choose(a, 2, "P2.JPG").path);
    EXPECT_EQ(a.target + "/thumb/P1.jpg", Choose(a, 3, "P1.JPG").path);
    EXPECT_EQ("P1.JPG", Choose(a, 4, "P1.JPG").path);
}

TEST(GroupedDigits, CommaBeforeEveryGroupOfThree) {
    EXPECT_EQ("0", GroupedDigits(0));
    EXPECT_EQ("999", GroupedDigits(999));
    EXPECT_EQ("1,000", GroupedDigits(1000));
    EXPECT_EQ("1,234", GroupedDigits(1234));
    EXPECT_EQ("123,456", GroupedDigits(123456));
    EXPECT_EQ("1,234,567", GroupedDigits(1234567));
}

TEST(PreviewImage, PageShowsThePictureFileDataAndExif) {
    PreviewAlbum a;
    a.Add("P1.JPG");
    a.Add("PLAIN.JPG");
    fixtures::CameraJpeg camera;
    camera.width = 640;
    camera.height = 480;
    a.Put("P1.JPG", MakeCameraJpeg(camera));
    std::string plain = MakeJpeg(640, 480);
    plain.resize(1234, '\0');
    a.Put("PLAIN.JPG", plain);

    PreviewShow show = a.Show(0);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ(a.file, show.path);
    EXPECT_FALSE(show.notice);
    EXPECT_EQ(0, a.album().currentEntry);
    std::string page = a.Page();
    EXPECT_NE(std::string::npos, page.find("\r\n<img src=\"" + a.target +
                                           "/P1.JPG\" alt=\"50.0%表示 (原寸:640x480)\" "
                                           "border=\"0\" width=\"320\" height=\"240\">"));
    EXPECT_NE(std::string::npos, page.find("<hr>"));
    EXPECT_NE(std::string::npos, page.find("MIRU DC-200"));

    // A JPEG without Exif data: name, date and size, and nothing more.
    show = a.Show(1);
    page = a.Page();
    FileStatus status;
    ASSERT_EQ(0, GetFileStatus(a.Path("PLAIN.JPG"), status));
    ASSERT_EQ(1234u, status.size);
    EXPECT_NE(std::string::npos, page.find("      <b>PLAIN.JPG</b><br>\r\n      作成日時: " +
                                           DateTextFromTime(status.creationTime, 0) +
                                           "<br>\r\n      サイズ: 1,234 バイト<br>\r\n"
                                           "      画像サイズ: 640x480<br>\r\n    </td>\r\n"));
    EXPECT_EQ(std::string::npos, page.find("<hr>"));
}

// The image page gives a portrait stored on its side the size it is shown at, in the
// attributes and in the "原寸" text alike.
TEST(PreviewImage, PortraitPhotosGetTheTurnedSize) {
    for (auto order : {fixtures::ByteOrder::Little, fixtures::ByteOrder::Big}) {
        for (uint16_t o = 1; o <= 8; ++o) {
            SCOPED_TRACE(::testing::Message() << "order " << static_cast<int>(order) << " o " << o);
            PreviewAlbum a;
            a.Add("P1.JPG");
            a.Put("P1.JPG", fixtures::MakeOrientedJpeg(640, 480, o, order));
            a.Show(0);
            EXPECT_NE(std::string::npos,
                      a.Page().find(o >= 5 ? "alt=\"46.3%表示 (原寸:480x640)\" border=\"0\" "
                                             "width=\"222\" height=\"296\">"
                                           : "alt=\"50.0%表示 (原寸:640x480)\" border=\"0\" "
                                             "width=\"320\" height=\"240\">"))
                << a.Page();
        }
    }
}

TEST(PreviewImage, MissingOrDamagedPicturesShowTheNameAndNeverFail) {
    PreviewAlbum a;
    a.Add("GONE.JPG");
    a.Show(0);
    std::string page = a.Page();
    EXPECT_NE(std::string::npos, page.find("<p>GONE.JPG</p><p>(表示できません)</p>"));
    EXPECT_NE(std::string::npos, page.find("作成日時: <br>\r\n      サイズ:  バイト<br>"));

    // Every cut of a camera file: the page is written whatever the reader makes of it.
    std::string whole = MakeCameraJpeg();
    a.Add("CUT.JPG");
    for (size_t size = 0; size < whole.size(); size += 7) {
        a.Put("CUT.JPG", whole.substr(0, size));
        PreviewShow show = a.Show(1);
        ASSERT_TRUE(show.navigate) << size;
        ASSERT_NE(std::string::npos, a.Page().find("<b>CUT.JPG</b>")) << size;
    }
    EXPECT_TRUE(a.ui.messages.empty());
}

TEST(PreviewImage, HtmlEntryIsShownItselfOnlyInImageMode) {
    PreviewAlbum a;
    a.Add("notes.HTM");
    a.Put("notes.HTM", "<html></html>");
    PreviewShow show = a.Show(0);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ(a.target + "/notes.HTM", show.path);
    EXPECT_FALSE(a.Exists("preview/Mrl1.html"));

    a.settings().EnvPreView = PreviewMode::DetailPage;
    show = a.Show(0);
    EXPECT_EQ(a.file, show.path);
    EXPECT_TRUE(a.Exists("preview/Mrl1.html"));
}

TEST(PreviewUpdate, NoEntryBlanksThePaneAndKeepsTheCurrentEntry) {
    PreviewAlbum a;
    a.Add("P1.JPG");
    a.Show(0);
    PreviewShow show = a.Show(-1);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ("", show.path);
    EXPECT_EQ(0, a.album().currentEntry);

    // An index the list no longer has names no entry.
    show = a.Show(1);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ("", show.path);
    EXPECT_EQ(-1, a.album().currentEntry);

    // A mode the pane does not know shows nothing new.
    a.settings().EnvPreView = static_cast<PreviewMode>(3);
    show = a.Show(0);
    EXPECT_FALSE(show.navigate);
}

TEST(PreviewPages, DetailAndListPagesLinkTheFoldersAndTheNoticeComesOnce) {
    PreviewAlbum a;
    a.Add("P1.JPG", "一枚目");
    a.Put("P1.JPG", MakeJpeg(64, 48));
    a.Put("thumb/P1.jpg", MakeJpeg(16, 12));
    a.settings().EnvPreView = PreviewMode::DetailPage;

    PreviewShow show = a.Show(0);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ(a.file, show.path);
    EXPECT_TRUE(show.notice);
    EXPECT_EQ(0, a.settings().PvFirst);
    std::string page = a.Page();
    EXPECT_NE(std::string::npos, page.find("一枚目"));
    EXPECT_NE(std::string::npos, page.find("src=\"" + a.target + "/P1.JPG\""));
    EXPECT_NE(std::string::npos, page.find("\r\n"));

    a.settings().EnvPreView = PreviewMode::ListPage;
    a.style().ListPreset = 4;  // with thumbnails
    show = a.Show(0);
    EXPECT_FALSE(show.notice);
    EXPECT_NE(std::string::npos, a.Page().find("src=\"" + a.target + "/thumb/P1.jpg\""));
    // No entry: the pane is blanked, the notice waits for a page.
    a.settings().PvFirst = 1;
    EXPECT_FALSE(a.Show(-1).notice);
    EXPECT_EQ(1, a.settings().PvFirst);
    EXPECT_TRUE(a.ui.messages.empty());
}

TEST(PreviewPages, FailuresAreReportedAndLeaveThePaneAsItIs) {
    PreviewAlbum a;
    a.Add("P1.JPG");
    a.settings().EnvPreView = PreviewMode::DetailPage;

    // The template file cannot be read: its loader says so.
    a.style().DetailUseFile = TemplateSource::File;
    a.style().DetailTemplateFile = a.target + "/missing.html";
    PreviewShow show = a.Show(0);
    EXPECT_FALSE(show.navigate);
    EXPECT_FALSE(show.notice);
    EXPECT_EQ(1, a.settings().PvFirst);
    ASSERT_EQ(1u, a.ui.messages.size());
    EXPECT_EQ(0u, a.ui.MessagesUtf8()[0].find("指定されたテンプレートファイルを開けません"));

    // The preview file cannot be created, in both page modes.
    a.style().DetailUseFile = TemplateSource::Preset;
    std::string nowhere = a.target + "/no/such/folder/Mrl2.html";
    Preview lost(a.session, nowhere);
    for (PreviewMode mode : {PreviewMode::DetailPage, PreviewMode::ListPage}) {
        a.settings().EnvPreView = mode;
        a.ui.messages.clear();
        show = lost.Update(0, kPane);
        EXPECT_FALSE(show.navigate) << static_cast<int>(mode);
        ASSERT_EQ(1u, a.ui.messages.size()) << static_cast<int>(mode);
        EXPECT_EQ("出力HTMLファイルを開けません(errno=2)\n" + ToDisplay(nowhere),
                  a.ui.MessagesUtf8()[0]);
    }
    // In image mode the pane shows the file as it is, without a message.
    a.settings().EnvPreView = PreviewMode::Picture;
    a.ui.messages.clear();
    show = lost.Update(0, kPane);
    EXPECT_TRUE(show.navigate);
    EXPECT_EQ(nowhere, show.path);
    EXPECT_TRUE(a.ui.messages.empty());
}

// Decoding a clip can take seconds: the movie's card is shown at once and asks for its poster,
// which comes on a later update, is asked for only once, and is not asked for again when the
// clip gives none.
TEST(PreviewImage, AMoviesCardIsShownAtOnceAndItsPosterAsked) {
    PreviewAlbum a;
    a.Add("MVI_0001.AVI");
    a.Add("BROKEN.AVI");
    ASSERT_TRUE(fixtures::WriteClip(a.Path("MVI_0001.AVI"),
                                    {fixtures::ClipKind::MjpegAvi, 640, 480, 10, 0.5, false}));
    a.Put("BROKEN.AVI", "RIFF....AVI LIST");

    PreviewShow show = a.Show(0);
    ASSERT_TRUE(show.navigate);
    EXPECT_EQ(show.posterMovie, a.Path("MVI_0001.AVI"));
    ASSERT_FALSE(show.posterFile.empty());
    EXPECT_EQ(a.Page().find(".jpg"), std::string::npos);

    // Without a preview file nothing is asked for: the poster would land in the working folder.
    Preview nowhere(a.session, "");
    EXPECT_TRUE(nowhere.Update(0, kPane).posterFile.empty());

    ASSERT_TRUE(MakePreviewPoster(show.posterMovie, show.posterFile, nullptr));
    a.preview.PosterMade(show.posterMovie, show.posterFile, true);
    show = a.Show(0);
    EXPECT_TRUE(show.posterMovie.empty());
    // The poster is scaled down so that the card stays within the pane.
    const std::string page = a.Page();
    const size_t poster = page.find("Mrl1.html.poster0.jpg\" border=\"0\" width=\"");
    ASSERT_NE(poster, std::string::npos) << page;
    const int width = std::atoi(page.c_str() + page.find("width=\"", poster) + 7);
    EXPECT_GT(width, 100);
    EXPECT_LE(width + 2 * (2 + 24 + 1) + kPane.scrollBarWidth, kPane.width);

    show = a.Show(1);
    ASSERT_FALSE(show.posterMovie.empty());
    EXPECT_FALSE(MakePreviewPoster(show.posterMovie, show.posterFile, nullptr));
    a.preview.PosterMade(show.posterMovie, show.posterFile, false);
    EXPECT_TRUE(a.Show(1).posterMovie.empty());
}

}  // namespace
}  // namespace mirulane
