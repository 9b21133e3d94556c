// album, scan and refresh: making an album from a folder, and keeping it up to date.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "album/page_style.h"
#include "album/settings.h"
#include "app/album_commands.h"
#include "app/files.h"
#include "app/generation_run.h"
#include "app/list_thumbnails.h"
#include "app/pages.h"
#include "app/text.h"
#include "app/thumbnail_run.h"
#include "cli/cli.h"
#include "cli/output_summary.h"
#include "cli/page_options.h"

namespace mirulane::cli {
namespace {

// The folder argument as the album's target folder: absolute, and a folder.
bool TargetFolderArg(const std::string& utf8, std::string& cp932) {
    std::error_code ec;
    if (!std::filesystem::is_directory(utf8, ec)) {
        std::fprintf(stderr, "mirulane-cli: 「%s」はフォルダではありません\n", utf8.c_str());
        return false;
    }
    return AbsolutePathArg(utf8, cp932);
}

// Chooses the folder as target folder and scans it fresh; false when the scan failed.
bool MakeAlbumFromFolder(Context& ctx, const std::string& folderUtf8) {
    std::string folder;
    if (!TargetFolderArg(folderUtf8, folder)) return false;
    return ChooseTargetFolder(ctx.session, folder) >= 0;
}

// Where the album list file goes without -o: beside index.html, named after the folder.
std::string DefaultListPath(std::string_view folder, const Settings& settings) {
    PageStyle style;
    SetDefaultFolders(style, folder, settings);
    return ToDisplay(JoinPath(style.TopFolder, LastComponent(folder) + ".txt"));
}

// True when the album's target folder (CP932, as its list file holds it) is the folder.
bool IsTargetFolder(const std::string& albumTarget, const std::string& folder) {
    auto a = ToSystemPath(albumTarget);
    auto b = ToSystemPath(folder);
    if (!a || !b || a->empty()) return false;
    std::error_code ec;
    return std::filesystem::equivalent(*a, *b, ec);
}

// An album list file already there holds the user's edits: it is opened and brought up to
// date with the folder, never replaced by a fresh scan. Without one the folder is scanned
// fresh. False (message shown) when neither can be done.
bool OpenOrMakeAlbum(Context& ctx, const std::string& folder, const std::string& listUtf8) {
    std::error_code ec;
    if (!std::filesystem::exists(std::filesystem::symlink_status(listUtf8, ec))) {
        // A list file that appears during the run is someone else's: it is not replaced.
        return AdoptOutput(ctx, listUtf8) && ChooseTargetFolder(ctx.session, folder) >= 0;
    }
    if (!OpenAlbum(ctx, listUtf8)) return false;
    const std::string& target = ctx.session.album.style.TargetFolder;
    if (!IsTargetFolder(target, folder)) {
        std::fprintf(stderr,
                     "mirulane-cli: %s はこのフォルダのアルバムではありません（ターゲットフォルダ"
                     "は「%s」）。変更せずに残します。別のアルバムリストファイルを -o で指定して"
                     "ください\n",
                     listUtf8.c_str(), ToDisplay(target).c_str());
        return false;
    }
    if (RefreshAlbum(ctx.session) < 0) {
        std::fprintf(stderr, "mirulane-cli: %s は変更せずに残します\n", listUtf8.c_str());
        return false;
    }
    return true;
}

}  // namespace

int CmdAlbum(Context& ctx, const Args& args) {
    // A mistyped option is refused before the folder is read.
    if (args.Has("--exif-only") && !args.Has("--thumbs")) {
        return Usage(ctx, "--exif-only は --thumbs と一緒に指定してください");
    }
    PageStyle check;
    if (int status = ApplyPageOptions(ctx, args, check)) return status;
    std::string folder;
    if (!TargetFolderArg(args.operands[0], folder)) return 1;
    Session& session = ctx.session;
    const std::string* output = args.Value("-o");
    std::string listPath = output ? *output : DefaultListPath(folder, session.settings);
    if (!LockAlbum(ctx, listPath) || !OpenOrMakeAlbum(ctx, folder, listPath)) return 1;
    if (session.album.entries.Count() == 0) {
        // The desktop app offers no page creation for an album without entries either.
        std::fprintf(stderr,
                     "mirulane-cli: 「%s」には拡張子フィルタを通るファイルが１件もないため、"
                     "アルバムを作成しませんでした\n",
                     args.operands[0].c_str());
        return 1;
    }
    PageStyle& style = session.album.style;
    if (int status = ApplyPageOptions(ctx, args, style)) return status;
    if (args.Has("--thumbs")) ChooseThumbnailList(args, style);
    bool ok = true;
    // One summary for the thumbnails and the pages.
    OutputTally outputs;
    // A list page that shows thumbnails (an album made with --thumbs before) gets the missing
    // ones made without being asked: a new photo would otherwise show an empty frame.
    if (args.Has("--thumbs") || ListPageShowsThumbnails(style)) {
        ThumbnailRunResult r = ExtractThumbnails(ctx, style.ThumbFolder, !args.Has("--exif-only"));
        if (r.status != ThumbnailRunStatus::Done || r.cancelled) {
            PrintOutputSummary(stderr, r.outputs);
            return 1;
        }
        // The album is still written, but a thumbnail that could not be written (or recorded),
        // or a picture whose thumbnail could not be made, fails the command.
        if (r.writeFailed > 0 || r.outputs.recordFailures > 0 || !r.pictureFailures.empty()) {
            ok = false;
        }
        outputs = r.outputs;
    }
    OutputTally pages;
    GenerationResult generated = GenerationRun(session, &pages);
    ctx.console.FinishStatus();
    outputs.Add(pages);
    PrintOutputSummary(stderr, outputs);
    if (generated != GenerationResult::Done) {
        TellGenerationFailed(session.ui);
        ok = false;
    }
    if (!SaveAlbum(ctx, listPath)) return 1;
    std::fprintf(stderr, "アルバムリストファイル: %s\n", listPath.c_str());
    if (!ok) return 1;
    std::printf("%s\n", ToDisplay(IndexHtmlPath(session.album.style)).c_str());
    return 0;
}

int CmdScan(Context& ctx, const Args& args) {
    const std::string* output = args.Value("-o");
    if (!output) return Usage(ctx, "オプション -o でアルバムリストファイルを指定してください");
    if (!LockAlbum(ctx, *output) || !AdoptOutput(ctx, *output)) return 1;
    if (!MakeAlbumFromFolder(ctx, args.operands[0])) return 1;
    return SaveAlbum(ctx, *output) ? 0 : 1;
}

int CmdRefresh(Context& ctx, const Args& args) {
    const std::string& input = args.operands[0];
    if (!LockAlbum(ctx, input) || !OpenAlbum(ctx, input)) return 1;
    if (ctx.session.album.style.TargetFolder.empty()) {
        std::fprintf(stderr,
                     "mirulane-cli: アルバムにターゲットフォルダが設定されていないため、"
                     "更新できません\n");
        return 1;
    }
    // --force is the Yes to a refresh that would remove every entry (an emptied folder).
    ctx.console.SetAnswerYes(args.Has("--force"));
    int result = RefreshAlbum(ctx.session);
    ctx.console.SetAnswerYes(false);
    if (result < 0) {
        std::fprintf(stderr, "mirulane-cli: %s は変更せずに残します\n", input.c_str());
        return 1;
    }
    return SaveAlbum(ctx, input) ? 0 : 1;
}

}  // namespace mirulane::cli
