// album, scan and refresh: making an album from a folder, and keeping it up to date.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/album_commands.h"
#include "cli/cli.h"
#include "exif/thumbnail_run.h"
#include "html/generation_run.h"
#include "html/locations.h"
#include "html/top_page.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane::cli {
namespace {

struct FolderArgs {
    std::string folder;  // UTF-8, as given
    std::string output;  // UTF-8, -o
    bool thumbs = false;
};

// Parses FOLDER [-o LIST.txt] [--thumbs] [--force]; false on anything else.
bool ParseFolderArgs(const std::vector<std::string>& args, bool allowThumbs, FolderArgs& out) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o" && i + 1 < args.size() && out.output.empty()) {
            out.output = args[++i];
        } else if (a == "--thumbs" && allowThumbs) {
            out.thumbs = true;
        } else if (a == "--force" && allowThumbs) {
            // Handled by the console interaction.
        } else if (out.folder.empty() && !a.empty() && a[0] != '-') {
            out.folder = a;
        } else {
            return false;
        }
    }
    return !out.folder.empty();
}

// The album keeps absolute folders, so its list file means the same from anywhere.
bool TargetFolderArg(const std::string& utf8, std::string& cp932) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(utf8, ec);
    std::string text = ec ? utf8 : abs.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    if (!std::filesystem::is_directory(text, ec)) {
        std::fprintf(stderr, "mirulane-cli: '%s' is not a folder\n", utf8.c_str());
        return false;
    }
    return ArgToCp932(text, cp932);
}

// Chooses the folder as target folder and scans it fresh; false when the scan failed.
bool MakeAlbumFromFolder(Context& ctx, const std::string& folderUtf8) {
    std::string folder;
    if (!TargetFolderArg(folderUtf8, folder)) return false;
    return ChooseTargetFolder(ctx.session, folder) >= 0;
}

// Where the album list file goes without -o: beside index.html, named after the folder.
std::string DefaultListPath(const Session& s) {
    return ToDisplay(JoinPath(s.album.style.TopFolder, ProposedSaveName(s) + ".txt"));
}

}  // namespace

int CmdAlbum(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "album FOLDER [-o LIST.txt] [--thumbs] [--force]";
    FolderArgs a;
    if (!ParseFolderArgs(args, true, a)) return Usage(kSynopsis);
    if (!MakeAlbumFromFolder(ctx, a.folder)) return 1;
    Session& session = ctx.session;
    if (session.album.entries.Count() == 0) {
        // The desktop app offers no page creation for an album without entries either.
        std::fprintf(stderr,
                     "mirulane-cli: no file in '%s' passes the extension filter; "
                     "no album written\n",
                     a.folder.c_str());
        return 1;
    }
    bool ok = true;
    if (a.thumbs) {
        ThumbnailRunRequest request;
        request.targetFolder = session.album.style.TargetFolder;
        request.outputFolder = session.album.style.ThumbFolder;
        request.progress = [&ctx](int i, int n) {
            ctx.console.SetStatus(0, Format("thumbnails %d/%d", i, n));
        };
        ThumbnailRunResult r = RunThumbnailExtraction(session, request);
        ctx.console.FinishStatus();
        if (r.status != kThumbRunDone || r.cancelled) return 1;
        // The album is still written, but a thumbnail that could not be written fails the
        // command.
        if (r.writeFailed > 0) ok = false;
    }
    if (GenerationRun(session) < 0) {
        session.ui.Message(Sj("HTMLページの作成に失敗しました"), Sj("エラーメッセージ"),
                           MsgIcon::Stop, MsgButtons::Ok);
        ok = false;
    }
    std::string listPath = a.output.empty() ? DefaultListPath(session) : a.output;
    if (!SaveAlbum(ctx, listPath)) return 1;
    std::fprintf(stderr, "album list file: %s\n", listPath.c_str());
    if (!ok) return 1;
    std::printf("%s\n", ToDisplay(IndexHtmlPath(session.album.style)).c_str());
    return 0;
}

int CmdScan(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "scan FOLDER -o LIST.txt";
    FolderArgs a;
    if (!ParseFolderArgs(args, false, a) || a.output.empty()) return Usage(kSynopsis);
    if (!MakeAlbumFromFolder(ctx, a.folder)) return 1;
    return SaveAlbum(ctx, a.output) ? 0 : 1;
}

int CmdRefresh(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "refresh LIST.txt";
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') return Usage(kSynopsis);
    if (!OpenAlbum(ctx, args[0])) return 1;
    if (ctx.session.album.style.TargetFolder.empty()) {
        std::fprintf(stderr, "mirulane-cli: the album has no target folder to refresh from\n");
        return 1;
    }
    if (RefreshAlbum(ctx.session) < 0) return 1;
    return SaveAlbum(ctx, args[0]) ? 0 : 1;
}

}  // namespace mirulane::cli
