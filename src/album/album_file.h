#pragma once
// The album list file: a tab-separated Shift-JIS text that stores the album's page-style
// options, target folder, template options and every entry.

#include <string>
#include <string_view>

#include "album/album.h"
#include "platform/interaction.h"

namespace mirulane {

// The longest field or caption the file holds: the writer cuts longer texts here, and the
// reader takes every field up to this length, so whatever is written reads back.
inline constexpr size_t kAlbumFieldMax = 1023;

// A field can hold neither a TAB nor a line break: a TAB becomes one space and each line
// break (CR LF, CR or LF) becomes "<br>", so the file stays readable and pages show the
// breaks. The writer mends every field this way; the entry dialogs store typed texts mended.
std::string MendFieldText(std::string_view text);

// Writes the whole album to path (CP932), replacing any existing file only once every byte
// has been written. Returns the number of entries written, clears the modified flag and
// stamps the album with path and the bytes written, or -1 after showing a message (the
// previous file, the modified flag and the stamp are then untouched). It asks nothing: the
// album commands decide beforehand whether the file may be replaced.
int WriteAlbumFile(Album& album, std::string_view path, Interaction& ui);

// Replaces the album's entries, options, target folder and group names with the file's
// contents and stamps the album with path and the bytes read. Returns the number of entries
// afterwards, or -1 after showing a message. A file that is no album list file (see
// HoldsAlbumList) is refused before anything changes.
int ReadAlbumFile(Album& album, std::string_view path, Interaction& ui);

// True when text read from a file in folder (CP932, empty: the current folder) is an album
// list file: it holds a section line or the column header line this program writes, or, as
// the oldest list files hold only entries, an entry line naming a file in that folder (letter
// case aside). Any other text would open as an album of stray lines, and a save would then
// replace the user's file with album data.
bool HoldsAlbumList(std::string_view text, std::string_view folder);

// Reads album list text already in memory (ReadAlbumFile after opening the file; the fuzz
// target calls it directly).
int ReadAlbumText(Album& album, std::string_view text, Interaction& ui);

// The album list file's text for the album, with LF line ends (the file has CR LF).
std::string AlbumFileText(const Album& album);

}  // namespace mirulane
