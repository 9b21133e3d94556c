// thumbs LIST.txt [--to FOLDER] [--force]: copies the Exif thumbnails of every entry of an
// album into its thumbnail folder (or FOLDER).

#include <cstdio>
#include <string>
#include <vector>

#include "app/thumbnail_run.h"
#include "cli/cli.h"
#include "platform/text.h"

namespace mirulane::cli {

int CmdThumbs(Context& ctx, const Args& args) {
    const std::string* to = args.Value("--to");
    std::string output;
    if (to && !ArgToCp932(*to, output)) return 1;
    if (!OpenAlbum(ctx, args.operands[0])) return 1;

    Session& session = ctx.session;
    ThumbnailRunRequest request;
    request.targetFolder = session.album.style.TargetFolder;
    request.outputFolder = to ? output : session.album.style.ThumbFolder;
    request.progress = [&ctx](int i, int n) { ShowThumbnailProgress(ctx, i, n); };
    ThumbnailRunResult result = RunThumbnailExtraction(session, request);
    ctx.console.FinishStatus();
    // A thumbnail that could not be written fails the command; a file without one does not.
    return result.status == kThumbRunDone && !result.cancelled && result.writeFailed == 0 ? 0 : 1;
}

}  // namespace mirulane::cli
