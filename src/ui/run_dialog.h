#pragma once
// What the dialogs that run over the album's entries share ("Exif情報の再取得",
// "サムネイルの抽出"): the choice between all and the selected entries, a progress row hidden
// until the run, and the buttons "実行", "ｷｬﾝｾﾙ" and "ヘルプ". While the dialog is open the help
// context is its own (F1 and "ヘルプ" open its topic); while its run works on a thread of its
// own the dialog's event loop goes on, the run's progress shows in the row, and "ｷｬﾝｾﾙ" (or
// Escape, or the close box) asks the run to stop after the entry in hand.

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>

#include "ui/album_run.h"

class QLabel;
class QLayout;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace mirulane::ui {

class UiSession;

class RunDialog : public QDialog {
    Q_OBJECT
  public:
    ~RunDialog() override;

    QRadioButton* AllButton() const { return all_; }
    QRadioButton* SelectedButton() const { return selected_; }
    QPushButton* RunButton() const { return run_; }
    QWidget* ProgressRow() const { return row_; }
    QLabel* ProgressLabel() const { return label_; }
    QProgressBar* ProgressBar() const { return bar_; }
    QLabel* Counter() const { return counter_; }
    // The dialog's run while it works, else null.
    AlbumRun* Working() const { return working_; }

    // While the run works: asks it to stop; the dialog stays until it has.
    void reject() override;

  signals:
    // On the window's thread, with the dialog's controls disabled, just before its run's
    // thread starts.
    void RunStarting();

  protected:
    RunDialog(UiSession& session, QWidget* parent, const QString& title, int helpContext);

    // Lays the dialog out: note, the two choices, fields (may be null), the progress row, the
    // buttons. The row's label shows busyText while the run works and doneText once every
    // entry is done.
    void Build(const QString& note, QLayout* fields, const QString& busyText,
               const QString& doneText);
    bool SelectedOnly() const;
    // Starts the dialog's run on a thread of its own (UiSession::StartRun) with its progress in
    // the row, and returns. Once run has returned, finish gets what it returned, on the
    // window's thread, and puts the results in place; then the dialog closes as confirmed
    // when run returned true, and is as it was before otherwise. run must touch no widget and
    // nothing of the window's session: it gets copies (CopyForRun).
    void RunWithProgress(std::function<bool()> run, std::function<void(bool)> finish);
    // "実行"
    virtual void Execute() = 0;

    void keyPressEvent(QKeyEvent* e) override;

    UiSession& session_;

  private:
    void OpenHelp();
    void ShowProgress(int done, int total);

    void RunEnd(bool close, const std::function<void(bool)>& finish);

    int savedHelpContext_;
    QPointer<AlbumRun> working_;
    QList<QPointer<QWidget>> disabled_;  // what the run disabled
    QString busyText_;
    QString doneText_;
    QRadioButton* all_ = nullptr;
    QRadioButton* selected_ = nullptr;
    QWidget* row_ = nullptr;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QLabel* counter_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace mirulane::ui
