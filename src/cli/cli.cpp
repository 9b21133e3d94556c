#include "cli/cli.h"

#include <cstdio>

#include "album/album_file.h"
#include "platform/cp932.h"

namespace mirulane::cli {

int Usage(const char* synopsis) {
    std::fprintf(stderr, "usage: mirulane-cli [--profile FILE] %s\n", synopsis);
    return 2;
}

bool ArgToCp932(const std::string& utf8, std::string& out) {
    auto converted = Utf8ToCp932(utf8);
    // Some characters share their Shift-JIS code with another ("¥" is the backslash, a
    // separator): such a path would name another file or folder.
    auto back = converted ? Cp932ToUtf8(*converted) : std::nullopt;
    if (!back || *back != utf8) {
        std::fprintf(stderr, "mirulane-cli: '%s' cannot be written in Shift-JIS (CP932)\n",
                     utf8.c_str());
        return false;
    }
    out = std::move(*converted);
    return true;
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

bool SaveAlbum(Context& ctx, const std::string& utf8Path) {
    std::string path;
    if (!ArgToCp932(utf8Path, path)) return false;
    if (WriteAlbumFile(ctx.session.album, path, ctx.session.ui) < 0) return false;
    return true;
}

}  // namespace mirulane::cli
