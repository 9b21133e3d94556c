// thumbs LIST.txt [--to FOLDER] [--force]: copies the Exif thumbnails of every entry of an
// album into its thumbnail folder (or FOLDER).

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "exif/thumbnail_run.h"
#include "platform/text.h"

namespace mirulane::cli {

int CmdThumbs(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "thumbs LIST.txt [--to FOLDER] [--force]";
    std::string input;
    std::string to;
    bool haveTo = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--force") {
            // Handled by the console interaction: existing files are replaced without asking.
        } else if (args[i] == "--to" && i + 1 < args.size() && !haveTo) {
            to = args[++i];
            haveTo = true;
        } else if (input.empty() && !args[i].empty() && args[i][0] != '-') {
            input = args[i];
        } else {
            return Usage(kSynopsis);
        }
    }
    if (input.empty()) return Usage(kSynopsis);
    std::string output;
    if (haveTo && !ArgToCp932(to, output)) return 1;
    if (!OpenAlbum(ctx, input)) return 1;

    Session& session = ctx.session;
    ThumbnailRunRequest request;
    request.targetFolder = session.album.style.TargetFolder;
    request.outputFolder = haveTo ? output : session.album.style.ThumbFolder;
    request.progress = [&ctx](int i, int n) { ctx.console.SetStatus(0, Format("%d/%d", i, n)); };
    ThumbnailRunResult result = RunThumbnailExtraction(session, request);
    ctx.console.FinishStatus();
    // A thumbnail that could not be written fails the command; a file without one does not.
    return result.status == kThumbRunDone && !result.cancelled && result.writeFailed == 0 ? 0 : 1;
}

}  // namespace mirulane::cli
