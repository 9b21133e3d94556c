#pragma once
// The folder scan: turns the files of the target folder into entries (fresh), or brings an
// existing list up to date with the folder (refresh: new files appended, vanished ones
// removed, every other entry kept as edited).

#include <string_view>

#include "album/album.h"
#include "platform/interaction.h"

namespace mirulane {

struct Settings;

enum class ScanMode { Fresh, Refresh };

// Returns the number of files accepted, or -1 when the folder cannot be listed (message
// shown, list unchanged). Files whose names cannot be entries (not representable in
// Shift-JIS, holding a backslash, a line break or a TAB) are skipped and counted in one
// message at the end; files the extension filter does not take are counted by extension in
// another ("フィルタで除外: jpeg 1件, txt 2件").
//
// A refresh matches files to entries by exact name first; a file whose entry differs only in
// letter case (an album written where names ignore case) takes it when no other file matches
// it exactly, and the entry takes the spelling on disk. A refresh that would remove every
// entry asks first; anything but Yes leaves the list exactly as it was and returns -1.
//
// The entries no file matched are kept apart by the scan itself and removed at the end, one
// contiguous block at a time.
//
// leftOut: when given, the line that names what the filter left out goes there (CP932; empty
// when nothing was) instead of into a message box: the window shows it in its status bar.
int ScanFolder(Album& album, std::string_view folder, ScanMode mode, const Settings& settings,
               Interaction& ui, std::string* leftOut = nullptr);

}  // namespace mirulane
