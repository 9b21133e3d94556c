#pragma once
// One long run of the window (folder scan, page generation, Exif re-acquisition, thumbnail
// extraction) while it works on a thread of its own. The window's thread goes back to its
// event loop as soon as the run has started; the run works on copies of what it reads
// (CopyForRun), and its results are put in place on the window's thread once it has ended.
// While the object exists the run owns the album: the window's commands wait.

#include <QObject>
#include <QThread>
#include <exception>
#include <functional>
#include <memory>

namespace mirulane::ui {

class QtInteraction;

class AlbumRun : public QObject {
    Q_OBJECT
  public:
    // work runs on the new thread, finish on the window's thread after work has returned and
    // everything work sent to the window's thread before (texts, progress) has been delivered.
    AlbumRun(QtInteraction& ui, std::function<void()> work, std::function<void()> finish);
    // A run still working is asked to stop, and waited for.
    ~AlbumRun() override;

    void Start();
    // Asks the run to stop after the entry in hand (its progress answers Cancel from now on);
    // asked before Start, the run stops before its first entry.
    void Cancel();

  signals:
    // On the window's thread, after finish; the object is deleted soon after.
    void Finished();

  private:
    void End();

    QtInteraction& ui_;
    std::function<void()> work_;
    std::function<void()> finish_;
    std::unique_ptr<QThread> thread_;
    std::exception_ptr failure_;
};

}  // namespace mirulane::ui
