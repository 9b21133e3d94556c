// mirulane-cli: the album work of the desktop app, without a window.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/settings.h"
#include "cli/cli.h"
#include "platform/profile.h"

namespace {

using mirulane::cli::CommandFn;

struct CommandRow {
    const char* name;
    CommandFn fn;
    const char* synopsis;
};

// One row per command; keep the synopsis in step with the README.
const CommandRow kCommands[] = {
    {"album", mirulane::cli::CmdAlbum, "album FOLDER [-o LIST.txt] [--thumbs] [--force]"},
    {"scan", mirulane::cli::CmdScan, "scan FOLDER -o LIST.txt"},
    {"refresh", mirulane::cli::CmdRefresh, "refresh LIST.txt [--force]"},
    {"resave", mirulane::cli::CmdResave, "resave LIST.txt -o OUT.txt"},
    {"export-preset", mirulane::cli::CmdExportPreset,
     "export-preset detail|list N [--layout v|h] -o FILE"},
    {"generate", mirulane::cli::CmdGenerate, "generate LIST.txt [--force]"},
    {"thumbs", mirulane::cli::CmdThumbs, "thumbs LIST.txt [--to FOLDER] [--force]"},
    {"exif", mirulane::cli::CmdExif, "exif [--fields] FILE..."},
};

void PrintUsage() {
    std::fprintf(stderr, "usage: mirulane-cli [--profile FILE] COMMAND ...\ncommands:\n");
    for (const auto& row : kCommands) std::fprintf(stderr, "  %s\n", row.synopsis);
    std::fprintf(stderr,
                 "--force replaces existing pages and thumbnails without asking. An album list "
                 "file is never\nreplaced: album refreshes an existing one (edits kept); "
                 "refresh --force lets a refresh\nremove every entry when the folder has no "
                 "file left.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string profilePath;
    bool force = false;
    // Global options may stand anywhere before or after the command.
    std::vector<std::string> rest;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--profile") {
            if (i + 1 >= args.size()) {
                PrintUsage();
                return 2;
            }
            profilePath = args[++i];
        } else {
            if (args[i] == "--force") force = true;
            rest.push_back(args[i]);
        }
    }
    if (rest.empty() || rest[0] == "--help" || rest[0] == "-h") {
        PrintUsage();
        return rest.empty() ? 2 : 0;
    }
    const CommandRow* command = nullptr;
    for (const auto& row : kCommands) {
        if (rest[0] == row.name) command = &row;
    }
    if (!command) {
        std::fprintf(stderr, "mirulane-cli: unknown command '%s'\n", rest[0].c_str());
        PrintUsage();
        return 2;
    }

    mirulane::cli::ConsoleInteraction console(mirulane::cli::StdioIsInteractive(), force);
    mirulane::Session session(console);
    // The command line only reads the profile; it never writes it.
    mirulane::IniProfile profile(profilePath.empty() ? mirulane::DefaultProfilePath()
                                                     : profilePath);
    session.settings.Load(profile);

    mirulane::cli::Context ctx{session, console};
    std::vector<std::string> commandArgs(rest.begin() + 1, rest.end());
    int status = command->fn(ctx, commandArgs);
    console.FinishStatus();
    // Without a terminal nobody could be asked; say which existing files were left alone.
    for (const auto& kept : console.KeptFiles()) {
        std::fprintf(stderr, "mirulane-cli: kept the existing %s (use --force to replace it)\n",
                     kept.c_str());
    }
    return status;
}
