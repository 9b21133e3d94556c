#pragma once
// Shared plumbing of mirulane-cli: the parsed global options and the command table.

#include <optional>
#include <string>
#include <vector>

#include "app/album_guard.h"
#include "app/session.h"
#include "app/thumbnail_run.h"
#include "cli/args.h"
#include "cli/console_interaction.h"

namespace mirulane::cli {

struct Context {
    Session& session;
    ConsoleInteraction& console;
    const CommandSpec& command;  // the command being run
    // The lock of the album list file the command writes, held to the end of the run.
    std::optional<AlbumLock> albumLock;
};

// The command's usage message (UsageError) for the running command; 2.
int Usage(const Context& ctx, std::string_view message);

// A command that writes an album list file takes its lock first, before it reads anything, and
// holds it to the end of the run; false (message shown) when another mirulane-cli holds it.
bool LockAlbum(Context& ctx, const std::string& utf8Path);

// Loads the album list file at a UTF-8 path into the session; false (message already shown)
// when it cannot be read or is no album list file.
bool OpenAlbum(Context& ctx, const std::string& utf8Path);
// Makes a UTF-8 path the command will write without reading it (a new list file, resave's
// output) part of the album's watch (AdoptOutputFile); false (message shown) when a file
// there is no album list file, which the command must not replace.
bool AdoptOutput(Context& ctx, const std::string& utf8Path);
// Saves the session's album to a UTF-8 path; false on failure (message already shown). A file
// that someone changed since the command read it is not replaced.
bool SaveAlbum(Context& ctx, const std::string& utf8Path);

// Converts a command-line argument (UTF-8) to CP932; prints an error and returns false when it
// cannot be represented (UserTextToCp932).
bool ArgToCp932(const std::string& utf8, std::string& out);
// The same for a path argument, which also must not hold a "\" (UserPathToCp932).
bool PathArgToCp932(const std::string& utf8, std::string& out);

// A folder argument as an absolute, normalised path in CP932 (the album keeps absolute paths,
// so its list file means the same from anywhere); false (message shown) when it cannot be
// written in Shift-JIS.
bool AbsolutePathArg(const std::string& utf8, std::string& cp932);

// The thumbnail extraction run for every entry of the album, with its progress line on a
// terminal; makeMissing: also make the thumbnails of pictures that carry none.
ThumbnailRunResult ExtractThumbnails(Context& ctx, const std::string& outputFolder,
                                     bool makeMissing);

// The commands.
int CmdResave(Context& ctx, const Args& args);
int CmdAlbum(Context& ctx, const Args& args);
int CmdScan(Context& ctx, const Args& args);
int CmdRefresh(Context& ctx, const Args& args);
int CmdExportPreset(Context& ctx, const Args& args);
int CmdGenerate(Context& ctx, const Args& args);
int CmdExif(Context& ctx, const Args& args);
int CmdThumbs(Context& ctx, const Args& args);
int CmdOptions(Context& ctx, const Args& args);

}  // namespace mirulane::cli
