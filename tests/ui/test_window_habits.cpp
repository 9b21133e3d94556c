// The habits of a desktop program: the recent albums in ファイル, a file or folder dropped on
// the window, and a window that comes back as it was left.

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScreen>
#include <QSplitter>
#include <QtTest/QTest>
#include <filesystem>

#include "ui/recent_menu.h"
#include "ui/window_place.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

QString Q(const std::string& path) { return QString::fromStdString(path); }

class HabitsTest : public WindowTest {
  protected:
    // The recent albums' captions in ファイル, in order.
    QStringList RecentCaptions() const {
        QStringList captions;
        for (QAction* a : frame->RecentAlbumItems()) {
            if (!a->isSeparator()) captions << a->text();
        }
        return captions;
    }
    // The captions of ファイル's last items: the recent albums, "-", the exit item.
    QStringList FileMenuEnd(int count) const {
        QStringList out;
        for (QAction* a : frame->menuBar()->actions()[0]->menu()->actions()) {
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out.mid(out.size() - count);
    }
    void ChooseRecent(int index) const {
        frame->RecentAlbumItems()[index]->trigger();
        WaitForRun(*session);
    }

    // Drags urls over the list pane and drops them there, as a file manager does; whether the
    // window took them. What a drop starts is waited for.
    bool Drop(const QList<QUrl>& urls) const {
        QMimeData data;
        data.setUrls(urls);
        QWidget* target = frame->ListPane()->viewport();
        QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        QTest::qWait(0);
        WaitForRun(*session);
        return drop.isAccepted();
    }
};

TEST_F(HabitsTest, ARecentAlbumSurvivesARestartAndChoosingItOpensIt) {
    std::string first = WriteAlbum({"a.jpg"}, "first.txt");
    std::string second = WriteAlbum({"b.jpg", "c.jpg"}, "second.txt");
    frame->OpenAlbumFile(Q(first));
    frame->OpenAlbumFile(Q(second));
    frame->OpenAlbumFile(Q(first));
    // In the profile at once, each file once: a program killed now still lists them.
    std::string profile = Profile();
    EXPECT_NE(
        profile.find("[RecentAlbums]\r\nAlbum1=\"" + first + "\"\r\nAlbum2=\"" + second + "\"\r\n"),
        std::string::npos)
        << profile;
    EXPECT_FALSE(OptionsWritten());

    Start();  // the old run never reached its end
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1 " + Q(first), "&2 " + Q(second)}));
    EXPECT_EQ(FileMenuEnd(4), (QStringList{"&1 " + Q(first), "&2 " + Q(second), "-",
                                           U("アプリケーションの終了(&X)")}));
    ChooseRecent(1);
    EXPECT_EQ(session->State().entries, 2);
    EXPECT_EQ(frame->windowTitle(), U("second - test_ui"));
    EXPECT_EQ(RecentCaptions(), (QStringList{"&1 " + Q(second), "&2 " + Q(first)}));

    // A modified album is asked about first, as 開く asks.
    session->SetSelection({0});
    frame->UpdateCommandStates();
    Trigger(C::kDelete);
    chooser.answers.push_back(QMessageBox::No);
    ChooseRecent(1);
    EXPECT_EQ(chooser.MessageTexts(), QStringList{U("編集中のリストを保存しますか？")});
    EXPECT_EQ(session->State().entries, 1);

    // An album saved under a new name heads the list too.
    std::string copy = dir.path() + "/copy.txt";
    chooser.saveFiles.push_back(Q(copy));
    Trigger(C::kSaveAs);
    EXPECT_EQ(RecentCaptions(),
              (QStringList{"&1 " + Q(copy), "&2 " + Q(first), "&3 " + Q(second)}));
    EXPECT_NE(Profile().find("Album1=\"" + copy + "\""), std::string::npos);
}

TEST_F(HabitsTest, AGoneRecentAlbumIsSaidAndLeavesTheList) {
    std::string kept = WriteAlbum({"a.jpg"}, "kept.txt");
    std::string gone = WriteAlbum({"b.jpg"}, "gone.txt");
    frame->OpenAlbumFile(Q(kept));
    frame->OpenAlbumFile(Q(gone));
    std::filesystem::remove(gone);
    Start();
    ASSERT_EQ(RecentCaptions().size(), 2);
    ChooseRecent(0);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(
        chooser.messages[0].text,
        U("アルバムリストファイルが見つかりません。最近使ったアルバムの一覧から外しました\n") +
            Q(gone));
    EXPECT_EQ(chooser.messages[0].caption, U("オープンエラー"));
    EXPECT_EQ(RecentCaptions(), QStringList{"&1 " + Q(kept)});
    EXPECT_EQ(Profile().find(gone), std::string::npos);
    // The album in the window stays as it was.
    EXPECT_EQ(frame->windowTitle(), U("無題 - Mirulane"));
}

TEST(RecentMenuCaption, ALongPathLosesFoldersFromItsMiddleButNeverItsFileName) {
    EXPECT_EQ(RecentMenu::Caption(3, "/home/me/A&B.txt"), "&3 /home/me/A&&B.txt");
    QString deep = "/home/me/" + QString(40, 'x') + "/" + QString(40, 'y') + "/2024/album.txt";
    EXPECT_EQ(RecentMenu::Caption(1, deep), U("&1 /home/…/2024/album.txt"));
    QString longName = "/home/me/" + QString(70, 'z') + ".txt";
    EXPECT_EQ(RecentMenu::Caption(8, longName), U("&8 /home/…/") + QString(70, 'z') + ".txt");
}

TEST_F(HabitsTest, ADroppedFolderBecomesTheTargetFolderAndADroppedFileIsOpened) {
    std::string trip = PhotoFolder(3);
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(Q(trip))}));
    EXPECT_EQ(session->State().entries, 3);
    EXPECT_TRUE(session->State().hasTargetFolder);
    EXPECT_TRUE(chooser.folderTitles.isEmpty());  // no folder chooser in between
    EXPECT_EQ(frame->windowTitle(), U("新規 - test_ui"));

    // A file is an album list file to open, after the save question.
    std::string album = WriteAlbum({"a.jpg"});
    chooser.answers.push_back(QMessageBox::No);
    EXPECT_TRUE(Drop({QUrl::fromLocalFile(Q(album))}));
    EXPECT_EQ(chooser.MessageTexts(), QStringList{U("編集中のリストを保存しますか？")});
    EXPECT_EQ(session->State().entries, 1);
    EXPECT_EQ(RecentCaptions(), QStringList{"&1 " + Q(album)});

    // Two items, a web page or a file that is not there: nothing is taken.
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(Q(album)), QUrl::fromLocalFile(Q(trip))}));
    EXPECT_FALSE(Drop({QUrl(QStringLiteral("https://example.com/album.txt"))}));
    EXPECT_FALSE(Drop({QUrl::fromLocalFile(Q(dir.path() + "/none.txt"))}));
    EXPECT_EQ(session->State().entries, 1);
}

