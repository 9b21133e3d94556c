#include "app/command_states.h"

namespace mirulane {

AlbumState StateOf(const Session& s, bool runOwnsAlbum) {
    const Album& album = s.album;
    return {album.entries.Count(), album.entries.SelectedCount(), !album.style.TargetFolder.empty(),
            s.settings.EnvPreView, runOwnsAlbum};
}

CommandStates CommandStatesOf(const AlbumState& state) {
    CommandStates c;
    c.any = !state.runOwnsAlbum;
    const bool entries = c.any && state.entries > 0;
    c.createHtml = c.selectAll = c.reacquireExif = c.extractThumbnails = c.pageOptions = entries;
    c.editFileInfo = c.deleteEntries = c.any && state.selected > 0;
    c.batchEdit = c.any && state.selected > 1;
    c.refresh = c.any && state.hasTargetFolder;
    return c;
}

bool SetPreviewMode(Session& s, PreviewMode mode) {
    PreviewMode& current = s.settings.EnvPreView;
    if (current == mode) return false;
    current = mode;
    return true;
}

int PreviewEntry(const Session& s, PreviewMode mode) {
    const EntryList& entries = s.album.entries;
    if (mode == PreviewMode::ListPage) return entries.Count() > 0 ? 0 : -1;
    return entries.FirstSelected();
}

}  // namespace mirulane
