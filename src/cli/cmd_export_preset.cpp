// export-preset: writes one built-in template into a file the user can edit and then use as
// the album's own template file.

#include <cstdio>
#include <string>

#include "album/page_style.h"
#include "app/files.h"
#include "app/outputs.h"
#include "app/pages.h"
#include "app/template_files.h"
#include "app/text.h"
#include "cli/cli.h"

namespace mirulane::cli {

int CmdExportPreset(Context& ctx, const Args& args) {
    const std::string& kindText = args.operands[0];
    const std::string& indexText = args.operands[1];
    const std::string* layoutArg = args.Value("--layout");
    const std::string layout = layoutArg ? *layoutArg : "v";
    const std::string* output = args.Value("-o");
    if (!output) return Usage(ctx, "オプション -o で出力するファイルを指定してください");
    if (layout != "v" && layout != "h") {
        return Usage(
            ctx, "--layout には v（縦並び）か h（横並び）を指定してください（「" + layout + "」）");
    }
    PresetKind kind;
    int count;
    if (kindText == "detail") {
        kind = PresetKind::Detail;
        count = kDetailPresetCount;
    } else if (kindText == "list") {
        kind = PresetKind::List;
        count = kListPresetCount;
    } else {
        return Usage(ctx, "プリセットの種類は detail か list です（「" + kindText + "」）");
    }
    int index;
    if (!ParseNumber(indexText, 0, count - 1, index)) {
        return Usage(ctx, Format("%s プリセットの番号は 0 から %d です（「%s」）", kindText.c_str(),
                                 count - 1, indexText.c_str()));
    }
    const bool horizontal = layout == "h";

    std::string path;
    if (!PathArgToCp932(*output, path)) return 1;
    // A folder as output takes the file name the desktop app proposes.
    if (IsDirectory(path))
        path = JoinPath(
            path,
            ExportFileName(kind, index, horizontal ? TopLayout::ListBelow : TopLayout::ListLeft));

    // An existing file is kept unless --force (or the user on a terminal) says otherwise.
    OverwritePolicy overwrite(ctx.session.ui, args.Has("--force"));
    switch (overwrite.Confirm(path)) {
        case OverwritePolicy::Decision::Write:
            break;
        case OverwritePolicy::Decision::Skip:
            std::fprintf(stderr,
                         "mirulane-cli: 既存のファイルを残しました（--force で上書きします）: %s\n",
                         ToDisplay(path).c_str());
            return 1;
        case OverwritePolicy::Decision::Cancel:
            return 1;
    }
    if (!ExportPresetFile(ctx.session.ui, kind, index, horizontal, path)) return 1;
    std::printf("%s\n", ToDisplay(path).c_str());
    return 0;
}

}  // namespace mirulane::cli
