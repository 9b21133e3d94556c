#pragma once
// The album list file: a tab-separated Shift-JIS text that stores the album's page-style
// options, target folder, template options and every entry.

#include <functional>
#include <string>
#include <string_view>

#include "album/album.h"
#include "platform/expected.h"

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
// stamps the album with path and the bytes written; or the problem (AlbumNotSaved), and the
// previous file, the modified flag and the stamp are untouched. It asks nothing: the album
// commands decide beforehand whether the file may be replaced.
Expected<int> WriteAlbumFile(Album& album, std::string_view path);

// Asked when a line is too long to be read: true skips the line and reads on, false stops
// the reading there.
using SkipLongLine = std::function<bool()>;

// What reading an album list gave.
struct AlbumRead {
    int entries = 0;       // the number of entries afterwards
    bool stopped = false;  // the user chose to stop at an over-long line; the lines before it
                           // are read
    int refusedNames = 0;  // lines skipped because their file name cannot be an entry
};

// Replaces the album's entries, options, target folder and group names with the file's
// contents and stamps the album with path and the bytes read (unless the reading stopped).
// The problem when the file cannot be read (AlbumNotOpened) or is no album list file (see
// HoldsAlbumList, NotAnAlbumList): nothing has changed then.
Expected<AlbumRead> ReadAlbumFile(Album& album, std::string_view path,
                                  const SkipLongLine& skipLongLine);

// True when text read from a file in folder (CP932, empty: the current folder) is an album
// list file: it holds a section line or the column header line this program writes, or, as
// the oldest list files hold only entries, an entry line naming a file in that folder (letter
// case aside). Any other text would open as an album of stray lines, and a save would then
// replace the user's file with album data.
bool HoldsAlbumList(std::string_view text, std::string_view folder);

// Reads album list text already in memory (ReadAlbumFile after opening the file; the fuzz
// target calls it directly).
AlbumRead ReadAlbumText(Album& album, std::string_view text, const SkipLongLine& skipLongLine);

// The album list file's text for the album, with LF line ends (the file has CR LF).
std::string AlbumFileText(const Album& album);

}  // namespace mirulane
