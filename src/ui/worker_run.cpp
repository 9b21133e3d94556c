#include "ui/worker_run.h"

#include <QEventLoop>
#include <QThread>
#include <exception>

#include "app/session.h"

namespace mirulane::ui {

void RunOffWindowThread(const std::function<void()>& work) {
    std::exception_ptr failure;
    QEventLoop loop;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    // Queued after everything the run sent before it ended, so the loop ends after those.
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit,
                     Qt::QueuedConnection);
    thread->start();
    loop.exec();
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}

std::unique_ptr<Session> CopyForRun(const Session& core) {
    auto copy = std::make_unique<Session>(core.ui);
    copy->settings = core.settings;
    copy->album.entries = core.album.entries;
    // The window's list model watches the original only.
    copy->album.entries.SetObserver(nullptr);
    copy->album.groups = core.album.groups;
    copy->album.style = core.album.style;
    copy->album.fileName = core.album.fileName;
    return copy;
}

}  // namespace mirulane::ui
