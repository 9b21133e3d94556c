#pragma once
// The album commands as core operations: new, open, save, save as, the save prompt, choosing
// a target folder, refresh, delete, select all, sorting by a column, and the status texts.
// The front end shows its own file and folder dialogs and passes the chosen paths in.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/session.h"

namespace mirulane {

// Asks for a file name to save under, proposing a name; nullopt when the user cancels.
using ChooseSaveName = std::function<std::optional<std::string>(const std::string& proposed)>;

// Asks "編集中のリストを保存しますか？" when the album is modified and saves on Yes. The
// operation that asked always goes on.
void SavePrompt(Session& s, const ChooseSaveName& choose);

// A new, empty album (after the save prompt, which the caller runs). Group names are kept.
void NewAlbum(Session& s);

// Reads an album list file (CP932 path). On success the path becomes the album's file name
// and the modified flag is cleared. Returns the reader's result.
int OpenAlbumFile(Session& s, std::string_view path);

// Writes to the current file name, or asks for one (Save As) while the album is new.
int SaveAlbum(Session& s, const ChooseSaveName& choose);
// Writes to path; on success the path becomes the album's file name.
int SaveAlbumAs(Session& s, std::string_view path);

// The name Save As proposes: the last path component of the target folder.
std::string ProposedSaveName(const Session& s);

// Makes folder the target folder: derives the output folders and the top-page title, scans it
// fresh and sorts by file name ascending. Returns the scan's result.
int ChooseTargetFolder(Session& s, std::string_view folder);

// Rescans the target folder into the existing list (new files at the end).
int RefreshAlbum(Session& s);

void DeleteSelectedEntries(Session& s);
void SelectAllEntries(Session& s);

// Sorts by column c the way a click on its header does: the same column again reverses the
// direction; another column keeps the direction.
void SortByColumn(Session& s, int column);

// The status texts: 0 initial (no target folder), 1 target folder known, 2 selection changed.
void RefreshStatusTexts(Session& s, int mode);

// The window title: the album file's base name, " - ", the program's base name.
std::string WindowTitle(const Session& s, std::string_view programName);

}  // namespace mirulane
