// The main window: menus, toolbar and status bar as the user sees them, the enabling rules of
// the commands, the album commands' dialogs, help, the font and the close sequence.

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>
#include <filesystem>

#include <filesystem>
#include <fstream>

#include "album/album_file.h"
#include "app/session.h"
#include "support/scripted_interaction.h"
#include "ui/help.h"
#include "ui/help_window.h"
#include "ui/overwrite_dialog.h"
#include "ui/thumbnail_grid.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

using C = CMainFrame;

// "caption|shortcut" for every item of a menu, "-" for a separator.
QStringList MenuItems(QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : a->text() + "|" + a->shortcut().toString());
    }
    return out;
}

TEST_F(WindowTest, MenusShowTheirCaptionsAndShortcutsInOrder) {
    QStringList titles;
    std::vector<QStringList> items;
    for (QAction* top : frame->menuBar()->actions()) {
        titles << top->text();
        items.push_back(MenuItems(top->menu()));
    }
    EXPECT_EQ(titles, (QStringList{U("ファイル(&F)"), U("編集(&E)"), U("表示(&V)"), U("ツール(&T)"),
                                   U("ヘルプ(&H)")}));
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(
        items[0],
        (QStringList{U("新規作成(&N)|Ctrl+N"), U("開く(&O)...|Ctrl+O"), U("上書き保存(&S)|Ctrl+S"),
                     U("名前を付けて保存(&A)...|"), "-", U("ターゲットフォルダの選択(&F)...|"),
                     U("HTMLファイルの作成(&H)|"), "-", U("アプリケーションの終了(&X)|")}));
    EXPECT_EQ(items[1],
              (QStringList{U("ファイル情報の編集(&E)...|"), U("ファイル情報の一括編集(&B)...|"),
                           "-", U("すべて選択(&L)|Ctrl+A"), "-", U("削除(&D)|Del")}));
    EXPECT_EQ(items[2],
              (QStringList{U("ツールバー(&T)|"), U("ステータスバー(&S)|"), "-",
                           U("サムネイル表示(&M)|"), "-", U("画像の表示(&I)|"),
                           U("個別ページのプレビュー(&D)|"), U("リストページのプレビュー(&L)|"),
                           "-", U("フォントの変更(&F)...|"), "-", U("最新の情報に更新(&R)|")}));
    EXPECT_EQ(items[3],
              (QStringList{U("Exif情報の再取得(&R)...|"), U("サムネイルの抽出(&T)...|"), "-",
                           U("ページ作成オプション(&O)...|"), U("動作環境の設定(&E)...|")}));
    EXPECT_EQ(items[4], (QStringList{U("ヘルプ(&H)|F1"), "-", U("バージョン情報(&A)|")}));
}

TEST_F(WindowTest, ToolbarHasItsButtonsInOrderWithIconsTipsAndPrompts) {
    QStringList order;
    for (QAction* a : frame->ToolBar()->actions()) {
        if (a->isSeparator()) {
            order << "|";
            continue;
        }
        order << a->toolTip();
        // A missing SVG image plugin gives empty icons: the toolbar would be blank.
        EXPECT_FALSE(a->icon().pixmap(16, 16).isNull()) << a->objectName().toStdString();
    }
    EXPECT_EQ(order, (QStringList{U("ターゲットフォルダ選択"), U("ページ作成オプション"),
                                  U("HTMLファイル作成"), "|", U("ファイル情報の編集"), "|",
                                  U("画像の表示"), U("個別ページのプレビュー"),
                                  U("リストページのプレビュー"), "|", U("サムネイルの抽出"),
                                  U("最新状態に更新"), U("動作環境の設定"), "|", U("新規ファイル"),
                                  U("開く"), U("保存"), "|", U("ヘルプ")}));
    EXPECT_FALSE(frame->ToolBar()->isMovable());
    EXPECT_FALSE(frame->ToolBar()->isFloatable());
    EXPECT_FALSE(frame->windowIcon().pixmap(32, 32).isNull());

    // The prompt of a highlighted command replaces the idle text, which comes back after.
    EXPECT_EQ(Status(StatusPane::Message), U("レディ"));
    Action(C::kSaveAs)->showStatusText(frame.get());
    EXPECT_EQ(Status(StatusPane::Message), U("作業中のファイルを新しい名前で保存"));
    QStatusTipEvent leave{QString()};
    QApplication::sendEvent(frame.get(), &leave);
    EXPECT_EQ(Status(StatusPane::Message), U("レディ"));
}

// "enabled" for each command, in the order of CMainFrame::Command.
std::string Enabled(const CMainFrame& frame) {
    std::string out;
    for (int c = 0; c < C::kCommandCount; ++c) {
        out += frame.Action(static_cast<C::Command>(c))->isEnabled() ? '1' : '0';
    }
    return out;
}

