// generate LIST.txt [--force]: opens an album list file and writes its HTML album.

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "html/generation_run.h"
#include "html/top_page.h"
#include "platform/cp932.h"

namespace mirulane::cli {

int CmdGenerate(Context& ctx, const std::vector<std::string>& args) {
    constexpr const char* kSynopsis = "generate LIST.txt [--force]";
    std::string input;
    for (const std::string& arg : args) {
        if (arg == "--force") {
            // Handled by the console interaction: existing files are replaced without asking.
        } else if (input.empty() && !arg.empty() && arg[0] != '-') {
            input = arg;
        } else {
            return Usage(kSynopsis);
        }
    }
    if (input.empty()) return Usage(kSynopsis);
    if (!OpenAlbum(ctx, input)) return 1;
    // As in the desktop app, where the command is disabled for an album without entries.
    if (ctx.session.album.entries.Count() == 0) {
        std::fprintf(stderr, "mirulane-cli: the album has no entries; no pages written\n");
        return 1;
    }

    Session& session = ctx.session;
    int result = GenerationRun(session);
    ctx.console.FinishStatus();
    if (result < 0) {
        session.ui.Message(Sj("HTMLページの作成に失敗しました"), Sj("エラーメッセージ"),
                           MsgIcon::Stop, MsgButtons::Ok);
        return 1;
    }
    // The desktop app offers to open the album in the browser; here the path is the answer.
    std::printf("%s\n", ToDisplay(IndexHtmlPath(session.album.style)).c_str());
    return 0;
}

}  // namespace mirulane::cli
