#include "ui/worker_run.h"

#include "app/session.h"

namespace mirulane::ui {

std::unique_ptr<Session> CopyForRun(const Session& core) {
    auto copy = std::make_unique<Session>(core.ui);
    copy->settings = core.settings;
    copy->album = core.album;
    // The window's list model watches the original only.
    copy->album.entries.SetObserver(nullptr);
    return copy;
}

void TakeRunAlbum(Album& album, Album&& ran) {
    // The entries keep the window's list model as their observer.
    album.entries.ReplaceWith(std::move(ran.entries));
    album.groups = std::move(ran.groups);
    album.modified = ran.modified;
    album.fileName = std::move(ran.fileName);
    album.style = std::move(ran.style);
    album.currentEntry = ran.currentEntry;
    album.sortColumn = ran.sortColumn;
    album.sortDescending = ran.sortDescending;
    album.stampPath = std::move(ran.stampPath);
    album.stamp = ran.stamp;
}

}  // namespace mirulane::ui
