#pragma once
// Long runs started from the window work on a thread of their own, so that the window keeps
// repainting and answering while a slow picture decodes. The run gets a session of its own
// (copies of what it reads), so the window's album is never touched by two threads; the
// window puts the run's results in place once it has finished.

#include <functional>
#include <memory>
#include <string_view>

#include "app/folder_scan.h"

namespace mirulane {
struct Session;
}

namespace mirulane::ui {

// Runs work on a new thread and returns once it has finished; meanwhile the window's thread
// answers its events in a local event loop. Whatever work sent to the window's thread (texts,
// progress) has been delivered when this returns. An exception work throws is thrown again
// here.
void RunOffWindowThread(const std::function<void()>& work);

// A session for a run on another thread: the settings, the album's entries (with their
// selection), groups, page style and file name copied; the same interaction.
std::unique_ptr<Session> CopyForRun(const Session& core);

// A folder scan (ScanRunner) on a thread of its own, over a copy of the album's entries and
// groups: the list view never sees a half-scanned list. The album is busy meanwhile and takes
// the scan's entries at the end, as one reset of the list; a scan that left the list as it
// was (-1) changes nothing.
int ScanOffWindowThread(Album& album, std::string_view folder, ScanMode mode,
                        const Settings& settings, Interaction& ui);

}  // namespace mirulane::ui
