// exif FILE...: the preview pane's Exif table of each file.
// exif --fields FILE...: the ten camera-data texts entry capture would write for each file.

#include <cstdio>
#include <string>
#include <vector>

#include "album/entry_list.h"
#include "app/exif_data.h"
#include "app/text.h"
#include "cli/cli.h"

namespace mirulane::cli {
namespace {

// Prints the preview lines of one file; false when it holds no Exif data.
bool PrintPreview(const std::string& path, const std::string& shownName, ExifTable& table) {
    int status = ReadExif(path, table);
    if (status != kExifOk) {
        std::fprintf(stderr, "mirulane-cli: %s: %s\n", shownName.c_str(),
                     status == kExifCannotOpen ? "ファイルを開けません" : "Exif情報がありません");
        return false;
    }
    for (const auto& [name, text] : PreviewLines(table)) {
        std::printf("%s\t%s\n", ToDisplay(name).c_str(), ToDisplay(text).c_str());
    }
    return true;
}

// Prints the columns 7 to 16 that capture writes for one file; false when it read no Exif
// data (the line then holds what capture still writes: at most the file date).
bool PrintFields(const std::string& path, const std::string& shownName, const Settings& settings,
                 EntryCapture& capture) {
    size_t sep = FindLastSeparator(path);
    std::string folder = sep == std::string::npos ? std::string() : path.substr(0, sep + 1);
    std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    EntryList entries;
    int index = entries.Append(name);
    int status = capture.Capture(entries, index, folder, name, settings);
    std::string line;
    for (int column = COL_MAKER; column <= COL_IMGSZ; ++column) {
        if (column != COL_MAKER) line += '\t';
        line += entries.Field(index, column);
    }
    std::printf("%s\n", ToDisplay(line).c_str());
    if (status != kCaptureOk) {
        std::fprintf(stderr, "mirulane-cli: %s: Exif情報がありません\n", shownName.c_str());
        return false;
    }
    return true;
}

}  // namespace

int CmdExif(Context& ctx, const Args& args) {
    const bool fields = args.Has("--fields");
    const std::vector<std::string>& files = args.operands;

    bool allRead = true;
    ExifTable preview = MakePreviewTable();
    EntryCapture capture;
    for (size_t i = 0; i < files.size(); ++i) {
        std::string path;
        if (!PathArgToCp932(files[i], path)) {
            allRead = false;
            continue;
        }
        if (fields) {
            allRead &= PrintFields(path, files[i], ctx.session.settings, capture);
            continue;
        }
        // Several tables are told apart by a heading line and a blank line between them.
        if (files.size() > 1) std::printf("%s%s:\n", i == 0 ? "" : "\n", files[i].c_str());
        allRead &= PrintPreview(path, files[i], preview);
    }
    return allRead ? 0 : 1;
}

}  // namespace mirulane::cli
