#pragma once
// The album commands as core operations: new, open, save, save as, the save prompt, choosing
// a target folder, refresh, delete, select all, sorting by a column, and the status texts.
// The front end shows its own file and folder dialogs and passes the chosen paths in.
//
// The list's view follows the entry list's own notifications (EntryListObserver); the commands
// announce nothing themselves.

#include <string>
#include <string_view>

#include "app/folder_scan.h"
#include "app/session.h"

namespace mirulane {

enum class SaveResult {
    Saved,
    NotSaved,   // nothing to save, or the user answered "no" to the save prompt
    Failed,     // the album list file could not be written (the user was told why)
    NeedsName,  // the album has never been saved: the front end asks for a name
    Cancelled,  // closing: the user answered キャンセル and stays with the album
};

// Which save question: the other commands go on whatever the answer; closing the window can be
// taken back (キャンセル, Escape or the box's close button).
enum class SaveAsk { GoOn, Closing };

// Asks "編集中のリストを保存しますか？" when the album is modified and saves on Yes. The
// operation that asked always goes on. NeedsName: the album was never saved (or its file
// changed on disk and the user chose another name); the front end asks for a file name
// (proposing ProposedSaveName) and writes there with SaveAlbumTo, which leaves the album's
// file name as it is (only Save As names it). Closing adds キャンセル (Cancelled).
SaveResult SavePrompt(Session& s, SaveAsk ask = SaveAsk::GoOn);

// A new, empty album (after the save prompt, which the caller runs). Group names are kept.
void NewAlbum(Session& s);

// Reads an album list file (CP932 path), asking whether to skip a line too long to read, and
// tells what kept it from being read, or how many lines it skipped for their file names. On
// success the path becomes the album's file name and the modified flag is cleared. The number
// of entries, or -1 when the file could not be read or the user stopped at a long line.
int OpenAlbumFile(Session& s, std::string_view path);
// The same without a window: no preview and no status texts.
int LoadAlbumFile(Session& s, std::string_view path);

// Every save below first compares the file it would replace with the album's stamp: when it
// is the file the album read or last wrote and someone changed it since, the user is asked
// whether to replace that change: はい replaces the file, いいえ answers NeedsName (save under
// another name), キャンセル saves nothing (NotSaved). The album stays modified unless it was
// saved. A file gone since is simply written.

// Writes to the current file name. NeedsName while the album is new: the front end asks for
// a file name (proposing ProposedSaveName) and calls SaveAlbumAs.
SaveResult SaveAlbum(Session& s);
// Writes to path; once saved the path becomes the album's file name.
SaveResult SaveAlbumAs(Session& s, std::string_view path);
// Writes to path and leaves the album's file name as it is (the save prompt's answer for an
// album never saved).
SaveResult SaveAlbumTo(Session& s, std::string_view path);

// Writes the album list file to path as it is, with no question (a command that has decided
// already), and tells why when it cannot. True when written.
bool StoreAlbumFile(Session& s, std::string_view path);

// The name Save As proposes: the last path component of the target folder.
std::string ProposedSaveName(const Session& s);

// Makes folder the target folder: derives the output folders and the top-page title, scans it
// fresh and sorts by file name ascending. Returns the scan's result. leftOut: as ScanFolder's.
int ChooseTargetFolder(Session& s, std::string_view folder, std::string* leftOut = nullptr);

// Rescans the target folder into the existing list (new files at the end).
int RefreshAlbum(Session& s, std::string* leftOut = nullptr);

void DeleteSelectedEntries(Session& s);
void SelectAllEntries(Session& s);

// Sorts by column c the way a click on its header does: the same column again reverses the
// direction; another column keeps the direction.
void SortByColumn(Session& s, int column);

// Which status texts to bring up to date.
enum class StatusRefresh {
    NoTargetFolder,     // the album has none yet: the folder pane says so; the row count
    TargetFolderKnown,  // the folder pane shows the target folder; the row count
    RowCount,           // the selection or the rows changed: the row count only
};
void RefreshStatusTexts(Session& s, StatusRefresh what);

// The window title: the album file's base name, " - ", the program's base name.
std::string WindowTitle(const Session& s, std::string_view programName);

}  // namespace mirulane
