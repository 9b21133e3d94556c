#pragma once
// What the dialogs that run over the album's entries share ("Exif情報の再取得",
// "サムネイルの抽出"): the choice between all and the selected entries, a progress row hidden
// until the run, and the buttons "実行", "ｷｬﾝｾﾙ" and "ヘルプ". While the dialog is open the help
// context is its own (F1 and "ヘルプ" open its topic); while its run works the run's progress
// shows in the row, and "ｷｬﾝｾﾙ" (or Escape) stops the run after the entry in hand.

#include <QDialog>
#include <QList>
#include <QPointer>
#include <functional>
#include <memory>

#include "ui/album_run.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace Ui {
class RunDialog;
}

namespace mirulane::ui {

class DialogHelp;
class UiSession;

class RunDialog : public QDialog {
    Q_OBJECT
  public:
    ~RunDialog() override;

    QRadioButton* AllButton() const;
    QRadioButton* SelectedButton() const;
    QPushButton* RunButton() const { return run_; }
    QWidget* ProgressRow() const;
    QLabel* ProgressLabel() const;
    QProgressBar* ProgressBar() const;
    QLabel* Counter() const;
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

    // Fills in the form: note, the two choices, fields (may be null), the progress row, the
    // buttons. The row's label shows busyText while the run works and doneText once every
    // entry is done.
    void Build(const QString& note, QWidget* fields, const QString& busyText,
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

    UiSession& session_;

  private:
    void ShowProgress(int done, int total);
    // What the run disables: everything but the progress row and ｷｬﾝｾﾙ.
    QList<QWidget*> ControlsOffDuringRun() const;
    void RunEnd(bool close, const std::function<void(bool)>& finish);

    std::unique_ptr<Ui::RunDialog> form_;
    std::unique_ptr<DialogHelp> help_;
    QPointer<AlbumRun> working_;
    QList<QPointer<QWidget>> disabled_;  // what the run disabled
    int shownDone_ = 0;                  // the figures the row shows last
    int shownTotal_ = 0;
    QString busyText_;
    QString doneText_;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace mirulane::ui
