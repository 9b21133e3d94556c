#include "ui/album_run.h"

#include <sys/resource.h>

#include "ui/qt_interaction.h"

namespace mirulane::ui {
namespace {

constexpr int kRunNice = 10;

}  // namespace

AlbumRun::AlbumRun(QtInteraction& ui, std::function<void()> work, std::function<void()> finish)
    : ui_(ui), work_(std::move(work)), finish_(std::move(finish)) {
    // A cancel asked from now on, even before the thread starts, is the run's.
    ui_.BeginRun();
}

AlbumRun::~AlbumRun() {
    if (!thread_) return;
    ui_.AskCancel();
    thread_->wait();
}

void AlbumRun::Start() {
    thread_.reset(QThread::create([this] {
        // The run, and the threads it starts (which inherit this), give way to the window's
        // thread: on a machine with few cores the window still answers at once while every
        // core decodes pictures. On Linux the nice value is the calling thread's own.
        setpriority(PRIO_PROCESS, 0, kRunNice);
        try {
            work_();
        } catch (...) {
            failure_ = std::current_exception();
        }
    }));
    // Queued after everything the run sent before it ended, so finish comes after those.
    connect(thread_.get(), &QThread::finished, this, &AlbumRun::End, Qt::QueuedConnection);
    thread_->start();
}

void AlbumRun::Cancel() { ui_.AskCancel(); }

void AlbumRun::End() {
    thread_->wait();
    thread_.reset();
    deleteLater();
    // A run that failed with an exception puts nothing in place; the failure goes on to the
    // window's event loop, as it would have from a command that worked there.
    if (!failure_) finish_();
    ui_.EndRun();
    emit Finished();
    if (failure_) std::rethrow_exception(failure_);
}

}  // namespace mirulane::ui
