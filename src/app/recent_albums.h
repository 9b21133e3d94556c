#pragma once
// The album list files used last, as ファイル lists them: each file opened or saved goes to
// the head of the list, once; the list keeps the latest kRecentAlbumCount; a file that is no
// longer there is said so when chosen, and leaves the list.

#include <string>
#include <string_view>
#include <vector>

#include "app/session.h"

namespace mirulane {

// Puts path (CP932) at the head of the list, dropping its older place and whatever falls
// beyond kRecentAlbumCount; true when the list changed.
bool RememberRecentAlbum(std::vector<std::string>& albums, std::string_view path);
// Takes path out of the list; true when it was there.
bool ForgetRecentAlbum(std::vector<std::string>& albums, std::string_view path);

enum class RecentOpen {
    Opened,     // the album was read, and its file heads the list
    NotOpened,  // the file is there but could not be read (the reader has said why)
    Gone,       // no such file any more: said so, and taken out of the list
};

// Opens one of the session's recent albums (a path of s.settings.recentAlbums) as 開く does
// after its file chooser; the save question is the caller's, before.
RecentOpen OpenRecentAlbum(Session& s, const std::string& path);

}  // namespace mirulane