TEST_F(WindowTest, CommandsAreEnabledByTheAlbumAndItsSelection) {
    //                     File      Edit   View      Tools  Help
    EXPECT_EQ(Enabled(*frame),
              "1111101"
              "0000"
              "11111110"
              "0001"
              "11");
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg", "c.jpg"})));
    EXPECT_EQ(Enabled(*frame),
              "1111111"
              "0010"
              "11111111"
              "1111"
              "11");
    session->SetSelection({1});
    frame->UpdateCommandStates();
    EXPECT_EQ(Enabled(*frame),
              "1111111"
              "1011"
              "11111111"
              "1111"
              "11");
    session->SetSelection({0, 2});
    frame->UpdateCommandStates();
    EXPECT_EQ(Enabled(*frame),
              "1111111"
              "1111"
              "11111111"
              "1111"
              "11");
    Trigger(C::kDelete);
    EXPECT_EQ(Enabled(*frame),
              "1111111"
              "0010"
              "11111111"
              "1111"
              "11");
    EXPECT_EQ(session->State().entries, 1);
}

// What assistive technology reads as a label's name.
QString AccessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

TEST_F(WindowTest, StatusPanesShowTargetFolderAndRowCountAndAreReadByTheirText) {
    EXPECT_EQ(Status(StatusPane::TargetFolder), U("（選択されていません）"));
    EXPECT_EQ(Status(StatusPane::RowCount), U("　　     0 行"));
    // The panes keep the width of the texts they are sized by.
    QLabel* target = frame->StatusLabel(StatusPane::TargetFolder);
    EXPECT_GE(target->minimumWidth(),
              target->fontMetrics().horizontalAdvance(U("（選択されていません）") +
                                                      QString(22, QChar(0x3000))));
    QLabel* rows = frame->StatusLabel(StatusPane::RowCount);
    EXPECT_GE(rows->minimumWidth(), rows->fontMetrics().horizontalAdvance(U("選択 12345 行")));

    auto* noTarget = frame->findChild<QLabel*>(QStringLiteral("statusNoTarget"));
    ASSERT_NE(noTarget, nullptr);
    EXPECT_FALSE(noTarget->isHidden());
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg", "c.jpg"})));
    EXPECT_EQ(Status(StatusPane::TargetFolder), QString::fromStdString(dir.path() + "/photos"));
    EXPECT_TRUE(noTarget->isHidden());
    EXPECT_EQ(Status(StatusPane::RowCount), U("　　     3 行"));
    session->SetSelection({0, 1, 2});
    EXPECT_EQ(Status(StatusPane::RowCount), U("選択     3 行"));
    for (StatusPane pane : {StatusPane::Message, StatusPane::TargetFolder, StatusPane::RowCount}) {
        QLabel* label = frame->StatusLabel(pane);
        EXPECT_EQ(AccessibleName(label), label->text());
    }
    // A folder name that looks like markup is shown as it is.
    QLabel* plain = frame->StatusLabel(StatusPane::TargetFolder);
    EXPECT_EQ(plain->textFormat(), Qt::PlainText);
}

TEST_F(WindowTest, SavePromptAsksBeforeNewAndSavesOnlyOnYes) {
    std::string trip = PhotoFolder(2);
    chooser.folders.push_back(QString::fromStdString(trip));
    Trigger(C::kTargetFolder);
    ASSERT_EQ(session->State().entries, 2);
    EXPECT_EQ(chooser.folderTitles, QStringList{U("フォルダを選択してください")});
    EXPECT_EQ(frame->windowTitle(), U("新規 - test_ui"));

    // No: the album goes without being written.
    chooser.answers.push_back(QMessageBox::No);
    Trigger(C::kNew);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].text, U("編集中のリストを保存しますか？"));
    EXPECT_EQ(chooser.messages[0].caption, U("保存確認"));
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(chooser.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(chooser.saves.empty());
    EXPECT_EQ(session->State().entries, 0);
    EXPECT_EQ(frame->windowTitle(), U("無題 - Mirulane"));

    // Yes on an album never saved: the save chooser proposes the target folder's name; the
    // album is written there but keeps being new.
    chooser.folders.push_back(QString::fromStdString(trip));
    Trigger(C::kTargetFolder);
    chooser.answers.push_back(QMessageBox::Yes);
    std::string saved = dir.path() + "/saved.txt";
    chooser.saveFiles.push_back(QString::fromStdString(saved));
    Trigger(C::kNew);
    ASSERT_EQ(chooser.saves.size(), 1u);
    EXPECT_EQ(QFileInfo(chooser.saves[0].proposedPath).fileName(), "trip");
    EXPECT_NE(dir.Read("saved.txt").find("IMG_1001.jpg"), std::string::npos);
    EXPECT_EQ(frame->windowTitle(), U("無題 - Mirulane"));

    // An album that is not modified is not asked about.
    size_t asked = chooser.messages.size();
    Trigger(C::kNew);
    EXPECT_EQ(chooser.messages.size(), asked);
}

