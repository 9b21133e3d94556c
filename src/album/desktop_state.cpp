#include "album/desktop_state.h"

#include <algorithm>

#include "platform/profile.h"
#include "platform/text.h"

namespace mirulane {
namespace {

constexpr const char* kRecentSection = "RecentAlbums";
constexpr const char* kWindowSection = "Window";

std::string AlbumKey(size_t index) { return "Album" + std::to_string(index + 1); }

struct IntKey {
    const char* key;
    int WindowPlacement::*field;
};

constexpr IntKey kWindowInts[] = {
    {"Left", &WindowPlacement::left},           {"Top", &WindowPlacement::top},
    {"Width", &WindowPlacement::width},         {"Height", &WindowPlacement::height},
    {"ListWidth", &WindowPlacement::listWidth}, {"PreviewWidth", &WindowPlacement::previewWidth},
};

// "120,80,200": the column widths; a part that is no number reads as 0 (its column keeps
// its built-in width).
std::vector<int> ParseWidths(std::string_view text) {
    std::vector<int> widths;
    while (!text.empty()) {
        size_t comma = text.find(',');
        widths.push_back(ParseLeadingInt(text.substr(0, comma)));
        if (comma == std::string_view::npos) break;
        text.remove_prefix(comma + 1);
    }
    return widths;
}

}  // namespace

std::vector<std::string> LoadRecentAlbums(const IniProfile& profile) {
    std::vector<std::string> albums;
    for (size_t i = 0; i < kRecentAlbumCount; ++i) {
        std::string path = profile.GetString(kRecentSection, AlbumKey(i), "");
        if (path.empty() || std::find(albums.begin(), albums.end(), path) != albums.end()) {
            continue;
        }
        albums.push_back(std::move(path));
    }
    return albums;
}

void SaveRecentAlbums(IniProfile& profile, const std::vector<std::string>& albums) {
    for (size_t i = 0; i < kRecentAlbumCount; ++i) {
        std::string key = AlbumKey(i);
        if (i < albums.size()) {
            // Quoted, so that blanks at either end of a name are read back as they are.
            profile.SetString(kRecentSection, key, "\"" + albums[i] + "\"");
        } else if (!profile.GetString(kRecentSection, key, "").empty()) {
            profile.SetString(kRecentSection, key, "");
        }
    }
}

WindowPlacement LoadWindowPlacement(const IniProfile& profile) {
    WindowPlacement p;
    for (const IntKey& k : kWindowInts) p.*k.field = profile.GetInt(kWindowSection, k.key, 0);
    p.maximized = profile.GetInt(kWindowSection, "Maximized", 0) != 0;
    p.columnWidths = ParseWidths(profile.GetString(kWindowSection, "Columns", ""));
    if (p.width <= 0 || p.height <= 0) return {};
    return p;
}

void SaveWindowPlacement(IniProfile& profile, const WindowPlacement& p) {
    if (p.width <= 0 || p.height <= 0) return;
    for (const IntKey& k : kWindowInts) profile.SetInt(kWindowSection, k.key, p.*k.field);
    profile.SetInt(kWindowSection, "Maximized", p.maximized ? 1 : 0);
    std::string widths;
    for (int w : p.columnWidths) {
        if (!widths.empty()) widths += ',';
        widths += std::to_string(w);
    }
    profile.SetString(kWindowSection, "Columns", widths);
}

}  // namespace mirulane
