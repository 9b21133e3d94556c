#pragma once
// Shared plumbing of mirulane-cli: the parsed global options and the command table.

#include <string>
#include <vector>

#include "app/session.h"
#include "cli/console_interaction.h"

namespace mirulane::cli {

struct Context {
    Session& session;
    ConsoleInteraction& console;
};

// A command gets its arguments (after the command name) and returns the exit status:
// 0 success, 1 failure, 2 usage.
using CommandFn = int (*)(Context&, const std::vector<std::string>& args);

// Prints a usage line for the command to stderr and returns 2.
int Usage(const char* synopsis);

// Loads the album list file at a UTF-8 path into the session; false (message already shown)
// when it cannot be read.
bool OpenAlbum(Context& ctx, const std::string& utf8Path);
// Saves the session's album to a UTF-8 path; false on failure (message already shown).
bool SaveAlbum(Context& ctx, const std::string& utf8Path);

// Converts a command-line argument (UTF-8) to CP932; prints an error and returns false when it
// cannot be represented.
bool ArgToCp932(const std::string& utf8, std::string& out);

// The commands.
int CmdResave(Context& ctx, const std::vector<std::string>& args);
int CmdAlbum(Context& ctx, const std::vector<std::string>& args);
int CmdScan(Context& ctx, const std::vector<std::string>& args);
int CmdRefresh(Context& ctx, const std::vector<std::string>& args);
int CmdExportPreset(Context& ctx, const std::vector<std::string>& args);
int CmdGenerate(Context& ctx, const std::vector<std::string>& args);
int CmdExif(Context& ctx, const std::vector<std::string>& args);
int CmdThumbs(Context& ctx, const std::vector<std::string>& args);

}  // namespace mirulane::cli
