// The list pane's thumbnail view: one selection with the report view, the commands of the
// list working in it, the choice kept across a restart, and pictures that arrive after the
// placeholders, with nothing worse than a placeholder for a file that cannot be shown.

#include <QAccessible>
#include <QtTest/QTest>
#include <algorithm>
#include <filesystem>

#include "album/album_file.h"
#include "album/columns.h"
#include "app/session.h"
#include "fixtures/picture_builder.h"
#include "support/scripted_interaction.h"
#include "ui/thumbnail_cache.h"
#include "ui/thumbnail_grid.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;
using State = ThumbnailCache::State;

class ThumbnailViewTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    // Opens an album of these files in dir/photos, with dir/thumbs as its thumbnail folder.
    void OpenAlbum(const std::vector<std::string>& names) {
        Album album;
        for (const std::string& name : names) album.entries.Append(name);
        album.style.TargetFolder = dir.path() + "/photos";
        album.style.ThumbFolder = dir.path() + "/thumbs";
        std::filesystem::create_directories(album.style.TargetFolder);
        std::filesystem::create_directories(album.style.ThumbFolder);
        std::string path = dir.path() + "/album.txt";
        ASSERT_EQ(WriteAlbumFile(album, path).value_or(-1), static_cast<int>(names.size()));
        frame->OpenAlbumFile(QString::fromStdString(path));
    }

    ThumbnailGrid& Grid() const { return *frame->ThumbnailPane(); }
    EntryList& Entries() const { return session->Core().album.entries; }
    std::vector<int> CoreSelection() const {
        std::vector<int> rows;
        for (int i = 0; i < Entries().Count(); ++i) {
            if (Entries().IsSelected(i)) rows.push_back(i);
        }
        return rows;
    }
    std::vector<int> Selected(const QAbstractItemView& view) const {
        std::vector<int> rows;
        for (int i = 0; i < Entries().Count(); ++i) {
            if (view.selectionModel()->isRowSelected(i, {})) rows.push_back(i);
        }
        return rows;
    }
    void ClickCell(int row, Qt::KeyboardModifiers modifiers = {}) const {
        QRect cell = Grid().visualRect(Grid().model()->index(row, COL_FILE));
        QTest::mouseClick(Grid().viewport(), Qt::LeftButton, modifiers, cell.center());
    }
};

TEST_F(ThumbnailViewTest, SharesTheSelectionTheFocusAndTheListCommandsWithTheReportView) {
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) {
        dir.Write(std::string("photos/") + name,
                  fixtures::MakePicture(fixtures::PictureFormat::Jpeg, 40, 30));
    }
    OpenAlbum({"a.jpg", "b.jpg", "c.jpg", "d.jpg"});
    EXPECT_EQ(frame->ShownListView(), frame->ListPane());
    Trigger(C::kThumbnailView);
    ASSERT_EQ(frame->ShownListView(), &Grid());
    EXPECT_TRUE(Action(C::kThumbnailView)->isChecked());
    // Assistive technology reads one item an entry, by its file name.
    QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&Grid());
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->childCount(), 4);
    ASSERT_NE(grid->child(1), nullptr);
    EXPECT_EQ(grid->child(1)->text(QAccessible::Name), "b.jpg");

    // A click picks the entry: the core selects it and the preview shows it.
    ClickCell(1);
    EXPECT_EQ(CoreSelection(), std::vector<int>{1});
    EXPECT_EQ(session->Core().album.currentEntry, 1);
    ClickCell(3, Qt::ControlModifier);
    EXPECT_EQ(CoreSelection(), (std::vector<int>{1, 3}));
    // The keyboard moves the focus and the preview with it.
    QTest::keyClick(Grid().viewport(), Qt::Key_Left);
    EXPECT_EQ(CoreSelection(), std::vector<int>{2});
    EXPECT_EQ(session->Core().album.currentEntry, 2);

    // What the core selects shows in the grid.
    Trigger(C::kSelectAll);
    EXPECT_EQ(Selected(Grid()), (std::vector<int>{0, 1, 2, 3}));

    // The Delete key deletes in this view too.
    ClickCell(0);
    QTest::keyClick(&Grid(), Qt::Key_Delete);
    ASSERT_EQ(Entries().Count(), 3);
    EXPECT_EQ(Entries().Field(0, COL_FILE), "b.jpg");

    // Back in the report view the selection made in the grid is there, whole rows.
    ClickCell(2);
    Trigger(C::kThumbnailView);
    ASSERT_EQ(frame->ShownListView(), frame->ListPane());
    EXPECT_EQ(Selected(*frame->ListPane()), std::vector<int>{2});
    EXPECT_TRUE(frame->ListPane()->selectionModel()->isSelected(
        frame->ListPane()->model()->index(2, COL_TITLE)));
}