TEST(PlaceOnScreen, ARectangleOffTheScreenOrLargerThanItComesBackOnIt) {
    QRect screen(0, 0, 1280, 800);
    EXPECT_EQ(PlaceOnScreen(QRect(100, 50, 800, 600), screen), QRect(100, 50, 800, 600));
    // Saved on a larger screen, or on a second one now gone.
    EXPECT_EQ(PlaceOnScreen(QRect(1500, 900, 800, 600), screen), QRect(480, 200, 800, 600));
    EXPECT_EQ(PlaceOnScreen(QRect(-400, -50, 800, 600), screen), QRect(0, 0, 800, 600));
    EXPECT_EQ(PlaceOnScreen(QRect(200, 100, 1920, 1080), screen), QRect(0, 0, 1280, 800));
    // A screen whose available area starts beside a panel.
    EXPECT_EQ(PlaceOnScreen(QRect(0, 0, 400, 300), QRect(64, 32, 1216, 768)),
              QRect(64, 32, 400, 300));
}

TEST_F(HabitsTest, TheWindowComesBackWithItsPlaceSizePanesAndColumns) {
    QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QRect placed(available.left() + 40, available.top() + 30, available.width() / 2 + 100,
                 available.height() / 2 + 50);
    frame->setGeometry(placed);
    frame->show();
    frame->Splitter()->setSizes({placed.width() - 250, 250});
    frame->ListPane()->horizontalHeader()->resizeSection(0, 222);
    frame->ListPane()->horizontalHeader()->resizeSection(2, 55);
    QList<int> panes = frame->Splitter()->sizes();
    frame->close();
    EXPECT_NE(Profile().find("[Window]"), std::string::npos);

    Start();
    EXPECT_EQ(frame->geometry(), placed);
    frame->show();
    EXPECT_EQ(frame->Splitter()->sizes(), panes);
    EXPECT_EQ(frame->ListPane()->horizontalHeader()->sectionSize(0), 222);
    EXPECT_EQ(frame->ListPane()->horizontalHeader()->sectionSize(2), 55);
    frame->close();

    // Saved on a screen larger than this one: back on it, no larger than it.
    std::string profile = Profile();
    size_t window = profile.find("[Window]");
    dir.Write("mirulane.ini", profile.substr(0, window) +
                                  "[Window]\r\nLeft=6000\r\nTop=4000\r\nWidth=5000\r\n"
                                  "Height=3000\r\nMaximized=0\r\n");
    Start();
    EXPECT_TRUE(available.contains(frame->geometry())) << frame->geometry().x();
    EXPECT_EQ(frame->geometry().size(), available.size());
}

}  // namespace
}  // namespace mirulane::ui::testing
