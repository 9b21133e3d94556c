#include "app/album_commands.h"

#include "album/album_file.h"
#include "app/folder_scan.h"
#include "html/output_folders.h"
#include "platform/cp932.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

void SavePrompt(Session& s, const ChooseSaveName& choose) {
    Album& album = s.album;
    if (!album.modified) return;
    MsgAnswer a = s.ui.Message(Sj("編集中のリストを保存しますか？"), Sj("保存確認"),
                               MsgIcon::Question, MsgButtons::YesNo);
    if (a != MsgAnswer::Yes) return;
    if (album.fileName != Album::NewFileName()) {
        WriteAlbumFile(album, album.fileName, s.ui);
        return;
    }
    // The file name stays "新規" here: only Save As gives the album a name.
    if (auto path = choose(ProposedSaveName(s))) WriteAlbumFile(album, *path, s.ui);
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
    RefreshStatusTexts(s, 0);
}

int OpenAlbumFile(Session& s, std::string_view path) {
    Album& album = s.album;
    int result = ReadAlbumFile(album, path, s.ui);
    if (result >= 0) {
        album.fileName = std::string(path);
        album.modified = false;
    }
    album.currentEntry = -1;
    RefreshStatusTexts(s, 1);
    return result;
}

int SaveAlbum(Session& s, const ChooseSaveName& choose) {
    if (s.album.fileName != Album::NewFileName()) {
        return WriteAlbumFile(s.album, s.album.fileName, s.ui);
    }
    auto path = choose(ProposedSaveName(s));
    return path ? SaveAlbumAs(s, *path) : -1;
}

int SaveAlbumAs(Session& s, std::string_view path) {
    int result = WriteAlbumFile(s.album, path, s.ui);
    if (result >= 0) s.album.fileName = std::string(path);
    return result;
}

std::string ProposedSaveName(const Session& s) { return LastComponent(s.album.style.TargetFolder); }

int ChooseTargetFolder(Session& s, std::string_view folder) {
    Album& album = s.album;
    album.currentEntry = -1;
    album.style.TargetFolder = std::string(folder);
    SetDefaultFolders(album.style, folder, s.settings);
    album.fileName = Album::NewFileName();
    album.modified = true;
    album.entries.DeleteAll();
    int result = ScanFolder(album, album.style.TargetFolder, ScanMode::Fresh, s.settings, s.ui);
    album.sortColumn = -1;
    album.sortDescending = false;
    SortByColumn(s, COL_FILE);
    album.currentEntry = -1;
    RefreshStatusTexts(s, 1);
    return result;
}

int RefreshAlbum(Session& s) {
    int result =
        ScanFolder(s.album, s.album.style.TargetFolder, ScanMode::Refresh, s.settings, s.ui);
    RefreshStatusTexts(s, 2);
    return result;
}

void DeleteSelectedEntries(Session& s) {
    s.album.entries.DeleteSelected(s.album.currentEntry);
    RefreshStatusTexts(s, 2);
    // Even with nothing selected: the key press itself counts as an edit.
    s.album.modified = true;
}

void SelectAllEntries(Session& s) {
    s.album.entries.SelectAll();
    RefreshStatusTexts(s, 2);
}

void SortByColumn(Session& s, int column) {
    Album& album = s.album;
    if (column < 0 || column >= kColumnCount) return;
    if (album.entries.Count() > 0) album.modified = true;
    if (column == album.sortColumn) album.sortDescending = !album.sortDescending;
    album.entries.Sort(column, album.sortDescending, s.settings.EnvSortUpLow == 1);
    album.sortColumn = column;
}

void RefreshStatusTexts(Session& s, int mode) {
    const Album& album = s.album;
    if (mode == 0) s.ui.SetStatus(1, Sj("（選択されていません）"));
    if (mode == 1) s.ui.SetStatus(1, album.style.TargetFolder);
    int selected = album.entries.SelectedCount();
    s.ui.SetStatus(2, selected > 1 ? Format(Sj("選択 %5d 行").c_str(), selected)
                                   : Format(Sj("　　 %5d 行").c_str(), album.entries.Count()));
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