TEST_F(ThumbnailViewTest, TheChoiceSurvivesARestart) {
    EXPECT_FALSE(Action(C::kThumbnailView)->isChecked());
    Trigger(C::kThumbnailView);
    frame->close();
    EXPECT_NE(Profile().find("EnvThumbView=1\r\n"), std::string::npos);
    Start();
    frame->show();
    EXPECT_TRUE(Action(C::kThumbnailView)->isChecked());
    EXPECT_EQ(frame->ShownListView(), &Grid());

    Trigger(C::kThumbnailView);
    frame->close();
    Start();
    EXPECT_FALSE(Action(C::kThumbnailView)->isChecked());
    EXPECT_EQ(frame->ShownListView(), frame->ListPane());
}

TEST_F(ThumbnailViewTest, PicturesReplaceThePlaceholdersAndUnreadableFilesKeepThem) {
    using fixtures::MakePicture;
    using fixtures::PictureFormat;
    dir.Write("photos/portrait.jpg", MakePicture(PictureFormat::Jpeg, 400, 300, 6));
    dir.Write("photos/garbage.jpg", "not a picture");
    dir.Write("photos/bad-thumb.jpg", "neither");
    dir.Write("thumbs/bad-thumb.jpg", std::string("\xFF\xD8\xFF\xE0", 4) + "broken");
    dir.Write("photos/clip.avi", "RIFF");
    dir.Write("photos/poster.avi", "RIFF");
    dir.Write("thumbs/poster.avi.jpg", MakePicture(PictureFormat::Jpeg, 64, 48));
    const std::vector<std::string> names = {"portrait.jpg", "garbage.jpg", "bad-thumb.jpg",
                                            "missing.jpg",  "clip.avi",    "poster.avi"};
    OpenAlbum(names);
    Trigger(C::kThumbnailView);

    ThumbnailCache& cache = Grid().Cache();
    // Nothing is known before the view is painted; then every cell in view has asked.
    EXPECT_EQ(cache.Get("portrait.jpg").state, State::Loading);
    Grid().grab();
    ASSERT_TRUE(QTest::qWaitFor([&] { return cache.Pending() == 0; }, 20000));
    Grid().grab();

    ThumbnailCache::Shown portrait = cache.Get("portrait.jpg");
    ASSERT_EQ(portrait.state, State::Picture);
    // Upright, within the cell's square.
    EXPECT_EQ(portrait.image.height(), cache.Box());
    EXPECT_LT(portrait.image.width(), portrait.image.height());
    for (const char* missing : {"garbage.jpg", "bad-thumb.jpg", "missing.jpg"}) {
        EXPECT_EQ(cache.Get(missing).state, State::Missing) << missing;
    }
    EXPECT_EQ(cache.Get("clip.avi").state, State::Movie);
    ThumbnailCache::Shown poster = cache.Get("poster.avi");
    ASSERT_EQ(poster.state, State::Picture);
    EXPECT_EQ(poster.image.size(), QSize(64, 48));

    // Another album's pictures are not this one's.
    Trigger(C::kNew);
    EXPECT_EQ(cache.Get("portrait.jpg").state, State::Loading);
}

}  // namespace
}  // namespace mirulane::ui::testing