TEST_F(WindowTest, SaveAsUsesTheAlbumFileChooserAndNamesTheWindowAfterTheFile) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg"})));
    EXPECT_EQ(frame->windowTitle(), U("album - test_ui"));
    std::string trip = dir.path() + "/trip.txt";
    chooser.saveFiles.push_back(QString::fromStdString(trip));
    Trigger(C::kSaveAs);
    ASSERT_EQ(chooser.saves.size(), 1u);
    EXPECT_EQ(chooser.saves[0].caption, U("名前を付けて保存"));
    EXPECT_EQ(chooser.saves[0].filters,
              (QStringList{U("ﾃｷｽﾄﾌｧｲﾙ(ﾀﾌﾞ区切り) (*.txt)"), U("すべてのﾌｧｲﾙ (*)")}));
    EXPECT_EQ(chooser.saves[0].defaultSuffix, "txt");
    EXPECT_EQ(frame->windowTitle(), U("trip - test_ui"));
    EXPECT_NE(dir.Read("trip.txt").find("a.jpg"), std::string::npos);

    // Save writes to the album's file without asking; a cancelled Save As changes nothing.
    QFile::remove(QString::fromStdString(trip));
    Trigger(C::kSave);
    EXPECT_NE(dir.Read("trip.txt").find("a.jpg"), std::string::npos);
    Trigger(C::kSaveAs);
    EXPECT_EQ(frame->windowTitle(), U("trip - test_ui"));
    EXPECT_EQ(chooser.saves.size(), 2u);
}

// A CLI edit saved while the window held the album was overwritten by 上書き保存 without a
// word. The window now asks: キャンセル saves nothing, いいえ saves under another name.
TEST_F(WindowTest, SaveAsksBeforeReplacingAnAlbumFileChangedOnDisk) {
    std::string path = WriteAlbum({"a.jpg", "b.jpg"});
    frame->OpenAlbumFile(QString::fromStdString(path));
    Album outside;
    ScriptedInteraction ui;
    ASSERT_EQ(ReadAlbumFile(outside, path, nullptr).value_or({.entries = -1}).entries, 2);
    outside.style.TopTitle = "EDITED";
    ASSERT_EQ(WriteAlbumFile(outside, path).value_or(-1), 2);
    const std::string edited = dir.Read("album.txt");
    session->SetSelection({0});
    Trigger(C::kDelete);

    chooser.answers = {QMessageBox::Cancel};
    Trigger(C::kSave);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].text,
              QString::fromStdString(path) +
                  U("\nは、開いた後か前回保存した後に、ほかのプログラムで変更されています。\n"
                    "上書きすると、その変更は失われます。上書き保存しますか？\n\n"
                    "（名前を付けて保存する場合は [いいえ] を選択してください）"));
    EXPECT_EQ(chooser.messages[0].caption, U("保存確認"));
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Warning);
    EXPECT_EQ(chooser.messages[0].buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(chooser.saves.empty());
    EXPECT_TRUE(session->Core().album.modified);

    chooser.answers = {QMessageBox::No};
    std::string other = dir.path() + "/other.txt";
    chooser.saveFiles = {QString::fromStdString(other)};
    Trigger(C::kSave);
    EXPECT_EQ(chooser.saves.size(), 1u);
    EXPECT_EQ(dir.Read("album.txt"), edited);
    EXPECT_EQ(dir.Read("other.txt").find("a.jpg"), std::string::npos);
    EXPECT_NE(dir.Read("other.txt").find("b.jpg"), std::string::npos);
    EXPECT_EQ(frame->windowTitle(), U("other - test_ui"));
    EXPECT_FALSE(session->Core().album.modified);
}

// 名前を付けて保存 with a name typed without an extension wrote a file that 開く (*.txt) could
// not show. The extension is added, and a file already under the longer name is asked about.
TEST_F(WindowTest, SaveAsAddsTheExtensionToANameTypedWithoutOne) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg"})));
    chooser.saveFiles = {QString::fromStdString(dir.path() + "/trip")};
    Trigger(C::kSaveAs);
    EXPECT_NE(dir.Read("trip.txt").find("a.jpg"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(dir.path() + "/trip")));
    EXPECT_EQ(frame->windowTitle(), U("trip - test_ui"));
    EXPECT_TRUE(chooser.messages.empty());

    // No: the chooser comes again, on the longer name; Yes replaces the file.
    dir.Write("other.txt", "kept");
    const QString other = QString::fromStdString(dir.path() + "/other");
    chooser.saveFiles = {other, std::nullopt, other};
    chooser.answers = {QMessageBox::No, QMessageBox::Yes};
    Trigger(C::kSaveAs);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].text, other + U(".txt は既に存在します。\n上書きしますか？"));
    EXPECT_EQ(chooser.messages[0].caption, U("名前を付けて保存の確認"));
    EXPECT_EQ(chooser.messages[0].buttons, QMessageBox::Yes | QMessageBox::No);
    ASSERT_EQ(chooser.saves.size(), 3u);
    EXPECT_EQ(chooser.saves[2].proposedPath, other + ".txt");
    EXPECT_EQ(dir.Read("other.txt"), "kept");
    Trigger(C::kSaveAs);
    EXPECT_NE(dir.Read("other.txt").find("a.jpg"), std::string::npos);
    EXPECT_EQ(frame->windowTitle(), U("other - test_ui"));
}

