#include "cli/cli.h"

#include <cstdio>
#include <filesystem>

#include "app/album_commands.h"
#include "app/album_file.h"
#include "app/user_path.h"

namespace mirulane::cli {

int Usage(const Context& ctx, std::string_view message) { return UsageError(ctx.command, message); }

namespace {

void SayNotShiftJis(const std::string& utf8) {
    std::fprintf(stderr, "mirulane-cli: 「%s」は Shift-JIS (CP932) で表せません\n", utf8.c_str());
}

}  // namespace

bool ArgToCp932(const std::string& utf8, std::string& out) {
    auto converted = UserTextToCp932(utf8);
    if (!converted) {
        SayNotShiftJis(utf8);
        return false;
    }
    out = std::move(*converted);
    return true;
}

bool PathArgToCp932(const std::string& utf8, std::string& out) {
    UserPath checked = UserPathToCp932(utf8);
    if (checked.refusal == PathRefusal::NotShiftJis) {
        SayNotShiftJis(utf8);
        return false;
    }
    if (checked.refusal == PathRefusal::Backslash) {
        std::fprintf(stderr,
                     "mirulane-cli: 「%s」は「\\」を含むため使用できません（「\\」はフォルダの"
                     "区切りとして読まれます）\n",
                     utf8.c_str());
        return false;
    }
    out = std::move(checked.cp932);
    return true;
}

bool AbsolutePathArg(const std::string& utf8, std::string& cp932) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(utf8, ec);
    std::string text = ec ? utf8 : abs.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return PathArgToCp932(text, cp932);
}

ThumbnailRunResult ExtractThumbnails(Context& ctx, const std::string& outputFolder,
                                     bool makeMissing) {
    Session& session = ctx.session;
    ThumbnailRunRequest request;
    request.targetFolder = session.album.style.TargetFolder;
    request.outputFolder = outputFolder;
    request.makeMissing = makeMissing;
    ctx.console.SetProgressLabel("サムネイルを抽出しています...");
    ThumbnailRunResult r = RunThumbnailExtraction(session, request);
    ctx.console.SetProgressLabel({});
    ctx.console.FinishStatus();
    return r;
}

bool OpenAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!PathArgToCp932(utf8Path, path)) return false;
    return LoadAlbumFile(ctx.session, path) >= 0;
}

bool LockAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!PathArgToCp932(utf8Path, path)) return false;
    ctx.albumLock.emplace(path);
    if (ctx.albumLock->status() != AlbumLock::Status::Busy) return true;
    std::fprintf(stderr,
                 "mirulane-cli: %s は別の mirulane-cli が処理中です。その処理が終わってから、"
                 "もう一度実行してください\n",
                 utf8Path.c_str());
    return false;
}

bool AdoptOutput(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!PathArgToCp932(utf8Path, path)) return false;
    if (AdoptOutputFile(ctx.session.album, path) == AdoptResult::Adopted) return true;
    std::fprintf(stderr,
                 "mirulane-cli: %s はアルバムリストファイルではないため、置き換えません。"
                 "別のファイルを指定してください\n",
                 utf8Path.c_str());
    return false;
}

bool SaveAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!PathArgToCp932(utf8Path, path)) return false;
    if (ChangedOnDisk(ctx.session.album, path)) {
        std::fprintf(stderr,
                     "mirulane-cli: %s は読み込んだ後にほかのプログラムで変更されたため、保存"
                     "しませんでした（その変更はそのまま残っています）\n",
                     utf8Path.c_str());
        return false;
    }
    return StoreAlbumFile(ctx.session, path);
}

}  // namespace mirulane::cli
