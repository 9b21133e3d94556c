// generate LIST.txt [--force] [page creation options]: opens an album list file and writes
// its HTML album.

#include <cstdio>
#include <string>
#include <vector>

#include "app/generation_run.h"
#include "app/pages.h"
#include "app/text.h"
#include "cli/cli.h"
#include "cli/output_summary.h"
#include "cli/page_options.h"

namespace mirulane::cli {

int CmdGenerate(Context& ctx, const Args& args) {
    const std::string& input = args.operands[0];
    // Page options are saved in the list file.
    if (HasPageOptions(args) && !LockAlbum(ctx, input)) return 1;
    if (!OpenAlbum(ctx, input)) return 1;
    // As in the desktop app, where the command is disabled for an album without entries.
    if (ctx.session.album.entries.Count() == 0) {
        std::fprintf(stderr,
                     "mirulane-cli: アルバムにエントリが１件もないため、ページを作成しません"
                     "でした\n");
        return 1;
    }
    // Choices made here are the album's from now on, as the options dialog's OK makes them.
    if (HasPageOptions(args)) {
        if (int status = ApplyPageOptions(ctx, args, ctx.session.album.style)) return status;
        if (!SaveAlbum(ctx, input)) return 1;
    }

    Session& session = ctx.session;
    OutputTally tally;
    GenerationResult result = GenerationRun(session, &tally);
    ctx.console.FinishStatus();
    PrintOutputSummary(stderr, tally);
    if (result != GenerationResult::Done) {
        TellGenerationFailed(session.ui);
        return 1;
    }
    // The desktop app offers to open the album in the browser; here the path is the answer.
    std::printf("%s\n", ToDisplay(IndexHtmlPath(session.album.style)).c_str());
    return 0;
}

}  // namespace mirulane::cli
