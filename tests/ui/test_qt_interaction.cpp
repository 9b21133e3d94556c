// The window's side of the core's questions, and the list font's way into the profile.

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QThread>
#include <QWidget>
#include <QtTest/QTest>
#include <atomic>
#include <thread>

#include "fixtures/image_builder.h"
#include "platform/cp932.h"
#include "scripted_chooser.h"
#include "ui/album_run.h"
#include "ui/list_font.h"
#include "ui/overwrite_dialog.h"
#include "ui/qt_interaction.h"
#include "window_fixture.h"

namespace mirulane::ui::testing {
namespace {

TEST(QtInteraction, MessageBoxesCarryTheirTextsAndAClosedBoxIsItsWayOut) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    chooser.answers = {QMessageBox::Yes, QMessageBox::NoButton, QMessageBox::NoButton};
    EXPECT_EQ(
        ui.Message(Sj("保存しますか？"), Sj("保存確認"), MsgIcon::Question, MsgButtons::YesNo),
        MsgAnswer::Yes);
    EXPECT_EQ(ui.Message(Sj("保存しますか？"), "", MsgIcon::Question, MsgButtons::YesNo),
              MsgAnswer::No);
    EXPECT_EQ(ui.Message(Sj("続けますか？"), "", MsgIcon::Stop, MsgButtons::OkCancel),
              MsgAnswer::Cancel);
    ASSERT_EQ(chooser.messages.size(), 3u);
    EXPECT_EQ(chooser.messages[0].caption, U("保存確認"));
    EXPECT_EQ(chooser.messages[0].text, U("保存しますか？"));
    EXPECT_EQ(chooser.messages[1].caption, "Mirulane");  // no caption: the program's name
    EXPECT_EQ(chooser.messages[2].icon, QMessageBox::Critical);
    EXPECT_EQ(chooser.messages[2].buttons, QMessageBox::Ok | QMessageBox::Cancel);
}

// The files a scan could not take are named as they are spelled, also those Shift-JIS cannot
// hold; a byte that is no UTF-8 is written out. Asked from a run's thread too.
TEST(QtInteraction, SkippedFilesAreNamedAsSpelled) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    std::thread run([&] {
        ui.WarnNamingFiles(Sj("次のファイル"), {"caf\xC3\xA9.jpg", "bad\xFF.jpg"}, Sj("（2 件）"));
    });
    while (chooser.messages.empty()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    run.join();
    EXPECT_EQ(chooser.messages[0].text, U("次のファイル\n  café.jpg\n  bad\\xFF.jpg\n（2 件）"));
    EXPECT_EQ(chooser.messages[0].icon, QMessageBox::Warning);
}

TEST(QtInteraction, OverwriteDialogAnswersAndAVanishedFileIsCancel) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    fixtures::TempDir dir;
    std::string page = dir.Write("index.html", std::string(1234, 'x'));
    chooser.dialogResults = {OverwriteDialog::Yes, OverwriteDialog::All, OverwriteDialog::No,
                             QDialog::Rejected};
    EXPECT_EQ(ui.ConfirmOverwrite(page), OverwriteAnswer::Yes);
    EXPECT_EQ(ui.ConfirmOverwrite(page), OverwriteAnswer::All);
    EXPECT_EQ(ui.ConfirmOverwrite(page), OverwriteAnswer::No);
    EXPECT_EQ(ui.ConfirmOverwrite(page), OverwriteAnswer::Cancel);
    ASSERT_EQ(chooser.dialogs.size(), 4u);
    EXPECT_TRUE(chooser.dialogs[0].texts.contains(U("1,234 バイト")));
    EXPECT_TRUE(chooser.dialogs[0].texts.contains(U("すべて上書き(&A)")));
    EXPECT_EQ(ui.ConfirmOverwrite(dir.path() + "/gone.html"), OverwriteAnswer::Cancel);
    EXPECT_EQ(chooser.dialogs.size(), 4u);
}

TEST(QtInteraction, OverwriteDialogTextsFollowTheirFormats) {
    EXPECT_EQ(SizeText(999), U("999 バイト"));
    EXPECT_EQ(SizeText(1234567), U("1,234,567 バイト"));
    QDateTime t(QDate(2024, 1, 5), QTime(9, 5, 3));
    EXPECT_EQ(CreationTimeText(t.toSecsSinceEpoch()), U("2024年  1月  5日  9:05:03"));
}

TEST(QtInteraction, StatusTextsReachTheirPanesAsUnicode) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    std::vector<std::pair<StatusPane, QString>> shown;
    ui.SetStatusSink([&](StatusPane p, const QString& t) { shown.emplace_back(p, t); });
    Interaction& core = ui;
    core.SetStatus(StatusPane::TargetFolder, Sj("写真/旅行"));
    ui.SetStatus(StatusPane::RowCount, Sj("選択     2 行"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], std::make_pair(StatusPane::TargetFolder, U("写真/旅行")));
    EXPECT_EQ(shown[1], std::make_pair(StatusPane::RowCount, U("選択     2 行")));
}

