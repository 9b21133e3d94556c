#pragma once
// The window's side of the core's questions: message boxes and the overwrite dialog (through
// the chooser, so tests answer them), status-bar texts, the wait cursor and the progress of
// long runs. A run working on a thread of its own calls it too: its questions are
// then asked on the window's thread (in whatever event loop that thread is in) while the run
// waits for the answer, and its texts and progress go there without waiting.

#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/interaction.h"
#include "ui/chooser.h"

class QProgressDialog;

namespace mirulane::ui {

class QtInteraction : public Interaction {
  public:
    using StatusSink = std::function<void(StatusPane, const QString&)>;
    // Where a dialog shows the progress of its run, on the window's thread.
    using ProgressSink = std::function<void(int done, int total)>;

    explicit QtInteraction(Chooser& chooser);
    ~QtInteraction() override;

    // The window that owns the dialogs, and where status texts go.
    void SetWindow(QWidget* window) { window_ = window; }
    QWidget* Window() const { return window_; }
    void SetStatusSink(StatusSink sink) { sink_ = std::move(sink); }
    // A dialog that shows the progress of the run it started in a row of its own: the
    // progress goes there instead of into a progress dialog. Empty: the progress dialog again.
    void SetProgressSink(ProgressSink sink) { progressSink_ = std::move(sink); }

    // A run starts: nothing has asked it to stop yet.
    void BeginRun() { cancelAsked_ = false; }
    // Asks the run to stop: Progress answers Cancel from now on, on any thread, until the next
    // run begins. The progress dialog's button asks the same.
    void AskCancel() { cancelAsked_ = true; }

    MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                      MsgButtons buttons) override;
    OverwriteAnswer ConfirmOverwrite(std::string_view path) override;
    void SetStatus(StatusPane pane, std::string_view text) override;
    void SetWaitCursor(bool on) override;
    // Shows a progress dialog with a cancel button; Cancel once the user pressed it or the run
    // was asked to stop. With a progress sink: the sink shows it instead.
    ProgressAnswer Progress(int done, int total) override;
    // The names as the file system spells them (a name Shift-JIS cannot hold included).
    void WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                         std::string_view after) override;

    // Called when a command or run has finished: closes its progress dialog and turns off a
    // wait cursor a failed run may have left on.
    void EndRun();

  private:
    // The owner of a box or question: the dialog in front (a run started from a dialog asks
    // over it), else the window.
    QWidget* Owner() const;
    static bool OnWindowThread();
    void ShowProgressDialog(int done, int total);
    // On the window's thread: the figures a run on another thread sent last.
    void ShowPostedProgress();
    // Before a question: the progress box goes, so that it never covers the question.
    void PutProgressAside();

    Chooser& chooser_;
    QPointer<QWidget> window_;
    StatusSink sink_;
    ProgressSink progressSink_;
    bool waitCursor_ = false;
    // A child of the window, which may go first and take it along.
    QPointer<QProgressDialog> progress_;
    // A run on another thread reads the cancel and leaves its newest figures here.
    std::atomic<bool> cancelAsked_ = false;
    std::atomic<bool> updatePosted_ = false;
    std::atomic<int> shownDone_ = 0;
    std::atomic<int> shownTotal_ = 0;
};

}  // namespace mirulane::ui
