// resave LIST.txt -o OUT.txt: the album list file round trip.

#include <string>
#include <vector>

#include "cli/cli.h"

namespace mirulane::cli {

int CmdResave(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "resave LIST.txt -o OUT.txt";
    std::string input, output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (input.empty() && !args[i].empty() && args[i][0] != '-') {
            input = args[i];
        } else {
            return Usage(kSynopsis);
        }
    }
    if (input.empty() || output.empty()) return Usage(kSynopsis);
    if (!OpenAlbum(ctx, input)) return 1;
    return SaveAlbum(ctx, output) ? 0 : 1;
}

}  // namespace mirulane::cli