TEST_F(WindowTest, OpenReadsTheChosenFileAndAnUnreadableOneLeavesAnEmptyAlbum) {
    chooser.openFiles.push_back(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg"})));
    Trigger(C::kOpen);
    ASSERT_EQ(chooser.openFilters.size(), 1u);
    EXPECT_EQ(chooser.openFilters[0][0], U("ﾃｷｽﾄﾌｧｲﾙ(ﾀﾌﾞ区切り) (*.txt)"));
    EXPECT_EQ(session->State().entries, 2);
    EXPECT_EQ(frame->windowTitle(), U("album - test_ui"));

    // As from the command line at start-up.
    Start();
    std::string missing = dir.path() + "/missing.txt";
    frame->OpenAlbumFile(QString::fromStdString(missing));
    EXPECT_EQ(chooser.MessageTexts(), QStringList{U("入力ファイルを開けません(errno=2)\n") +
                                                  QString::fromStdString(missing)});
    EXPECT_EQ(chooser.messages[0].caption, U("オープンエラー"));
    EXPECT_EQ(session->State().entries, 0);
    EXPECT_EQ(frame->windowTitle(), U("無題 - Mirulane"));
}

TEST_F(WindowTest, APathWithAYenSignIsRefusedRatherThanReadAsAnotherFile) {
    // "¥" is the backslash in Shift-JIS, a separator: the album would read yen/album.txt.
    std::string other = WriteAlbum({"a.jpg"});
    std::filesystem::create_directory(dir.path() + "/yen");
    std::filesystem::copy_file(other, dir.path() + "/yen/album.txt");
    dir.Write("yen¥album.txt", "b.jpg\n");
    QString chosen = QString::fromStdString(dir.path() + "/yen¥album.txt");
    frame->OpenAlbumFile(chosen);
    EXPECT_EQ(
        chooser.MessageTexts(),
        QStringList{U("Shift-JIS で表せない文字か「\\」を含むパスは使用できません\n") + chosen});
    EXPECT_EQ(session->State().entries, 0);
}

TEST_F(WindowTest, ClosingAsksToSaveThenWritesTheProfileAndRemovesThePreviewFile) {
    QString preview = session->PreviewFilePath();
    QFileInfo info(preview);
    EXPECT_TRUE(info.fileName().startsWith("Mrl")) << preview.toStdString();
    EXPECT_EQ(info.suffix(), "html");
    EXPECT_FALSE(info.exists());
    QFile written(preview);  // as the preview pane writes it
    ASSERT_TRUE(written.open(QIODevice::WriteOnly));
    written.close();

    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg"})));
    session->SetSelection({0});
    frame->UpdateCommandStates();
    Trigger(C::kDelete);  // modified
    EXPECT_FALSE(OptionsWritten());
    // Quitting can be taken back: キャンセル (or Escape) keeps the window and the edits.
    chooser.answers.push_back(QMessageBox::Cancel);
    Trigger(C::kExit);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_TRUE(session->Core().album.modified);
    EXPECT_FALSE(OptionsWritten());
    EXPECT_TRUE(QFileInfo::exists(preview));
    chooser.messages.clear();
    chooser.answers.push_back(QMessageBox::Yes);
    Trigger(C::kExit);
    EXPECT_EQ(chooser.MessageTexts(), QStringList{U("編集中のリストを保存しますか？")});
    std::string album = dir.Read("album.txt");
    EXPECT_EQ(album.find("a.jpg"), std::string::npos);
    EXPECT_NE(album.find("b.jpg"), std::string::npos);
    EXPECT_NE(Profile().find("ShowHelp=1"), std::string::npos);  // the window was never shown
    EXPECT_NE(Profile().find("FontFaceName=MS UI Gothic"), std::string::npos);
    EXPECT_FALSE(QFileInfo::exists(preview));

    // Once: a second close writes nothing again.
    dir.Write("mirulane.ini", "");
    frame->close();
    frame.reset();
    session.reset();
    EXPECT_TRUE(Profile().empty());
}

TEST_F(WindowTest, DeleteKeyInTheListCountsAsAnEditEvenWithNothingSelected) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg"})));
    QTest::keyClick(frame->ListPane(), Qt::Key_Delete);
    EXPECT_EQ(session->State().entries, 1);
    Trigger(C::kNew);
    EXPECT_EQ(chooser.MessageTexts(), QStringList{U("編集中のリストを保存しますか？")});
}

