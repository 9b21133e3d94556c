// The preview pane: the image page for the pane's own size, re-rendering on resize, the
// once-only notice of the page previews, and the current entry as the album commands leave it.

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <QStyle>
#include <QTextDocument>
#include <QtTest/QTest>

#include "app/session.h"
#include "exif/camera_fields.h"
#include "exif/exif_thumbnail.h"
#include "fixtures/exif_builder.h"
#include "fixtures/movie_builder.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "ui/mirulane_doc.h"
#include "ui/right_view.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

// A JPEG a decoder can show (the fixtures' JPEGs only carry headers).
std::string RealJpeg(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(40, 120, 200));
    QPainter(&image).fillRect(0, 0, width / 2, height / 2, Qt::yellow);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG"));
    return bytes.toStdString();
}

class PreviewTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        OpenPhotos();
    }

    // An album of P1.JPG (640 × 480) and P2.JPG, opened.
    void OpenPhotos() {
        dir.Write("photos/P1.JPG", RealJpeg(640, 480));
        dir.Write("photos/P2.JPG", RealJpeg(64, 48));
        ASSERT_TRUE(session->OpenFile(QString::fromStdString(WriteAlbum({"P1.JPG", "P2.JPG"}))));
    }

    CRightView* View() const { return qobject_cast<CRightView*>(frame->PreviewPane()); }
    void Pick(int entry) const { frame->Doc().UpdateAllViews(frame->ListPane(), entry); }
    void Select(int entry) const {
        session->SetSelection({entry});
        frame->UpdateCommandStates();
    }
    int ScrollBar() const {
        return View()->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, View());
    }
    // A pane in which a 640 × 480 picture is shown `shown` pixels wide (margins 2 + 2).
    // The pane is not on screen: the resize is delivered as a visible pane gets it.
    void FitPaneTo(int shown) const {
        QSize old = View()->size();
        View()->resize(4 + ScrollBar() + shown, 300);
        QResizeEvent resized(View()->size(), old);
        QApplication::sendEvent(View(), &resized);
    }
    std::string PreviewFile() const {
        QFile file(session->PreviewFilePath());
        if (!file.open(QIODevice::ReadOnly)) return {};
        return file.readAll().toStdString();
    }
};

TEST_F(PreviewTest, ImagePageIsWrittenForThePaneSizeAndShownInJapanese) {
    CRightView* view = View();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->objectName(), "previewPane");
    EXPECT_EQ(view->accessibleName(), U("プレビュー"));
    EXPECT_TRUE(view->toPlainText().isEmpty());
    int focusedBack = 0;
    view->SetFocusBack([&] { ++focusedBack; });

    FitPaneTo(320);
    Pick(0);
    EXPECT_EQ(view->CurrentEntry(), 0);
    EXPECT_EQ(focusedBack, 1);
    std::string photo = dir.path() + "/photos/P1.JPG";
    FileStatus status;
    ASSERT_EQ(GetFileStatus(photo, status), 0);
    EXPECT_EQ(ToDisplay(PreviewFile()),
              "<html>\r\n<head>\r\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
              "charset=x-sjis\">\r\n"
              "<title>" +
                  photo +
                  "</title></head>\r\n"
                  "<body topmargin=\"2\" leftmargin=\"2\">\r\n"
                  "<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">\r\n"
                  "  <tr>\r\n"
                  "    <td align=\"left\">\r\n"
                  "<img src=\"" +
                  photo +
                  "\" alt=\"50.0%表示 (原寸:640x480)\" border=\"0\" "
                  "width=\"320\" height=\"240\">    </td>\r\n"
                  "  </tr>\r\n"
                  "  <tr>\r\n"
                  "    <td align=\"left\">\r\n"
                  "      <br>\r\n"
                  "      <b>P1.JPG</b><br>\r\n"
                  "      作成日時: " +
                  DateTextFromTime(status.creationTime, 0) +
                  "<br>\r\n"
                  "      サイズ: " +
                  GroupedDigits(status.size) +
                  " バイト<br>\r\n"
                  "      画像サイズ: 640x480<br>\r\n"
                  "    </td>\r\n"
                  "  </tr>\r\n"
                  "</table>\r\n</body>\r\n</html>\r\n");

    // Decoded as Shift-JIS, with the picture loaded from its folder.
    EXPECT_TRUE(view->toPlainText().contains(U("サイズ: ")));
    EXPECT_TRUE(view->toPlainText().contains(U("作成日時: ")));
    QVariant picture = view->document()->resource(
        QTextDocument::ImageResource, QUrl::fromLocalFile(QString::fromStdString(photo)));
    EXPECT_EQ(picture.value<QImage>().size(), QSize(640, 480));
    if (qEnvironmentVariableIsSet("MIRULANE_PREVIEW_SHOT")) {
        view->grab().save(qEnvironmentVariable("MIRULANE_PREVIEW_SHOT"));
    }
}

