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
// Shift-JIS, or holding a backslash) are skipped and counted in one message at the end.
int ScanFolder(Album& album, std::string_view folder, ScanMode mode, const Settings& settings,
               Interaction& ui);

}  // namespace mirulane
