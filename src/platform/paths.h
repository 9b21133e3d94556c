#pragma once
// Path algebra that knows no album: separator scans over two-byte characters, joins, relative
// links between folders, base names and components, and creating a folder path.
//
// Paths are CP932 byte strings. Both '\' and '/' are accepted as separators; where a
// separator is appended, it is the native '/'. Every scan for a separator steps over two-byte
// characters, so the trail byte 0x5C of a character such as 表 or ソ never splits a path.

#include <string>
#include <string_view>

namespace mirulane {

// The separator appended to folders.
inline constexpr char kPathSeparator = '/';

// Length of the character starting at byte i: 2 for a CP932 lead byte followed by a trail
// byte, otherwise 1 (a lead byte without its second byte stands alone, so a separator or
// quote after it still counts).
size_t Cp932CharLength(std::string_view s, size_t i);

// True when the path's last character is a '\' or '/' (not the trail byte of a two-byte
// character). False for an empty path.
bool EndsWithSeparator(std::string_view path);

// path + '/' unless the path is empty or already ends in a separator.
std::string EnsureTrailingSeparator(std::string_view path);

// EnsureTrailingSeparator(folder) + name; an empty folder gives the name alone (the current
// folder).
std::string JoinPath(std::string_view folder, std::string_view name);

// Strips trailing separators, then returns the text after the last separator (all of it when
// there is none).
std::string LastComponent(std::string_view path);

// The path with one trailing separator removed (when it has one).
std::string_view WithoutOneTrailingSeparator(std::string_view path);

// The parent used for default placement: one trailing separator removed, then cut at the last
// separator; a separator at position 0 does not count, and without a separator the parent is
// the path itself (D:\ gives D:).
std::string ParentFolder(std::string_view path);

// The relative link prefix that leads from a page stored in folder `from` to a file stored in
// folder `to`: empty or ending in "/"; the caller appends a file name. Components compare
// byte for byte (letter case matters).
std::string RelativeLink(std::string_view from, std::string_view to);

// Creates every missing folder along the path. 0 on success (an empty path is the current
// folder), -2 when a prefix cannot be examined for a reason other than its absence or exists
// but is not a folder, -3 when creating a missing folder fails. Folders created before a
// failure remain. Shows no message; callers report with their own text.
int MakeFolderPath(std::string_view folder);

struct BaseExt {
    std::string base;
    std::string ext;  // without the dot
};

// Splits a file name at the last '.' lying at a byte position from 1 to length - 2:
// a.b.jpg -> (a.b, jpg); .profile -> (.profile, ""); name. -> (name., "").
BaseExt SplitBaseName(std::string_view name);

struct SplitPathResult {
    std::string folder;  // text before the last separator (the separator dropped), or empty
    std::string file;    // text after it
    std::string base;    // file cut at its last '.' (any position)
    std::string ext;     // after that dot, empty when there is none
};

SplitPathResult SplitPath(std::string_view fullPath);

// The folder a file's path lies in: the text before its last separator, the separator itself
// for a file in the root ("/x.txt" gives "/"), empty for a bare name (the current folder).
std::string FolderOfFile(std::string_view path);

// True when a name can become a file inside an output folder without leaving it: not empty,
// no separator, and not "." or "..".
bool IsPlainFileName(std::string_view name);

}  // namespace mirulane
