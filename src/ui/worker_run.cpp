#include "ui/worker_run.h"

#include <QEventLoop>
#include <QThread>
#include <exception>

#include "app/session.h"
#include "ui/qt_interaction.h"

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

int ScanOffWindowThread(Album& album, std::string_view folder, ScanMode mode,
                        const Settings& settings, Interaction& ui) {
    Album scanned;
    scanned.entries = album.entries;
    scanned.entries.SetObserver(nullptr);
    scanned.groups = album.groups;
    scanned.style = album.style;
    scanned.fileName = album.fileName;  // the album's own list file is no file left out
    const Settings copy = settings;
    const std::string where(folder);
    int result = -1;
    {
        BusyScope busy(album);
        if (auto* window = dynamic_cast<QtInteraction*>(&ui)) window->BeforeWorkerRun();
        RunOffWindowThread([&] { result = ScanFolder(scanned, where, mode, copy, ui); });
    }
    // A fresh scan has cleared the group names even when it failed.
    album.groups = std::move(scanned.groups);
    if (result < 0) return result;
    album.entries.ReplaceWith(std::move(scanned.entries));
    if (scanned.modified) album.modified = true;
    return result;
}

}  // namespace mirulane::ui