// A photo taken with the camera on its side is stored unturned; the pane shows it upright, as
// a browser does, at the size the image page gives it. The second picture carries the segment
// that thumbnail extraction writes.
TEST_F(PreviewTest, PortraitPhotosAreShownUpright) {
    std::string stored = RealJpeg(640, 480);  // its top left quarter is yellow
    dir.Write("photos/P3.JPG",
              stored.substr(0, 2) +
                  fixtures::App1Exif(fixtures::OrientationLayout(6, fixtures::ByteOrder::Little)) +
                  stored.substr(2));
    dir.Write("photos/P4.JPG", OrientedThumbnail(RealJpeg(64, 48), 8));
    ASSERT_TRUE(
        session->OpenFile(QString::fromStdString(WriteAlbum({"P3.JPG", "P4.JPG"}, "turned.txt"))));
    auto shown = [&](const char* name) {
        return View()
            ->document()
            ->resource(QTextDocument::ImageResource,
                       QUrl::fromLocalFile(QString::fromStdString(dir.path() + "/photos/" + name)))
            .value<QImage>();
    };

    FitPaneTo(240);
    Pick(0);
    EXPECT_NE(ToDisplay(PreviewFile()).find("(原寸:480x640)"), std::string::npos);
    QImage upright = shown("P3.JPG");
    ASSERT_EQ(upright.size(), QSize(480, 640));
    // Turned clockwise: the yellow quarter is now at the top right.
    EXPECT_GT(QColor(upright.pixel(470, 10)).red(), 200);
    EXPECT_LT(QColor(upright.pixel(10, 10)).red(), 100);

    Pick(1);
    EXPECT_EQ(shown("P4.JPG").size(), QSize(48, 64));
}

// Decoding a clip can take seconds, and the window never waits for it: a movie's card shows
// at once, its poster follows without the pane taking the keyboard focus again, and the
// posters made go with the window.
TEST_F(PreviewTest, AMoviesPosterIsMadeOffTheWindowsThread) {
    ASSERT_TRUE(fixtures::WriteClip(dir.path() + "/photos/MVI.AVI",
                                    {fixtures::ClipKind::MjpegAvi, 64, 48, 10, 0.5, false}));
    ASSERT_TRUE(session->OpenFile(QString::fromStdString(WriteAlbum({"MVI.AVI", "P1.JPG"}))));
    int focusedBack = 0;
    View()->SetFocusBack([&] { ++focusedBack; });
    Pick(0);
    EXPECT_EQ(PreviewFile().find(".poster"), std::string::npos);
    QTRY_VERIFY_WITH_TIMEOUT(PreviewFile().find(".poster0.jpg") != std::string::npos, 20000);
    EXPECT_EQ(focusedBack, 1);
    const QString poster = session->PreviewFilePath() + ".poster0.jpg";
    EXPECT_TRUE(QFile::exists(poster));
    frame.reset();
    EXPECT_FALSE(QFile::exists(poster));
}

TEST_F(PreviewTest, PagesAreReadAsCp932WhateverTheirCharsetSays) {
    // Characters that CP932 reads as U+FF5E, U+2225, U+FF0D and U+FFE2 and Shift-JIS by the
    // JIS mapping as U+301C, U+2016, U+2212 and U+00AC: the page shows them as the file system
    // names them.
    const std::string name = "\xE6\x97\x85\xEF\xBD\x9E\xE2\x88\xA5\xEF\xBC\x8D\xEF\xBF\xA2.JPG";
    dir.Write("photos/" + name, RealJpeg(64, 48));
    ASSERT_TRUE(session->OpenFile(QString::fromStdString(WriteAlbum({Sj(name)}, "tilde.txt"))));
    Pick(0);
    EXPECT_TRUE(View()->toPlainText().contains(QString::fromUtf8(name)));
}

