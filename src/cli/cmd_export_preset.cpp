// export-preset: writes one built-in template into a file the user can edit and then use as
// the album's own template file.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli/cli.h"
#include "html/locations.h"
#include "html/page_style.h"
#include "html/templates.h"
#include "platform/cp932.h"
#include "platform/fs.h"

namespace mirulane::cli {

namespace {

constexpr const char* kSynopsis = "export-preset detail|list N [--layout v|h] -o FILE";

// A catalogue number as stored in the album list file (0-based); -1 when not a number in range.
int ParseIndex(const std::string& text, int count) {
    if (text.empty() || text.size() > 3) return -1;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
    }
    int value = std::atoi(text.c_str());
    return value < count ? value : -1;
}

}  // namespace

int CmdExportPreset(Context& ctx, const std::vector<std::string>& args) {
    std::string kindText, indexText, layout = "v", output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            output = args[++i];
        } else if (args[i] == "--layout" && i + 1 < args.size()) {
            layout = args[++i];
        } else if (args[i] == "--force") {
            // Handled by the console interaction: existing files are replaced without asking.
        } else if (kindText.empty()) {
            kindText = args[i];
        } else if (indexText.empty()) {
            indexText = args[i];
        } else {
            return Usage(kSynopsis);
        }
    }
    if (output.empty() || (layout != "v" && layout != "h")) return Usage(kSynopsis);
    PresetKind kind;
    int count;
    if (kindText == "detail") {
        kind = PresetKind::Detail;
        count = kDetailPresetCount;
    } else if (kindText == "list") {
        kind = PresetKind::List;
        count = kListPresetCount;
    } else {
        return Usage(kSynopsis);
    }
    int index = ParseIndex(indexText, count);
    if (index < 0) {
        std::fprintf(stderr, "mirulane-cli: preset number must be 0 to %d for %s presets\n",
                     count - 1, kindText.c_str());
        return 2;
    }
    const bool horizontal = layout == "h";

    std::string path;
    if (!ArgToCp932(output, path)) return 1;
    // A folder as output takes the file name the desktop app proposes.
    if (IsDirectory(path)) path = JoinPath(path, ExportFileName(kind, index, horizontal ? 2 : 0));

    if (FileExists(path)) {
        switch (ctx.session.ui.ConfirmOverwrite(path)) {
            case OverwriteAnswer::Yes:
            case OverwriteAnswer::All:
                break;
            case OverwriteAnswer::No:  // the kept file is named when the command ends
            case OverwriteAnswer::Cancel:
                return 1;
        }
    }
    if (ExportPreset(kind, index, horizontal, path, ctx.session.ui) != 0) return 1;
    std::printf("%s\n", ToDisplay(path).c_str());
    return 0;
}

}  // namespace mirulane::cli
