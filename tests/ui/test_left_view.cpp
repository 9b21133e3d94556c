// The list pane: what it shows of the album, its selection kept in step with the core both
// ways, sorting by header clicks, the mouse and keyboard commands, and its model under Qt's
// model checker through every kind of change the window's commands make.

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest/QTest>
#include <filesystem>

#include "album/album_file.h"
#include "album/columns.h"
#include "app/session.h"
#include "platform/cp932.h"
#include "support/scripted_interaction.h"
#include "ui/entry_list_model.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

class ListPaneTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    // Opens an album of entries given as {file, title, date-time}.
    void OpenAlbum(const std::vector<std::array<std::string, 3>>& rows) {
        Album album;
        for (const auto& r : rows) {
            int i = album.entries.Append(r[0]);
            album.entries.SetField(i, COL_TITLE, Sj(r[1]));
            album.entries.SetField(i, COL_DTORG, r[2]);
        }
        album.style.TargetFolder = dir.path() + "/photos";
        ScriptedInteraction ui;
        std::string path = dir.path() + "/album.txt";
        ASSERT_EQ(WriteAlbumFile(album, path).value_or(-1), static_cast<int>(rows.size()));
        frame->OpenAlbumFile(QString::fromStdString(path));
    }

    CLeftView& List() const { return *frame->ListPane(); }
    EntryList& Entries() const { return session->Core().album.entries; }

    // The core's column c, in album order.
    std::vector<std::string> Column(int c) const {
        std::vector<std::string> out;
        for (int i = 0; i < Entries().Count(); ++i) out.push_back(Entries().Field(i, c));
        return out;
    }
    // Rows the view shows selected.
    std::vector<int> ViewSelection() const {
        std::vector<int> rows;
        for (const QModelIndex& i : List().selectionModel()->selectedRows())
            rows.push_back(i.row());
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    std::vector<int> CoreSelection() const {
        std::vector<int> rows;
        for (int i = 0; i < Entries().Count(); ++i) {
            if (Entries().IsSelected(i)) rows.push_back(i);
        }
        return rows;
    }

    void ClickHeader(int column) const {
        QHeaderView* header = List().horizontalHeader();
        List().scrollTo(List().model()->index(0, column));
        QPoint at(header->sectionViewportPosition(column) + 8, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) const {
        QRect cell = List().visualRect(List().model()->index(row, COL_TITLE));
        QTest::mouseClick(List().viewport(), Qt::LeftButton, modifiers, cell.center());
    }
    // A point of the list below its last row.
    QPoint BelowRows() const { return {5, List().viewport()->height() - 3}; }
};

TEST_F(ListPaneTest, ShowsTheEntriesWithCaptionsWidthsAndKindIcons) {
    OpenAlbum({{"a.jpg", "朝", ""}, {"m.avi", "", ""}, {"notes.txt", "", ""}});
    const QAbstractItemModel& model = *List().model();
    ASSERT_EQ(model.rowCount(), 3);
    ASSERT_EQ(model.columnCount(), kColumnCount);
    EXPECT_EQ(model.headerData(COL_FILE, Qt::Horizontal).toString(), U("ファイル名"));
    EXPECT_EQ(model.headerData(COL_SHTSP, Qt::Horizontal).toString(), U("ｼｬｯﾀｰ速度"));
    EXPECT_EQ(List().horizontalHeader()->sectionSize(COL_KIND), 60);
    EXPECT_EQ(List().horizontalHeader()->sectionSize(COL_MODEL), 130);
    EXPECT_EQ(model.index(0, COL_TITLE).data().toString(), U("朝"));
    // Each kind has its own picture, drawn (the SVG reader is there), on the file name only.
    std::vector<QImage> icons;
    for (int row = 0; row < 3; ++row) {
        QIcon icon = model.index(row, COL_FILE).data(Qt::DecorationRole).value<QIcon>();
        icons.push_back(icon.pixmap(16, 16).toImage());
        EXPECT_FALSE(icons.back().isNull());
        EXPECT_FALSE(model.index(row, COL_TITLE).data(Qt::DecorationRole).isValid());
    }
    EXPECT_NE(icons[0], icons[1]);
    EXPECT_NE(icons[0], icons[2]);
    EXPECT_NE(icons[1], icons[2]);
    EXPECT_EQ(List().selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(List().selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(List().accessibleName(), U("リスト"));
    // A field the core changes shows at once.
    Entries().SetField(2, COL_TITLE, Sj("メモ"));
    EXPECT_EQ(model.index(2, COL_TITLE).data().toString(), U("メモ"));
}

// A refresh puts the scanned list in place as one reset: the pane keeps the entry at its top
// and its current entry, even when rows above them went.
TEST_F(ListPaneTest, ARefreshKeepsTheEntryAtTheTopAndTheCurrentEntry) {
    std::vector<std::array<std::string, 3>> rows;
    for (int i = 0; i < 200; ++i) {
        std::string name = "IMG_" + std::to_string(1000 + i) + ".jpg";
        dir.Write("photos/" + name, "x");
        rows.push_back({name, "t", ""});
    }
    OpenAlbum(rows);
    List().scrollTo(List().model()->index(120, 0), QAbstractItemView::PositionAtTop);
    ClickRow(130);
    ASSERT_EQ(Entries().Field(List().rowAt(0), COL_FILE), "IMG_1120.jpg");
    ASSERT_EQ(List().currentIndex().row(), 130);
    std::filesystem::remove(dir.path() + "/photos/IMG_1000.jpg");
    std::filesystem::remove(dir.path() + "/photos/IMG_1001.jpg");
    dir.Write("photos/IMG_2000.jpg", "x");

    Trigger(C::kRefresh);
    ASSERT_EQ(Entries().Count(), 199);
    EXPECT_EQ(Entries().Field(List().rowAt(0), COL_FILE), "IMG_1120.jpg");
    EXPECT_EQ(Entries().Field(List().currentIndex().row(), COL_FILE), "IMG_1130.jpg");
    EXPECT_EQ(ViewSelection(), std::vector<int>{128});
}

TEST_F(ListPaneTest, GridLinesFollowTheStoredSetting) {
    EXPECT_TRUE(List().showGrid());
    frame.reset();
    dir.Write("mirulane.ini", "[Environment]\r\nEnvLstGrid=0\r\n");
    Start();
    EXPECT_FALSE(List().showGrid());
}

TEST_F(ListPaneTest, HeaderClicksSortKeepTheDirectionAcrossColumnsAndMoveTheIndicator) {
    QHeaderView* header = List().horizontalHeader();
    // An empty list: nothing to reorder, so nothing is modified, but the column is remembered.
    ClickHeader(COL_MODEL);
    EXPECT_FALSE(session->Core().album.modified);
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), COL_MODEL);

    OpenAlbum({{"1.jpg", "banana", "2001:01:02 00:00:00"},
               {"2.jpg", "Cherry", "2001:01:03 00:00:00"},
               {"3.jpg", "apple", "2001:01:01 00:00:00"}});
    ClickHeader(COL_TITLE);
    EXPECT_EQ(Column(COL_TITLE), (std::vector<std::string>{"apple", "banana", "Cherry"}));
    EXPECT_EQ(header->sortIndicatorSection(), COL_TITLE);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    EXPECT_TRUE(session->Core().album.modified);
    EXPECT_EQ(List().model()->index(0, COL_TITLE).data().toString(), U("apple"));

    ClickHeader(COL_TITLE);
    EXPECT_EQ(Column(COL_TITLE), (std::vector<std::string>{"Cherry", "banana", "apple"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);

    // Another column sorts in the direction last used, and the indicator moves there.
    ClickHeader(COL_DTORG);
    EXPECT_EQ(Column(COL_TITLE), (std::vector<std::string>{"Cherry", "banana", "apple"}));
    EXPECT_EQ(header->sortIndicatorSection(), COL_DTORG);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(List().model()->index(2, COL_TITLE).data().toString(), U("apple"));

    // A new album has no sort column.
    Trigger(C::kNew);
    EXPECT_FALSE(header->isSortIndicatorShown());
}

TEST_F(ListPaneTest, SelectionIsTheCoresBothWaysAndTheRowCountFollows) {
    OpenAlbum({{"a.jpg", "e", ""},
               {"b.jpg", "d", ""},
               {"c.jpg", "c", ""},
               {"d.jpg", "b", ""},
               {"e.jpg", "a", ""}});
    ClickRow(1);
    EXPECT_EQ(CoreSelection(), (std::vector<int>{1}));
    EXPECT_EQ(Status(StatusPane::RowCount), U("　　     5 行"));
    ClickRow(3, Qt::ControlModifier);
    ClickRow(4, Qt::ControlModifier);
    EXPECT_EQ(CoreSelection(), (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(Status(StatusPane::RowCount), U("選択     3 行"));
    EXPECT_TRUE(Action(C::kBatchEdit)->isEnabled());

    // A sort moves the selection with its entries, in the core and in the view.
    ClickHeader(COL_TITLE);
    EXPECT_EQ(Column(COL_FILE),
              (std::vector<std::string>{"e.jpg", "d.jpg", "c.jpg", "b.jpg", "a.jpg"}));
    EXPECT_EQ(CoreSelection(), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(ViewSelection(), CoreSelection());

    // Select all in the core shows in the view; a click then narrows both again.
    Trigger(C::kSelectAll);
    EXPECT_EQ(ViewSelection(), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Status(StatusPane::RowCount), U("選択     5 行"));
    ClickRow(2);
    EXPECT_EQ(CoreSelection(), (std::vector<int>{2}));

    // The arrow keys move the selection, and the core follows.
    List().setFocus();
    QTest::keyClick(&List(), Qt::Key_Down);
    EXPECT_EQ(CoreSelection(), (std::vector<int>{3}));
    EXPECT_EQ(Entries().FocusedSelected(), 3);
}

TEST_F(ListPaneTest, DeleteKeyRemovesTheSelectedRowsAndAlwaysCountsAsAnEdit) {
    OpenAlbum({{"a.jpg", "", ""}, {"b.jpg", "", ""}, {"c.jpg", "", ""}, {"d.jpg", "", ""}});
    ClickRow(1);
    ClickRow(2, Qt::ControlModifier);
    // Only the plain key deletes: Shift+Del and Ctrl+Del are other keys.
    QTest::keyClick(&List(), Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(&List(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(Entries().Count(), 4);
    EXPECT_FALSE(session->Core().album.modified);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Column(COL_FILE), (std::vector<std::string>{"a.jpg", "d.jpg"}));
    EXPECT_EQ(List().model()->rowCount(), 2);
    EXPECT_TRUE(ViewSelection().empty());
    EXPECT_EQ(Status(StatusPane::RowCount), U("　　     2 行"));

    // With nothing selected the key deletes nothing but the album still asks to be saved.
    session->Core().album.modified = false;
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(Entries().Count(), 2);
    EXPECT_TRUE(session->Core().album.modified);
}

TEST_F(ListPaneTest, DoubleClickAndContextMenuUseTheEditCommands) {
    OpenAlbum({{"a.jpg", "", ""}, {"b.jpg", "", ""}});
    QSignalSpy edits(Action(C::kEditFileInfo), &QAction::triggered);
    chooser.answers.push_back(QMessageBox::Ok);
    QRect cell = List().visualRect(List().model()->index(1, COL_TITLE));
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(edits.count(), 1);
    // With nothing selected a double click edits nothing.
    session->SetSelection({});
    QTest::mouseDClick(List().viewport(), Qt::LeftButton, {}, BelowRows());
    EXPECT_EQ(edits.count(), 1);

    // The context menu holds the edit menu's commands, greyed by their rules.
    auto* menu = frame->findChild<QMenu*>(QStringLiteral("listContextMenu"));
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* a : menu->actions()) items << (a->isSeparator() ? "-" : a->objectName());
    EXPECT_EQ(items, (QStringList{"editFileInfo", "batchEdit", "-", "selectAll", "-", "delete"}));
    ClickRow(0);
    EXPECT_TRUE(Action(C::kEditFileInfo)->isEnabled());
    EXPECT_FALSE(Action(C::kBatchEdit)->isEnabled());
    EXPECT_TRUE(Action(C::kDelete)->isEnabled());
}

// Qt's model checker watches the model while the window's own commands change the list: the
// scan of a target folder, edits through both entry dialogs, header sorts, deletions from the
// list and from the file-information dialog, a refresh that adds and removes entries, and a new
// album. A broken rule of the model (a row count that disagrees with the signals, a stale
// index, a layout change without its persistent indexes moved) ends the test program at once.
TEST_F(ListPaneTest, ModelKeepsQtsRulesThroughTheWindowsChanges) {
    QAbstractItemModelTester checker(&List().Model(),
                                     QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto rows = [&] { return List().model()->rowCount(); };

    const std::string trip = PhotoFolder(6);
    chooser.folders.push_back(QString::fromStdString(trip));
    Trigger(C::kTargetFolder);
    ASSERT_EQ(rows(), 6);

    // Edits: the batch dialog on two entries, the file-information dialog on one.
    session->SetSelection({1, 3});
    frame->UpdateCommandStates();
    chooser.dialogScripts.push_back([&](QDialog& d) -> int {
        Find<QCheckBox>(d, "titleCheck")->setChecked(true);
        Find<QLineEdit>(d, "title")->setText(U("b"));
        Click(d, "ok");
        return d.result();
    });
    Trigger(C::kBatchEdit);
    session->SetSelection({0});
    frame->UpdateCommandStates();
    chooser.dialogScripts.push_back([&](QDialog& d) -> int {
        Find<QLineEdit>(d, "title")->setText(U("a"));
        Click(d, "close");
        return d.result();
    });
    Trigger(C::kEditFileInfo);
    EXPECT_TRUE(chooser.dialogScripts.empty());
    EXPECT_EQ(List().model()->index(3, COL_TITLE).data().toString(), U("b"));
    EXPECT_EQ(List().model()->index(0, COL_TITLE).data().toString(), U("a"));

    // Sorts, both ways, with a selection and a current row to move.
    ClickRow(3);
    ClickHeader(COL_TITLE);
    ClickHeader(COL_TITLE);
    ClickHeader(COL_FILE);
    EXPECT_EQ(ViewSelection(), CoreSelection());

    // Deletions: a run of two rows and one more from the list, one from the file-information
    // dialog.
    ClickRow(1);
    ClickRow(2, Qt::ControlModifier);
    ClickRow(4, Qt::ControlModifier);
    QTest::keyClick(&List(), Qt::Key_Delete);
    ASSERT_EQ(rows(), 3);
    session->SetSelection({0});
    frame->UpdateCommandStates();
    chooser.dialogScripts.push_back([&](QDialog& d) -> int {
        Click(d, "delete");
        Click(d, "close");
        return d.result();
    });
    Trigger(C::kEditFileInfo);
    ASSERT_EQ(rows(), 2);

    // A refresh that misses one of the entries and finds the folder's other files: two new
    // ones and the four whose entries were deleted.
    dir.Write("trip/new1.jpg", fixtures::MakeJpeg(8, 6));
    dir.Write("trip/new2.jpg", fixtures::MakeJpeg(8, 6));
    ASSERT_TRUE(QFile::remove(QString::fromStdString(trip + "/" + Entries().Field(0, COL_FILE))));
    Trigger(C::kRefresh);
    EXPECT_EQ(rows(), 7);
    EXPECT_EQ(rows(), Entries().Count());

    // Select all, then a new album.
    Trigger(C::kSelectAll);
    EXPECT_EQ(ViewSelection().size(), 7u);
    session->Core().album.modified = false;
    Trigger(C::kNew);
    EXPECT_EQ(rows(), 0);
}

}  // namespace
}  // namespace mirulane::ui::testing
