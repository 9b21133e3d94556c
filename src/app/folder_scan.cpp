#include "app/folder_scan.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "album/settings.h"
#include "app/album_guard.h"
#include "app/problem_text.h"
#include "exif/entry_capture.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/output_manifest.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// An empty folder means the process's working directory.
std::string FolderToScan(std::string_view folder) {
    if (!folder.empty()) return EnsureTrailingSeparator(folder);
    std::optional<std::string> cwd = CurrentFolder();
    return EnsureTrailingSeparator(cwd ? *cwd : std::string("."));
}

struct ScanName {
    std::string base;
    std::string ext;  // lower-cased
};

// Splits a name at its last '.'; without one it is all base name.
ScanName SplitScanName(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return {name, ""};
    // Lower-cased stepping over two-byte characters, whose second byte may be a letter.
    return {name.substr(0, dot), FoldCase(name.substr(dot + 1))};
}

// Gives each name the first entry, in list order, that no file has claimed yet (its flag in
// `gone` still set) and whose name equals it without regard to letter case; the entry takes
// the spelling on disk, so its pages link to the file as named here. A name left without one
// becomes a new entry.
template <class AppendNew>
void ClaimIgnoringCase(EntryList& entries, std::vector<bool>& gone,
                       const std::vector<const std::string*>& names, AppendNew& appendNew) {
    std::unordered_map<std::string, std::vector<int>> unclaimed;  // lowest index last
    for (int i = static_cast<int>(gone.size()) - 1; i >= 0; --i) {
        if (gone[i]) unclaimed[FoldCase(entries.Field(i, COL_FILE))].push_back(i);
    }
    for (const std::string* name : names) {
        auto it = unclaimed.find(FoldCase(*name));
        if (it == unclaimed.end() || it->second.empty()) {
            appendNew(*name);
            continue;
        }
        int index = it->second.back();
        it->second.pop_back();
        gone[index] = false;
        entries.SetField(index, COL_FILE, *name);
    }
}

}  // namespace

int ScanFolder(Album& album, std::string_view folderIn, ScanMode mode, const Settings& settings,
               Interaction& ui, std::string* leftOut) {
    EntryList& entries = album.entries;
    if (mode == ScanMode::Fresh) {
        album.groups.clear();
        album.groups.reserve(kGroupCapacity);
    }
    std::string folder = FolderToScan(folderIn);

    DirListing listing;
    if (ListDirectory(folder, listing) != 0) {
        ui.SetStatus(StatusPane::Message, "");
        Report(ui, Problem{.kind = ProblemKind::FolderUnreadable, .path = folder});
        return -1;
    }

    const int entriesBefore = entries.Count();
    // The entries no file of the folder has matched yet: what is left set at the end goes.
    // Entries the scan appends are never in it.
    std::vector<bool> gone(entriesBefore, true);
    ui.SetWaitCursor(true);

    EntryCapture capture;  // one table for the whole scan
    auto appendNew = [&](const std::string& name) {
        ScanName split = SplitScanName(name);
        int index = entries.Append(name);
        entries.SetField(index, COL_TITLE, split.base);
        entries.SetField(index, COL_YOMI, split.base);
        entries.SetField(index, COL_KIND, split.ext);
        if (settings.EnvGetExif) capture.Capture(entries, index, folder, name, settings);
    };

    const std::string progress = Sj("読み込み中... %d");
    int seen = 0;
    int accepted = 0;
    int skippedBreaks = 0;
    std::vector<std::string> skippedNames = listing.skippedNames;  // as the system spells them
    std::map<std::string, int> filtered;                           // by extension
    // The album's own files in the folder, its list file and the pages the program wrote
    // there, are not reported as left out: a rerun would otherwise count them every time.
    const std::set<std::string> outputs = RecordedOutputs(folder);
    const std::optional<FileId> listFile =
        album.fileName == Album::NewFileName() ? std::nullopt : GetFileId(album.fileName);
    auto isOwn = [&](const std::string& name) {
        return outputs.count(name) > 0 || (listFile && GetFileId(folder + name) == listFile);
    };
    // Files whose entry differs from their name only in letter case: they take it once every
    // exact match is known, so IMG_1.JPG and img_1.jpg on disk each keep their own entry.
    std::vector<const std::string*> caseOnly;
    for (const DirItem& item : listing.items) {
        if (item.isDirectory) continue;
        // The record of what the program wrote into the folder and the lock of an album list
        // file beside it are no files of the album.
        if (item.name == kManifestName || item.name == kJournalName || IsAlbumLockName(item.name)) {
            continue;
        }
        // The album list file cannot hold a line break or TAB: the entry would come back
        // under another name, naming no file.
        if (item.name.find_first_of("\r\n\t") != std::string::npos) {
            ++skippedBreaks;
            skippedNames.push_back(Cp932ToUtf8(item.name).value_or(item.name));
            continue;
        }
        ++seen;
        ui.SetStatus(StatusPane::Message, Format(progress.c_str(), seen));
        std::string ext = SplitScanName(item.name).ext;
        if (!settings.PassesFilter(ext)) {
            if (!isOwn(item.name)) ++filtered[ext];
            continue;
        }

        int found = mode == ScanMode::Refresh ? entries.FindExact(item.name) : -1;
        if (found >= 0) {
            gone[found] = false;
        } else if (mode == ScanMode::Refresh && entries.Find(item.name) >= 0) {
            caseOnly.push_back(&item.name);
        } else {
            appendNew(item.name);
        }
        ++accepted;
    }
    if (!caseOnly.empty()) ClaimIgnoringCase(entries, gone, caseOnly, appendNew);

    ui.SetStatus(StatusPane::Message, "");
    ui.SetWaitCursor(false);
    int skipped = listing.skippedUnrepresentable + listing.skippedBackslash + skippedBreaks;
    if (skipped > 0) {
        // Each file is named, so that the user can find and rename it.
        std::sort(skippedNames.begin(), skippedNames.end());
        Report(ui, Problem{.kind = ProblemKind::NamesNotScanned,
                           .count = skipped,
                           .counts = {listing.skippedUnrepresentable, listing.skippedBackslash,
                                      skippedBreaks},
                           .files = std::move(skippedNames)});
    }
    if (leftOut) leftOut->clear();
    if (!filtered.empty()) {
        Problem left{.kind = ProblemKind::FilteredOut, .items = {filtered.begin(), filtered.end()}};
        if (leftOut) {
            *leftOut = ProblemText(left).text;
        } else {
            Report(ui, left);
        }
    }
    // An unmounted card or share leaves an empty mount point: ask before every entry, and
    // every edit made to it, goes.
    if (mode == ScanMode::Refresh && entriesBefore > 0 && accepted == 0) {
        MsgAnswer a = ui.Message(
            SjFormat("指定したフォルダにはエントリにできるファイルが１件もありません\n%s\n\n"
                     "リストのエントリ %d 件をすべて削除しますか？\n\n"
                     "（削除しない場合は [いいえ] を選択してください）",
                     folder.c_str(), entriesBefore),
            Sj("更新確認"), MsgIcon::Exclamation, MsgButtons::YesNo);
        // Nothing was matched or added, so the list is as it was.
        if (a != MsgAnswer::Yes) return -1;
    }

    entries.DeleteRows(gone);
    if (entries.Count() > 0) album.modified = true;
    return accepted;
}

}  // namespace mirulane
