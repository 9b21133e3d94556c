#pragma once
// The rules a window applies to its album commands: which of them the album's state allows,
// and what the preview shows when its mode changes. Plain functions over the session, so that
// every front end that shows commands applies the same rules.

#include "app/session.h"

namespace mirulane {

// What the enabling rules look at.
struct AlbumState {
    int entries = 0;
    int selected = 0;
    bool hasTargetFolder = false;
    PreviewMode previewMode = PreviewMode::Picture;  // EnvPreView
    // A long run of the front end works on the album (on a copy it hands back at its end):
    // every command waits.
    bool runOwnsAlbum = false;
};

// The state of s; only the front end knows whether one of its runs owns the album.
AlbumState StateOf(const Session& s, bool runOwnsAlbum);

// The album commands whose use depends on the album. The others (new, open, save, the
// window's views, the settings, help) are always there, unless a run owns the album.
struct CommandStates {
    bool any = true;  // false while a run owns the album: no command at all
    bool createHtml = false, selectAll = false, reacquireExif = false, extractThumbnails = false,
         pageOptions = false;                          // the album has entries
    bool editFileInfo = false, deleteEntries = false;  // an entry is selected
    bool batchEdit = false;                            // more than one is selected
    bool refresh = false;                              // the album has a target folder
};

CommandStates CommandStatesOf(const AlbumState& state);

// Sets EnvPreView; false when it already was that mode.
bool SetPreviewMode(Session& s, PreviewMode mode);
// The entry the preview shows in a mode: the list page is the same for every entry, so it is
// shown from the first one; the others show the first selected entry; -1 for none.
int PreviewEntry(const Session& s, PreviewMode mode);

}  // namespace mirulane
