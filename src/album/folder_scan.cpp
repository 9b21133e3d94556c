#include "album/folder_scan.h"

#include <unistd.h>

#include <climits>

#include "app/settings.h"
#include "exif/entry_capture.h"
#include "html/locations.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

constexpr int kPumpEvery = 32;

// An empty folder means the process's working directory.
std::string FolderToScan(std::string_view folder) {
    if (!folder.empty()) return EnsureTrailingSeparator(folder);
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return "./";
    auto converted = Utf8ToCp932(cwd);
    return EnsureTrailingSeparator(converted ? *converted : std::string("."));
}

}  // namespace

int ScanFolder(Album& album, std::string_view folderIn, ScanMode mode, const Settings& settings,
               Interaction& ui) {
    EntryList& entries = album.entries;
    if (mode == ScanMode::Fresh) {
        album.groups.clear();
        album.groups.reserve(kGroupCapacity);
    }
    std::string folder = FolderToScan(folderIn);

    DirListing listing;
    if (ListDirectory(folder, listing) != 0) {
        ui.SetStatus(0, "");
        ui.Message(Format(Sj("指定したフォルダにはファイルが１件もありません\n%s").c_str(),
                          folder.c_str()),
                   "", MsgIcon::None, MsgButtons::Ok);
        return -1;
    }

    entries.AddMarkColumn();
    ui.SetWaitCursor(true);
    const std::string mark = "DEL";
    for (int i = 0; i < entries.Count(); ++i) entries.SetField(i, kMarkColumn, mark);

    EntryCapture capture;  // one table for the whole scan
    const std::string progress = Sj("読み込み中... %d");
    int seen = 0;
    int accepted = 0;
    for (const DirItem& item : listing.items) {
        if (item.isDirectory) continue;
        ++seen;
        ui.SetStatus(0, Format(progress.c_str(), seen));

        size_t dot = item.name.rfind('.');
        std::string base = dot == std::string::npos ? item.name : item.name.substr(0, dot);
        // Lower-cased stepping over two-byte characters, whose second byte may be a letter.
        std::string ext = dot == std::string::npos ? "" : FoldCase(item.name.substr(dot + 1));
        if (!settings.PassesFilter(ext)) continue;

        int found = mode == ScanMode::Refresh ? entries.Find(item.name) : -1;
        if (found >= 0) {
            entries.SetField(found, kMarkColumn, "");
        } else {
            int index = entries.Append(item.name);
            entries.SetField(index, COL_TITLE, base);
            entries.SetField(index, COL_YOMI, base);
            entries.SetField(index, COL_KIND, ext);
            if (settings.EnvGetExif == 1) {
                capture.Capture(entries, index, folder, item.name, settings);
            }
        }
        ++accepted;
        if (accepted % kPumpEvery == 0) {
            ui.PumpOneEvent();
            ui.SetWaitCursor(true);
        }
    }

    entries.DeleteMarkedAndRemoveMarkColumn();
    if (entries.Count() > 0) album.modified = true;
    ui.SetStatus(0, "");
    ui.SetWaitCursor(false);

    int skipped = listing.skippedUnrepresentable + listing.skippedBackslash;
    if (skipped > 0) {
        ui.Message(Format(Sj("次のファイル %d 件はエントリにできないため読み込みませんでした\n"
                             "（Shift-JIS で表せない文字を含む名前: %d 件、"
                             "「\\」を含む名前: %d 件）")
                              .c_str(),
                          skipped, listing.skippedUnrepresentable, listing.skippedBackslash),
                   "", MsgIcon::Exclamation, MsgButtons::Ok);
    }
    return accepted;
}

}  // namespace mirulane