TEST(QtInteraction, ProgressAnswersCancelOnceTheUserCancelled) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    // The window goes before the interaction, taking a progress dialog still open with it.
    QWidget window;
    ui.SetWindow(&window);
    EXPECT_EQ(ui.Progress(1, 10), ProgressAnswer::Continue);
    auto* dialog = window.findChild<QProgressDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->maximum(), 10);
    EXPECT_EQ(dialog->value(), 1);
    dialog->cancel();
    EXPECT_EQ(ui.Progress(2, 10), ProgressAnswer::Cancel);
    ui.EndRun();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    EXPECT_EQ(ui.Progress(0, 0), ProgressAnswer::Continue);  // a new run starts afresh
    EXPECT_EQ(window.findChild<QProgressDialog*>()->maximum(), 0);
}

// Runs work as the window runs its long runs, on a thread of its own, while the window's thread
// stays in its event loop, until the run has finished.
void RunAndWait(QtInteraction& ui, std::function<void()> work) {
    bool finished = false;
    auto* run = new AlbumRun(ui, std::move(work), [&] { finished = true; });
    run->Start();
    QDeadlineTimer deadline(30000);
    while (!finished && !deadline.hasExpired()) QTest::qWait(1);
    ASSERT_TRUE(finished);
}

TEST(QtInteraction, AQuestionIsNeverCoveredByTheProgressBox) {
    // The box shows itself seconds after a run started: had it stayed, it would open over the
    // run's last question ("ブラウザで表示してみますか？") after the run had ended.
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    QWidget window;
    ui.SetWindow(&window);
    ui.Progress(10, 10);
    ASSERT_NE(window.findChild<QProgressDialog*>(), nullptr);
    ui.Message("?", "", MsgIcon::Question, MsgButtons::YesNo);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    EXPECT_EQ(ui.Progress(1, 2), ProgressAnswer::Continue);  // a later step brings a new one
    EXPECT_EQ(window.findChild<QProgressDialog*>()->maximum(), 2);
    ui.EndRun();
}

// A chooser that notes the thread each question is asked on.
class ThreadNotingChooser : public ScriptedChooser {
  public:
    std::vector<QThread*> threads;
    std::function<void()> onMessage;
    QMessageBox::StandardButton Message(QWidget* parent, QMessageBox::Icon icon,
                                        const QString& caption, const QString& text,
                                        QMessageBox::StandardButtons buttons) override {
        threads.push_back(QThread::currentThread());
        if (onMessage) onMessage();
        return ScriptedChooser::Message(parent, icon, caption, text, buttons);
    }
    int Exec(QDialog& dialog) override {
        threads.push_back(QThread::currentThread());
        return ScriptedChooser::Exec(dialog);
    }
};

