#pragma once
// What a long run of the window (AlbumRun) works on: a session of its own, with copies of what
// it reads, so that the window's album is never touched by two threads; and how the window's
// album takes what the run made of its copy once the run has ended.

#include <memory>

namespace mirulane {
struct Album;
struct Session;
}  // namespace mirulane

namespace mirulane::ui {

// A session for a run on another thread: the settings and the whole album (entries with their
// selection, groups, page style, file name, sort order) copied; the same interaction.
std::unique_ptr<Session> CopyForRun(const Session& core);

// The window's album takes the album a run made of its copy: the entries as one reset of the
// list (the list view keeps its place), and everything else.
void TakeRunAlbum(Album& album, Album&& ran);

}  // namespace mirulane::ui