TEST_F(PreviewTest, ResizeRendersTheCurrentEntryAgainAndNothingWithoutOne) {
    // No entry yet: a resize writes nothing.
    FitPaneTo(160);
    EXPECT_TRUE(PreviewFile().empty());

    Pick(0);
    EXPECT_NE(PreviewFile().find("width=\"160\" height=\"120\""), std::string::npos);
    FitPaneTo(320);
    EXPECT_NE(PreviewFile().find("width=\"320\" height=\"240\""), std::string::npos);

    // A blank update keeps the entry for the next resize; a deleted one is not shown again.
    Pick(-1);
    EXPECT_TRUE(View()->toPlainText().isEmpty());
    FitPaneTo(160);
    EXPECT_NE(PreviewFile().find("width=\"160\" height=\"120\""), std::string::npos);
    Select(0);
    Trigger(C::kDelete);
    EXPECT_EQ(View()->CurrentEntry(), -1);
    FitPaneTo(320);
    EXPECT_NE(PreviewFile().find("width=\"160\" height=\"120\""), std::string::npos);

    // An update from nobody is no update.
    View()->Update(nullptr, 1);
    EXPECT_EQ(View()->CurrentEntry(), -1);
}

TEST_F(PreviewTest, PageNoticeComesOnTheFirstPagePreviewOnlyEvenAfterARestart) {
    Trigger(C::kDetailPreview);  // nothing selected: the pane is blanked, no notice
    EXPECT_TRUE(chooser.messages.empty());
    Pick(1);
    ASSERT_EQ(chooser.messages.size(), 1u);
    const auto& notice = chooser.messages[0];
    EXPECT_EQ(notice.icon, QMessageBox::Warning);
    EXPECT_EQ(notice.buttons, QMessageBox::Ok);
    EXPECT_EQ(notice.caption, U("個別／リストページプレビューでの注意事項"));
    EXPECT_EQ(
        notice.text,
        U("個別／リストページのプレビュー機能では、一時的に作成したHTMLファイルを表示します。\n"
          "このファイルは、指定された個別／リストページ出力先フォルダとは別の場所に置かれてい"
          "るため、\n相対パスが正しく解釈されません。\n\n"
          "　表示に関して以下のような制限がありますのでご注意ください。\n\n"
          "　　・プレビューしたページ中のリンクをクリックしても、リンク先が表示されないことが"
          "ある。\n"
          "　　・オリジナルテンプレートを使用しており、その中で独自の画像，リンクを使用してい"
          "る場合、\n　　　プレビューにおいては表示されないことがある。"));
    EXPECT_TRUE(View()->toPlainText().contains(U("P2")));
    Pick(0);
    EXPECT_EQ(chooser.messages.size(), 1u);

    frame->close();
    Start();
    OpenPhotos();
    Trigger(C::kListPreview);  // the list page is shown from the first entry
    EXPECT_EQ(View()->CurrentEntry(), 0);
    EXPECT_NE(PreviewFile().find("P2"), std::string::npos);
    EXPECT_EQ(chooser.messages.size(), 1u);
}

TEST_F(PreviewTest, PreviewModeCommandsShowTheFirstSelectedEntry) {
    Select(1);
    Trigger(C::kDetailPreview);
    EXPECT_EQ(View()->CurrentEntry(), 1);
    Trigger(C::kShowImage);
    EXPECT_EQ(View()->CurrentEntry(), 1);
    EXPECT_NE(PreviewFile().find("P2.JPG\" alt="), std::string::npos);
}

TEST_F(PreviewTest, CurrentEntryEndsWithTheEntryOrTheAlbum) {
    Pick(0);
    Select(1);
    Trigger(C::kDelete);
    EXPECT_EQ(View()->CurrentEntry(), 0);  // another entry went
    Select(0);
    Trigger(C::kDelete);
    EXPECT_EQ(View()->CurrentEntry(), -1);

    OpenPhotos();
    Pick(0);
    EXPECT_FALSE(View()->toPlainText().isEmpty());
    Trigger(C::kNew);
    EXPECT_EQ(View()->CurrentEntry(), -1);
    EXPECT_TRUE(View()->toPlainText().isEmpty());

    OpenPhotos();
    Pick(0);
    chooser.folders.push_back(QString::fromStdString(PhotoFolder(2)));
    Trigger(C::kTargetFolder);
    EXPECT_EQ(View()->CurrentEntry(), -1);
    EXPECT_TRUE(View()->toPlainText().isEmpty());

    // A cancelled open leaves the pane as it is; an opened album starts blank.
    Pick(0);
    Trigger(C::kOpen);
    EXPECT_EQ(View()->CurrentEntry(), 0);
    EXPECT_FALSE(View()->toPlainText().isEmpty());
    chooser.openFiles.push_back(QString::fromStdString(WriteAlbum({"P1.JPG"})));
    Trigger(C::kOpen);
    EXPECT_EQ(View()->CurrentEntry(), -1);
    EXPECT_TRUE(View()->toPlainText().isEmpty());
}

}  // namespace
}  // namespace mirulane::ui::testing