TEST_F(WindowTest, HelpOpensTheTopicOfTheHelpContext) {
    Trigger(C::kHelp);
    session->SetHelpContext(kHelpMainWindowAgain);
    Trigger(C::kHelp);
    session->SetHelpContext(kHelpEnvPreviewPane);
    Trigger(C::kHelp);
    session->SetHelpContext(kHelpBatchEdit);
    Trigger(C::kHelp);
    session->SetHelpContext(kHelpTemplateStrings);
    Trigger(C::kHelp);
    session->SetHelpContext(99);
    Trigger(C::kHelp);
    QStringList pages;
    for (const QUrl& url : chooser.openedUrls) {
        EXPECT_TRUE(QFileInfo::exists(url.toLocalFile())) << url.toString().toStdString();
        pages << url.fileName();
    }
    EXPECT_EQ(pages, (QStringList{"index.html", "index.html", "040103.html", "040500.html",
                                  "060000.html", "index.html"}));
}

TEST(HelpFolder, InstalledPagesComeBeforeTheSourceTree) {
    fixtures::TempDir prefix;
    prefix.Write("bin/mirulane", "");
    QString bin = QString::fromStdString(prefix.path() + "/bin");
    QString source = HelpFolder(bin);
    EXPECT_TRUE(QFileInfo::exists(source + "/040500.html")) << source.toStdString();
    prefix.Write("share/mirulane/help/index.html", "");
    const QString installed = QString::fromStdString(prefix.path() + "/share/mirulane/help");
    EXPECT_EQ(HelpFolder(bin), installed);
    // A topic missing from the installation leaves its contents page; with no pages at all,
    // help asked for is said missing rather than doing nothing.
    EXPECT_EQ(HelpUrlIn(installed, kHelpFileInfo).fileName(), "index.html");
    EXPECT_TRUE(HelpUrlIn(QString::fromStdString(prefix.path() + "/bin"), kHelpFileInfo).isEmpty());
    ScriptedChooser chooser;
    OpenHelpPage(chooser, nullptr, QUrl());
    EXPECT_TRUE(chooser.openedUrls.empty());
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Warning);
    EXPECT_TRUE(chooser.MessageTexts()[0].contains(U("ヘルプのページが見つかりません")));
}

