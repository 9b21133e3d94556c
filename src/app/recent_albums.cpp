#include "app/recent_albums.h"

#include <algorithm>

#include "app/album_commands.h"
#include "app/problem_text.h"
#include "platform/fs.h"

namespace mirulane {

bool RememberRecentAlbum(std::vector<std::string>& albums, std::string_view path) {
    if (path.empty() || (!albums.empty() && albums.front() == path)) return false;
    ForgetRecentAlbum(albums, path);
    albums.insert(albums.begin(), std::string(path));
    if (albums.size() > kRecentAlbumCount) albums.resize(kRecentAlbumCount);
    return true;
}

bool ForgetRecentAlbum(std::vector<std::string>& albums, std::string_view path) {
    auto at = std::find(albums.begin(), albums.end(), path);
    if (at == albums.end()) return false;
    albums.erase(at);
    return true;
}

RecentOpen OpenRecentAlbum(Session& s, const std::string& path) {
    // A folder under the old name is no album list file either.
    if (!FileExists(path) || IsDirectory(path)) {
        Report(s.ui, Problem{.kind = ProblemKind::RecentAlbumGone, .path = path});
        ForgetRecentAlbum(s.settings.recentAlbums, path);
        return RecentOpen::Gone;
    }
    if (OpenAlbumFile(s, path) < 0) return RecentOpen::NotOpened;
    RememberRecentAlbum(s.settings.recentAlbums, path);
    return RecentOpen::Opened;
}

}  // namespace mirulane
