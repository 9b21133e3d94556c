#include "cli/cli.h"

#include <cstdio>
#include <filesystem>

#include "album/album_file.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace mirulane::cli {

int Usage(const Context& ctx, std::string_view message) { return UsageError(ctx.command, message); }

bool ArgToCp932(const std::string& utf8, std::string& out) {
    auto converted = Utf8ToCp932(utf8);
    // Some characters share their Shift-JIS code with another ("¥" is the backslash, a
    // separator): such a path would name another file or folder.
    auto back = converted ? Cp932ToUtf8(*converted) : std::nullopt;
    if (!back || *back != utf8) {
        std::fprintf(stderr, "mirulane-cli: 「%s」は Shift-JIS (CP932) で表せません\n",
                     utf8.c_str());
        return false;
    }
    out = std::move(*converted);
    return true;
}

bool AbsolutePathArg(const std::string& utf8, std::string& cp932) {
    std::error_code ec;
    std::filesystem::path abs = std::filesystem::absolute(utf8, ec);
    std::string text = ec ? utf8 : abs.lexically_normal().string();
    while (text.size() > 1 && text.back() == '/') text.pop_back();
    return ArgToCp932(text, cp932);
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
    if (!ArgToCp932(utf8Path, path)) return false;
    Album& album = ctx.session.album;
    if (ReadAlbumFile(album, path, ctx.session.ui) < 0) return false;
    album.fileName = path;
    album.modified = false;
    return true;
}

bool LockAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!ArgToCp932(utf8Path, path)) return false;
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
    if (!ArgToCp932(utf8Path, path)) return false;
    if (AdoptOutputFile(ctx.session.album, path) == AdoptResult::Adopted) return true;
    std::fprintf(stderr,
                 "mirulane-cli: %s はアルバムリストファイルではないため、置き換えません。"
                 "別のファイルを指定してください\n",
                 utf8Path.c_str());
    return false;
}

bool SaveAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!ArgToCp932(utf8Path, path)) return false;
    if (ChangedOnDisk(ctx.session.album, path)) {
        std::fprintf(stderr,
                     "mirulane-cli: %s は読み込んだ後にほかのプログラムで変更されたため、保存"
                     "しませんでした（その変更はそのまま残っています）\n",
                     utf8Path.c_str());
        return false;
    }
    if (WriteAlbumFile(ctx.session.album, path, ctx.session.ui) < 0) return false;
    return true;
}

}  // namespace mirulane::cli