TEST_F(WindowTest, F1InTheWindowOpensHelpAndF6MovesBetweenThePanes) {
    // No browser starts: the help asked for opens in the program's own help window; the first
    // show's unasked help stays quiet.
    chooser.browserFails = true;
    frame->show();
    QApplication::setActiveWindow(frame.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    EXPECT_EQ(chooser.openedUrls.size(), 1u);
    EXPECT_EQ(frame->findChild<HelpWindow*>(), nullptr);
    chooser.openedUrls.clear();  // the first show's help
    frame->ListPane()->setFocus();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    ASSERT_EQ(chooser.openedUrls.size(), 1u);
    EXPECT_EQ(chooser.openedUrls[0].fileName(), "index.html");
    EXPECT_TRUE(chooser.messages.empty());
    auto* help = frame->findChild<HelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->Browser()->source(), chooser.openedUrls[0]);
    EXPECT_EQ(help->windowTitle(), U("Mirulane ヘルプ"));
    // The page's own links lead on inside the window, and 戻る and 目次 come back.
    help->Browser()->setSource(QUrl(QStringLiteral("040500.html")));
    EXPECT_EQ(help->Browser()->source().fileName(), "040500.html");
    EXPECT_FALSE(help->Browser()->toPlainText().isEmpty());
    EXPECT_NE(help->windowTitle(), U("Mirulane ヘルプ"));
    help->findChild<QPushButton*>("helpBack")->click();
    EXPECT_EQ(help->Browser()->source(), chooser.openedUrls[0]);
    help->Browser()->setSource(QUrl(QStringLiteral("040101.html")));
    help->findChild<QPushButton*>("helpContents")->click();
    EXPECT_EQ(help->Browser()->source().fileName(), "index.html");
    // F1 again shows the same window, not a second one.
    help->close();
    QTest::keyClick(frame.get(), Qt::Key_F1);
    EXPECT_EQ(frame->findChildren<HelpWindow*>().size(), 1);
    EXPECT_TRUE(help->isVisible());
    help->close();

    QTest::keyClick(frame->ListPane(), Qt::Key_F6);
    EXPECT_TRUE(frame->PreviewPane()->hasFocus());
    QTest::keyClick(frame->PreviewPane(), Qt::Key_F6);
    EXPECT_TRUE(frame->ListPane()->hasFocus());
    QTest::keyClick(frame->ListPane(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(frame->PreviewPane()->hasFocus());
}

TEST_F(WindowTest, FirstShowOpensTheHelpOnceAndTheNextRunDoesNot) {
    frame->show();
    frame->hide();
    frame->show();
    ASSERT_EQ(chooser.openedUrls.size(), 1u);
    EXPECT_EQ(chooser.openedUrls[0].fileName(), "index.html");
    frame->close();
    EXPECT_NE(Profile().find("ShowHelp=0"), std::string::npos);

    Start();
    frame->show();
    EXPECT_EQ(chooser.openedUrls.size(), 1u);
}

TEST_F(WindowTest, FontDialogChangesTheListAtOnceAndTheProfileAtExit) {
    // The stored default: 12 pixels at 96 dpi.
    EXPECT_DOUBLE_EQ(frame->ListPane()->font().pointSizeF(), 9.0);
    Trigger(C::kFont);  // cancelled
    ASSERT_EQ(chooser.fontsOffered.size(), 1u);
    EXPECT_EQ(chooser.fontsOffered[0].family(), "MS UI Gothic");
    EXPECT_DOUBLE_EQ(frame->ListPane()->font().pointSizeF(), 9.0);

    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSizeF(15);
    chosen.setBold(true);
    chooser.fonts.push_back(chosen);
    Trigger(C::kFont);
    EXPECT_EQ(frame->ListPane()->font().family(), "DejaVu Sans");
    EXPECT_DOUBLE_EQ(frame->ListPane()->font().pointSizeF(), 15.0);
    // The thumbnail view writes its names in the same font.
    EXPECT_EQ(frame->ThumbnailPane()->font(), frame->ListPane()->font());
    EXPECT_TRUE(Profile().empty());
    frame->close();
    std::string profile = Profile();
    EXPECT_NE(profile.find("FontHeight=-20"), std::string::npos);
    EXPECT_NE(profile.find("FontWeight=700"), std::string::npos);
    EXPECT_NE(profile.find("FontCharSet=128"), std::string::npos);
    EXPECT_NE(profile.find("FontFaceName=DejaVu Sans"), std::string::npos);

    Start();
    EXPECT_EQ(frame->ListPane()->font().family(), "DejaVu Sans");
    EXPECT_EQ(frame->ThumbnailPane()->font().family(), "DejaVu Sans");
}

TEST_F(WindowTest, PreviewModesAreRadioItemsKeptInTheProfile) {
    EXPECT_TRUE(Action(C::kShowImage)->isChecked());
    Trigger(C::kListPreview);
    EXPECT_EQ(session->State().previewMode, PreviewMode::ListPage);
    EXPECT_FALSE(Action(C::kShowImage)->isChecked());
    EXPECT_TRUE(Action(C::kListPreview)->isChecked());
    Trigger(C::kListPreview);  // the same mode again stays chosen
    EXPECT_TRUE(Action(C::kListPreview)->isChecked());
    Trigger(C::kDetailPreview);
    frame->close();
    EXPECT_NE(Profile().find("EnvPreView=1"), std::string::npos);
    Start();
    EXPECT_TRUE(Action(C::kDetailPreview)->isChecked());
}

TEST_F(WindowTest, ToolbarAndStatusBarCanBeHidden) {
    frame->show();
    Trigger(C::kToolBar);
    EXPECT_FALSE(frame->ToolBar()->isVisible());
    EXPECT_FALSE(Action(C::kToolBar)->isChecked());
    Trigger(C::kStatusBar);
    EXPECT_FALSE(frame->statusBar()->isVisible());
    Trigger(C::kToolBar);
    EXPECT_TRUE(frame->ToolBar()->isVisible());
}

TEST_F(WindowTest, AboutShowsTheIconNameAndVersion) {
    Trigger(C::kAbout);
    ASSERT_EQ(chooser.dialogs.size(), 1u);
    EXPECT_EQ(chooser.dialogs[0].title, U("バージョン情報"));
    EXPECT_TRUE(chooser.dialogs[0].texts.contains("Mirulane"));
    EXPECT_TRUE(chooser.dialogs[0].texts.contains("Version 1.3.0.0"));
}

TEST_F(WindowTest, EveryDialogCommandOpensItsDialog) {
    frame->OpenAlbumFile(QString::fromStdString(WriteAlbum({"a.jpg", "b.jpg"})));
    session->SetSelection({0, 1});
    frame->UpdateCommandStates();
    for (C::Command c : {C::kEditFileInfo, C::kBatchEdit, C::kReacquireExif, C::kExtractThumbnails,
                         C::kPageOptions, C::kEnvironment}) {
        Trigger(c);
    }
    QStringList titles;
    for (const auto& d : chooser.dialogs) titles << d.title;
    EXPECT_EQ(titles,
              (QStringList{U("情報設定"), U("詳細情報の一括設定"), U("Exif情報の再取得"),
                           U("サムネイルの抽出"), U("ページ作成オプション"), U("動作環境の設定")}));
    EXPECT_TRUE(chooser.MessageTexts().isEmpty());
}

TEST_F(WindowTest, CreateHtmlWritesTheAlbumOffersItAndAsksBeforeReplacingPages) {
    chooser.folders.push_back(QString::fromStdString(PhotoFolder(2)));
    Trigger(C::kTargetFolder);
    chooser.answers.push_back(QMessageBox::Yes);
    Trigger(C::kCreateHtml);
    ASSERT_EQ(chooser.MessageTexts(),
              QStringList{U("HTMLページを作成しました\n\nブラウザで表示してみますか？　　")});
    ASSERT_EQ(chooser.openedUrls.size(), 1u);
    EXPECT_EQ(chooser.openedUrls[0],
              QUrl::fromLocalFile(QString::fromStdString(dir.path() + "/trip/index.html")));

    // Again, after a hand edit of the top page (a page the program wrote and nobody touched is
    // replaced without a question): it is asked about with its facts; Cancel stops the run.
    {
        std::ofstream edit(dir.path() + "/trip/index.html", std::ios::app | std::ios::binary);
        edit << "<!-- edited -->\r\n";
    }
    chooser.dialogResults.push_back(QDialog::Rejected);
    Trigger(C::kCreateHtml);
    ASSERT_EQ(chooser.dialogs.size(), 1u);
    EXPECT_EQ(chooser.dialogs[0].title, U("ファイルの上書き確認"));
    QStringList texts = chooser.dialogs[0].texts;
    EXPECT_TRUE(texts.contains(U("ファイルが既に存在します。\n上書きしますか？")));
    EXPECT_TRUE(texts.contains(QString::fromStdString(dir.path() + "/trip")));
    EXPECT_TRUE(texts.contains("index.html"));
    qint64 size = QFileInfo(QString::fromStdString(dir.path() + "/trip/index.html")).size();
    EXPECT_TRUE(texts.contains(SizeText(size)));
    EXPECT_EQ(chooser.MessageTexts().last(), U("HTMLページの作成に失敗しました"));
}

// The scan works on a thread of its own while the window's thread goes on with its events;
// meanwhile the run owns the album: the commands are off, and the list pane's Delete key and
// header clicks change nothing. Once the scan is done the album holds what it found, and the
// same key deletes.
TEST_F(WindowTest, NoCommandChangesTheAlbumWhileAScanOwnsIt) {
    const std::string trip = PhotoFolder(40);
    chooser.folders.push_back(QString::fromStdString(trip));
    Trigger(C::kTargetFolder);
    ASSERT_EQ(session->State().entries, 40);
    Album& album = session->Core().album;
    session->SetSelection({0, 1, 2, 3, 4});
    album.fileName = dir.path() + "/trip.txt";
    PhotoFolder(80);
    // Told at the end of the scan, on the window's thread, while the scan waits.
    dir.Write("trip/line\nbreak.jpg", "x");
    // Left out by the filter: said in the status bar, in no box.
    dir.Write("trip/notes.xyz", "x");

    bool tried = false;
    chooser.whileShown = [&] {
        tried = true;
        EXPECT_TRUE(session->State().runOwnsAlbum);
        for (C::Command c : {C::kNew, C::kOpen, C::kSave, C::kSaveAs, C::kTargetFolder, C::kRefresh,
                             C::kCreateHtml, C::kSelectAll, C::kDelete, C::kExtractThumbnails}) {
            EXPECT_FALSE(Action(c)->isEnabled()) << Action(c)->objectName().toStdString();
            Action(c)->trigger();
        }
        QTest::keyClick(frame->ListPane(), Qt::Key_Delete);
        emit frame->ListPane()->SortRequested(COL_TITLE);
        EXPECT_EQ(album.entries.Count(), 40);
        EXPECT_EQ(album.entries.SelectedCount(), 5);
    };
    Trigger(C::kRefresh);
    chooser.whileShown = nullptr;
    EXPECT_TRUE(tried);
    EXPECT_FALSE(session->State().runOwnsAlbum);
    EXPECT_TRUE(Action(C::kNew)->isEnabled());
    EXPECT_EQ(chooser.folderTitles.size(), 1u);
    EXPECT_TRUE(chooser.saves.empty());
    EXPECT_EQ(album.entries.Count(), 80);
    EXPECT_EQ(album.entries.Field(0, COL_FILE), "IMG_1000.jpg");
    EXPECT_EQ(album.entries.Field(79, COL_FILE), "IMG_1079.jpg");
    EXPECT_EQ(album.entries.SelectedCount(), 5);
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_TRUE(chooser.messages[0].text.contains(U("line\\nbreak.jpg")))
        << chooser.messages[0].text.toStdString();
    EXPECT_EQ(Status(StatusPane::Message), U("フィルタで除外: xyz 1件"));
    EXPECT_EQ(album.sortColumn, COL_FILE);
    EXPECT_EQ(album.fileName, dir.path() + "/trip.txt");
    EXPECT_FALSE(QFileInfo::exists(QString::fromStdString(album.fileName)));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QTest::keyClick(frame->ListPane(), Qt::Key_Delete);
    EXPECT_EQ(album.entries.Count(), 75);
}

// The close box while the pages are written asks the run to stop after the page in hand; the
// window closes once it has, with its save prompt. The pages after the stop are not written,
// and nothing half-written stays.
TEST_F(WindowTest, TheCloseBoxDuringARunStopsItAndClosesTheWindowAfterwards) {
    chooser.folders.push_back(QString::fromStdString(PhotoFolder(30)));
    Trigger(C::kTargetFolder);
    Trigger(C::kCreateHtml);  // the first run: nothing to ask; "no" to the browser
    const PageStyle& style = session->Core().album.style;
    {
        std::ofstream edit(style.TopFolder + "/index.html", std::ios::app | std::ios::binary);
        edit << "<!-- edited -->\r\n";
    }
    for (int i = 0; i < 30; ++i) {
        std::filesystem::remove(style.DetailFolder + "/IMG_" + std::to_string(1000 + i) + ".html");
    }
    chooser.messages.clear();
    frame->show();
    bool asked = false;
    chooser.dialogScripts.push_back([&](QDialog& question) {
        asked = true;
        EXPECT_TRUE(frame->isVisible());
        frame->close();
        EXPECT_TRUE(frame->isVisible());
        for (QPushButton* b : question.findChildren<QPushButton*>()) {
            if (b->text() == U("はい(&Y)")) b->click();
        }
        return question.result();
    });
    chooser.answers = {QMessageBox::Ok, QMessageBox::No};  // the failure, then "don't save"
    Trigger(C::kCreateHtml);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(chooser.MessageTexts(), (QStringList{U("HTMLページの作成に失敗しました"),
                                                   U("編集中のリストを保存しますか？")}));
    std::ifstream top(style.TopFolder + "/index.html", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(top)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.find("<!-- edited -->"), std::string::npos);
    for (const auto& item : std::filesystem::directory_iterator(style.DetailFolder)) {
        const std::string name = item.path().filename().string();
        EXPECT_FALSE(name.ends_with(".html") && name != "index.html" && name != "list.html")
            << name;
        EXPECT_FALSE(name.starts_with(".mrl-")) << name;
    }
}

// The scan works on a thread of its own over a copy of the list: while it asks whether every
// entry of an emptied folder goes (on the window's thread), the list shows the album as it
// was, and No leaves the album exactly so.
TEST_F(WindowTest, ADeclinedRefreshOfAnEmptiedFolderLeavesTheAlbumAsItWas) {
    const std::string trip = PhotoFolder(40);
    chooser.folders.push_back(QString::fromStdString(trip));
    Trigger(C::kTargetFolder);
    ASSERT_EQ(session->State().entries, 40);
    Album& album = session->Core().album;
    album.entries.SetField(3, COL_TITLE, "typed");
    session->SetSelection({1, 2});
    album.modified = false;
    auto rows = [&] {
        std::vector<std::string> all;
        for (int i = 0; i < album.entries.Count(); ++i) {
            all.push_back(album.entries.Field(i, COL_FILE) + "|" +
                          album.entries.Field(i, COL_TITLE) + "|" +
                          (album.entries.IsSelected(i) ? "selected" : ""));
        }
        return all;
    };
    const std::vector<std::string> before = rows();
    std::filesystem::remove_all(trip);
    std::filesystem::create_directory(trip);

    QThread* askedOn = nullptr;
    int rowsShown = -1;
    bool owned = false;
    chooser.messages.clear();
    chooser.answers = {QMessageBox::No};
    chooser.whileShown = [&] {
        askedOn = QThread::currentThread();
        rowsShown = frame->ListPane()->model()->rowCount();
        owned = session->State().runOwnsAlbum;
    };
    Trigger(C::kRefresh);
    chooser.whileShown = nullptr;
    ASSERT_EQ(chooser.messages.size(), 1u);
    EXPECT_EQ(chooser.messages[0].caption, U("更新確認"));
    EXPECT_EQ(askedOn, QCoreApplication::instance()->thread());
    EXPECT_EQ(rowsShown, 40);
    EXPECT_TRUE(owned);
    EXPECT_FALSE(session->State().runOwnsAlbum);
    EXPECT_EQ(rows(), before);
    EXPECT_FALSE(album.modified);
    EXPECT_EQ(frame->ListPane()->model()->rowCount(), 40);
}

TEST(InitialPaneWidths, PreviewGets320OrBothHalves) {
    EXPECT_EQ(CMainFrame::InitialPaneWidths(1024), std::make_pair(704, 320));
    EXPECT_EQ(CMainFrame::InitialPaneWidths(321), std::make_pair(1, 320));
    EXPECT_EQ(CMainFrame::InitialPaneWidths(320), std::make_pair(160, 160));
    EXPECT_EQ(CMainFrame::InitialPaneWidths(300), std::make_pair(150, 150));
}

TEST_F(WindowTest, SplitterStartsWithThePreviewPane320Wide) {
    frame->show();
    QList<int> sizes = frame->Splitter()->sizes();
    ASSERT_EQ(sizes.size(), 2);
    EXPECT_EQ(sizes[1], 320);
    // Assistive technology reads the list first, then the preview.
    QAccessibleInterface* panes = QAccessible::queryAccessibleInterface(frame->Splitter());
    QStringList names;
    for (int i = 0; i < panes->childCount(); ++i) {
        QString name = panes->child(i)->text(QAccessible::Name);
        if (!name.isEmpty()) names << name;  // not the splitter's handle
    }
    EXPECT_EQ(names, (QStringList{U("リスト"), U("プレビュー")}));
}

}  // namespace
}  // namespace mirulane::ui::testing