// A run on another thread, the window's thread in its event loop meanwhile: its questions are
// asked on the window's thread and their answers reach the run; texts and progress are shown
// there, in the order the run sent them and before a later question; a cancel the window asks
// for is the run's answer from then on.
TEST(QtInteraction, ARunOnAnotherThreadIsAnsweredOnTheWindowsThread) {
    ThreadNotingChooser chooser;
    QtInteraction ui(chooser);
    fixtures::TempDir dir;
    std::string page = dir.Write("index.html", "x");
    chooser.answers = {QMessageBox::No, QMessageBox::Ok};
    chooser.dialogResults = {OverwriteDialog::All};
    QThread* const window = QCoreApplication::instance()->thread();
    std::vector<QThread*> shownOn;
    std::vector<QString> texts;
    ui.SetStatusSink([&](StatusPane, const QString& text) {
        shownOn.push_back(QThread::currentThread());
        texts.push_back(text);
    });
    std::vector<std::pair<int, int>> progress;
    ui.SetProgressSink([&](int done, int total) {
        shownOn.push_back(QThread::currentThread());
        progress.emplace_back(done, total);
    });
    // The user cancels while the second box is open.
    chooser.onMessage = [&] {
        if (chooser.threads.size() == 3) ui.AskCancel();
    };
    QThread* runOn = nullptr;
    MsgAnswer asked = MsgAnswer::Cancel;
    OverwriteAnswer overwrite = OverwriteAnswer::Cancel;
    std::vector<ProgressAnswer> answers;
    RunAndWait(ui, [&] {
        runOn = QThread::currentThread();
        asked = ui.Message(Sj("続けますか？"), "", MsgIcon::Question, MsgButtons::YesNo);
        overwrite = ui.ConfirmOverwrite(page);
        ui.SetStatus(StatusPane::TargetFolder, Sj("写真"));
        answers.push_back(ui.Progress(0, 3));
        answers.push_back(ui.Progress(1, 3));
        // The box waits until the window has shown everything sent before it.
        ui.Message(Sj("途中です"), "", MsgIcon::Information, MsgButtons::Ok);
        answers.push_back(ui.Progress(2, 3));
    });
    EXPECT_NE(runOn, window);
    EXPECT_EQ(asked, MsgAnswer::No);
    EXPECT_EQ(overwrite, OverwriteAnswer::All);
    EXPECT_EQ(chooser.threads, std::vector<QThread*>(3, window));
    EXPECT_EQ(chooser.MessageTexts(), (QStringList{U("続けますか？"), U("途中です")}));
    EXPECT_EQ(texts, std::vector<QString>{U("写真")});
    EXPECT_EQ(progress, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_EQ(shownOn, std::vector<QThread*>(4, window));
    EXPECT_EQ(answers,
              (std::vector<ProgressAnswer>{ProgressAnswer::Continue, ProgressAnswer::Continue,
                                           ProgressAnswer::Cancel}));
    ui.SetProgressSink({});
}

// A run on another thread without a dialog of its own: its progress goes into the window's
// progress dialog, the newest figures shown, and the dialog's cancel button is the run's
// answer from then on.
TEST(QtInteraction, ARunOnAnotherThreadShowsItsProgressInTheProgressDialog) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    QWidget window;
    ui.SetWindow(&window);
    int maximum = -1;
    int value = -1;
    auto look = [&] {
        auto* dialog = window.findChild<QProgressDialog*>();
        ASSERT_NE(dialog, nullptr);
        maximum = dialog->maximum();
        value = dialog->value();
        for (QPushButton* b : dialog->findChildren<QPushButton*>()) b->click();
    };
    std::vector<ProgressAnswer> answers;
    RunAndWait(ui, [&] {
        for (int k = 0; k < 50; ++k) answers.push_back(ui.Progress(k, 50));
        // Behind the figures on their way: the window's thread looks once they are shown.
        QMetaObject::invokeMethod(QCoreApplication::instance(), look, Qt::BlockingQueuedConnection);
        answers.push_back(ui.Progress(50, 50));
    });
    EXPECT_EQ(maximum, 50);
    EXPECT_EQ(value, 49);
    std::vector<ProgressAnswer> expected(50, ProgressAnswer::Continue);
    expected.push_back(ProgressAnswer::Cancel);
    EXPECT_EQ(answers, expected);
    ui.EndRun();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

TEST(QtInteraction, WaitCursorIsOnOrOffNotNested) {
    ScriptedChooser chooser;
    QtInteraction ui(chooser);
    ui.SetWaitCursor(true);
    ui.SetWaitCursor(true);  // again while on
    ui.SetWaitCursor(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui.SetWaitCursor(true);
    ui.EndRun();  // a run that failed before turning it off
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(ListFont, StoredDescriptionAndQFontMapBothWays) {
    FontRecord stored;  // the defaults: 12 pixels, normal weight, "MS UI Gothic"
    QFont font = ToQFont(stored);
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.0);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_EQ(font.family(), "MS UI Gothic");
    // A face the system lacks falls back to one with Japanese glyphs.
    EXPECT_TRUE(font.families().contains("Noto Sans CJK JP"));
    EXPECT_EQ(FromQFont(font, stored), stored);

    FontRecord odd = stored;
    odd.width = 7;
    odd.escapement = 900;
    odd.charSet = 1;
    odd.quality = 5;
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSizeF(10.5);
    chosen.setWeight(QFont::DemiBold);
    chosen.setItalic(true);
    chosen.setUnderline(true);
    std::optional<FontRecord> chosenRecord = FromQFont(chosen, odd);
    ASSERT_TRUE(chosenRecord);
    const FontRecord& back = *chosenRecord;
    EXPECT_EQ(back.height, -14);
    EXPECT_EQ(back.weight, 600);
    EXPECT_EQ(back.italic, 1);
    // The list has no text effects: an underline is neither taken from a font nor drawn.
    EXPECT_EQ(back.underline, 0);
    EXPECT_EQ(back.strikeOut, 0);
    odd.underline = 1;
    odd.strikeOut = 1;
    EXPECT_FALSE(ToQFont(odd).underline());
    EXPECT_FALSE(ToQFont(odd).strikeOut());
    EXPECT_EQ(back.faceName, "DejaVu Sans");
    // What a QFont does not carry stays as it was stored.
    EXPECT_EQ(back.width, 7);
    EXPECT_EQ(back.escapement, 900);
    EXPECT_EQ(back.charSet, 1);
    EXPECT_EQ(back.quality, 5);
}

}  // namespace
}  // namespace mirulane::ui::testing
