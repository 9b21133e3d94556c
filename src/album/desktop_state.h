#pragma once
// What the desktop program remembers between runs beside its options: the album list files
// used last (section "RecentAlbums") and where its window stood (section "Window"). Both
// live in the profile after the options, so that the options' keys keep their order.

#include <string>
#include <vector>

namespace mirulane {

class IniProfile;

// How many album list files ファイル lists.
constexpr size_t kRecentAlbumCount = 8;

// The main window as it was left. A width of 0 means it was never saved: the window then
// takes its built-in size.
struct WindowPlacement {
    int left = 0;  // the window's normal (not maximized) place and size, in screen pixels
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
    int listWidth = 0;  // the splitter's two panes; 0: never saved
    int previewWidth = 0;
    std::vector<int> columnWidths;  // the list's columns in order; empty: never saved

    bool operator==(const WindowPlacement&) const = default;
};

// The recent album list files (CP932 paths, the latest first), at most kRecentAlbumCount;
// empty and repeated keys are passed over.
std::vector<std::string> LoadRecentAlbums(const IniProfile& profile);
// Writes the list as Album1, Album2 and so on; keys beyond it that the profile holds are
// emptied, and a profile without the section gets none for an empty list.
void SaveRecentAlbums(IniProfile& profile, const std::vector<std::string>& albums);

WindowPlacement LoadWindowPlacement(const IniProfile& profile);
// Writes nothing for a placement that was never saved.
void SaveWindowPlacement(IniProfile& profile, const WindowPlacement& placement);

}  // namespace mirulane
