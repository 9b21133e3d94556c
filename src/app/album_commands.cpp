#include "app/album_commands.h"

#include "album/album_file.h"
#include "app/album_guard.h"
#include "app/folder_scan.h"
#include "app/problem_text.h"
#include "html/output_folders.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

namespace {

// Writes to path, asking first when that would replace a change made there since the album
// read or last wrote the file.
SaveResult WriteChecked(Session& s, std::string_view path) {
    if (ChangedOnDisk(s.album, path)) {
        MsgAnswer a = s.ui.Message(
            SjFormat("%s\nは、開いた後か前回保存した後に、ほかのプログラムで変更されています。\n"
                     "上書きすると、その変更は失われます。上書き保存しますか？\n\n"
                     "（名前を付けて保存する場合は [いいえ] を選択してください）",
                     std::string(path).c_str()),
            Sj("保存確認"), MsgIcon::Exclamation, MsgButtons::YesNoCancel);
        if (a == MsgAnswer::No) return SaveResult::NeedsName;
        if (a != MsgAnswer::Yes) return SaveResult::NotSaved;
    }
    return StoreAlbumFile(s, path) ? SaveResult::Saved : SaveResult::Failed;
}

SaveResult WriteToFileName(Session& s) {
    if (s.album.fileName == Album::NewFileName()) return SaveResult::NeedsName;
    return WriteChecked(s, s.album.fileName);
}

}  // namespace

SaveResult SavePrompt(Session& s, SaveAsk ask) {
    if (!s.album.modified) return SaveResult::NotSaved;
    const bool closing = ask == SaveAsk::Closing;
    MsgAnswer a =
        s.ui.Message(Sj("編集中のリストを保存しますか？"), Sj("保存確認"), MsgIcon::Question,
                     closing ? MsgButtons::YesNoCancel : MsgButtons::YesNo);
    if (closing && a == MsgAnswer::Cancel) return SaveResult::Cancelled;
    if (a != MsgAnswer::Yes) return SaveResult::NotSaved;
    return WriteToFileName(s);
}

void NewAlbum(Session& s) {
    Album& album = s.album;
    album.entries.DeleteAll();
    album.style.ResetToDefaults();
    album.modified = false;
    album.sortColumn = -1;
    album.sortDescending = false;
    album.fileName = Album::NewFileName();
    album.currentEntry = -1;
    RefreshStatusTexts(s, StatusRefresh::NoTargetFolder);
}

int LoadAlbumFile(Session& s, std::string_view path) {
    Album& album = s.album;
    auto skipLongLine = [&s] {
        return s.ui.Message(
                   Sj("１行の長さが長すぎるため処理できません\nこの行を無視して処理を続行しますか？"
                      "\n\n（中止する場合は [いいえ] を選択してください）"),
                   Sj("読み込みエラー"), MsgIcon::Exclamation, MsgButtons::YesNo) == MsgAnswer::Yes;
    };
    Expected<AlbumRead> read = ReadAlbumFile(album, path, skipLongLine);
    if (!read) {
        Report(s.ui, read.error());
        return -1;
    }
    if (read->refusedNames > 0) {
        Report(s.ui, Problem{.kind = ProblemKind::NamesRefused, .count = read->refusedNames});
    }
    if (read->stopped) return -1;
    album.fileName = std::string(path);
    album.modified = false;
    return read->entries;
}

int OpenAlbumFile(Session& s, std::string_view path) {
    Album& album = s.album;
    int result = LoadAlbumFile(s, path);
    album.currentEntry = -1;
    RefreshStatusTexts(s, StatusRefresh::TargetFolderKnown);
    return result;
}

SaveResult SaveAlbum(Session& s) { return WriteToFileName(s); }

SaveResult SaveAlbumAs(Session& s, std::string_view path) {
    SaveResult result = SaveAlbumTo(s, path);
    if (result == SaveResult::Saved) s.album.fileName = std::string(path);
    return result;
}

SaveResult SaveAlbumTo(Session& s, std::string_view path) { return WriteChecked(s, path); }

bool StoreAlbumFile(Session& s, std::string_view path) {
    Expected<int> written = WriteAlbumFile(s.album, path);
    if (!written) Report(s.ui, written.error());
    return written.has_value();
}

std::string ProposedSaveName(const Session& s) { return LastComponent(s.album.style.TargetFolder); }

int ChooseTargetFolder(Session& s, std::string_view folder, std::string* leftOut) {
    Album& album = s.album;
    album.currentEntry = -1;
    album.style.TargetFolder = std::string(folder);
    SetDefaultFolders(album.style, folder, s.settings);
    album.fileName = Album::NewFileName();
    album.modified = true;
    album.entries.DeleteAll();
    int result =
        ScanFolder(album, album.style.TargetFolder, ScanMode::Fresh, s.settings, s.ui, leftOut);
    album.sortColumn = -1;
    album.sortDescending = false;
    SortByColumn(s, COL_FILE);
    album.currentEntry = -1;
    RefreshStatusTexts(s, StatusRefresh::TargetFolderKnown);
    return result;
}

int RefreshAlbum(Session& s, std::string* leftOut) {
    int result = ScanFolder(s.album, s.album.style.TargetFolder, ScanMode::Refresh, s.settings,
                            s.ui, leftOut);
    RefreshStatusTexts(s, StatusRefresh::RowCount);
    return result;
}

void DeleteSelectedEntries(Session& s) {
    s.album.entries.DeleteSelected(s.album.currentEntry);
    RefreshStatusTexts(s, StatusRefresh::RowCount);
    // Even with nothing selected: the key press itself counts as an edit.
    s.album.modified = true;
}

void SelectAllEntries(Session& s) {
    s.album.entries.SelectAll();
    RefreshStatusTexts(s, StatusRefresh::RowCount);
}

void SortByColumn(Session& s, int column) {
    Album& album = s.album;
    if (column < 0 || column >= kColumnCount) return;
    if (album.entries.Count() > 0) album.modified = true;
    if (column == album.sortColumn) album.sortDescending = !album.sortDescending;
    std::vector<int> moved =
        album.entries.Sort(column, album.sortDescending, s.settings.EnvSortUpLow);
    // The preview's entry moves with its row.
    if (album.currentEntry >= 0 && album.currentEntry < static_cast<int>(moved.size())) {
        album.currentEntry = moved[static_cast<size_t>(album.currentEntry)];
    }
    album.sortColumn = column;
}

void RefreshStatusTexts(Session& s, StatusRefresh what) {
    const Album& album = s.album;
    if (what == StatusRefresh::NoTargetFolder) {
        s.ui.SetStatus(StatusPane::TargetFolder, Sj("（選択されていません）"));
    }
    if (what == StatusRefresh::TargetFolderKnown) {
        s.ui.SetStatus(StatusPane::TargetFolder, album.style.TargetFolder);
    }
    int selected = album.entries.SelectedCount();
    s.ui.SetStatus(StatusPane::RowCount, selected > 1
                                             ? SjFormat("選択 %5d 行", selected)
                                             : SjFormat("　　 %5d 行", album.entries.Count()));
}

std::string WindowTitle(const Session& s, std::string_view programName) {
    auto baseOf = [](std::string_view path) {
        std::string last = LastComponent(path);
        size_t dot = last.rfind('.');
        return dot == std::string::npos || dot == 0 ? last : last.substr(0, dot);
    };
    return baseOf(s.album.fileName) + " - " + baseOf(programName);
}

}  // namespace mirulane
