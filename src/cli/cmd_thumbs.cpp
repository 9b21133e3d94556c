// thumbs LIST.txt [--to FOLDER [--save]] [--exif-only] [--force]: copies the Exif thumbnails
// of every entry of an album into its thumbnail folder (or FOLDER, which --save makes the
// album's thumbnail folder in its list file), and makes one for each picture without one
// unless --exif-only.

#include <string>

#include "cli/cli.h"
#include "cli/output_summary.h"

namespace mirulane::cli {

int CmdThumbs(Context& ctx, const Args& args) {
    const std::string* to = args.Value("--to");
    const bool save = args.Has("--save");
    if (save && !to) return Usage(ctx, "--save は --to FOLDER と一緒に指定してください");
    std::string output;
    // A folder the album keeps is absolute, so its list file means the same from anywhere.
    if (to && !(save ? AbsolutePathArg(*to, output) : PathArgToCp932(*to, output))) return 1;
    const std::string& list = args.operands[0];
    if (save && !LockAlbum(ctx, list)) return 1;
    if (!OpenAlbum(ctx, list)) return 1;

    PageStyle& style = ctx.session.album.style;
    ThumbnailRunResult result =
        ExtractThumbnails(ctx, to ? output : style.ThumbFolder, !args.Has("--exif-only"));
    PrintOutputSummary(stderr, result.outputs);
    // As the extraction dialog does once its folder checks pass: the folder becomes the
    // album's thumbnail folder, so a later generate finds the thumbnails there.
    if (save && result.status == ThumbnailRunStatus::Done) {
        style.ThumbFolder = output;
        if (!SaveAlbum(ctx, list)) return 1;
    }
    // A thumbnail that could not be written (or recorded), or a picture whose thumbnail could
    // not be made, fails the command; a file without an embedded one does not.
    return result.status == ThumbnailRunStatus::Done && !result.cancelled &&
                   result.writeFailed == 0 && result.outputs.recordFailures == 0 &&
                   result.pictureFailures.empty()
               ? 0
               : 1;
}

}  // namespace mirulane::cli
