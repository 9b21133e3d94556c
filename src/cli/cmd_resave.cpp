// resave LIST.txt -o OUT.txt: the album list file round trip.

#include <string>
#include <vector>

#include "cli/cli.h"

namespace mirulane::cli {

int CmdResave(Context& ctx, const Args& args) {
    const std::string* output = args.Value("-o");
    if (!output) return Usage(ctx, "オプション -o で保存先のファイルを指定してください");
    if (!LockAlbum(ctx, *output) || !OpenAlbum(ctx, args.operands[0]) ||
        !AdoptOutput(ctx, *output)) {
        return 1;
    }
    return SaveAlbum(ctx, *output) ? 0 : 1;
}

}  // namespace mirulane::cli
