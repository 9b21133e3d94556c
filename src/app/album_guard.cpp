#include "app/album_guard.h"

#include <cerrno>
#include <cstdio>

#include "album/album_file.h"
#include "platform/file_stamp.h"
#include "platform/fs.h"
#include "platform/paths.h"

namespace mirulane {
namespace {

constexpr size_t kNameMax = 255;  // bytes of a name on the system

// True when a and b name one file: the same path, or two paths of one existing file.
bool SameFile(std::string_view a, std::string_view b) {
    if (a.empty() || b.empty()) return false;
    if (a == b) return true;
    auto ia = GetFileId(a);
    return ia && ia == GetFileId(b);
}

}  // namespace

std::string AlbumLockPath(std::string_view listPath) {
    const std::string file = FollowLinks(listPath);
    const std::string base = LastComponent(file);
    std::string name = "." + base + ".lock";
    auto sys = ToSystemPath(name);
    // A name near the system's limit gets a lock name of fixed length.
    if (!sys || sys->size() > kNameMax) {
        char hex[17];
        std::snprintf(hex, sizeof hex, "%016llx",
                      static_cast<unsigned long long>(StampOfBytes(base).hash));
        name = std::string(".mirulane-") + hex + ".lock";
    }
    return JoinPath(FolderOfFile(file), name);
}

bool IsAlbumLockName(std::string_view name) {
    constexpr std::string_view kSuffix = ".lock";
    return name.size() > kSuffix.size() + 1 && name[0] == '.' &&
           name.substr(name.size() - kSuffix.size()) == kSuffix;
}

AlbumLock::AlbumLock(std::string_view listPath) : lock_(AlbumLockPath(listPath)) {}

AlbumLock::Status AlbumLock::status() const {
    switch (lock_.status()) {
        case FileLock::Status::Held:
            return Status::Held;
        case FileLock::Status::Busy:
            return Status::Busy;
        case FileLock::Status::Failed:
            break;
    }
    return Status::Unavailable;
}

bool ChangedOnDisk(const Album& album, std::string_view path) {
    if (!SameFile(album.stampPath, path)) return false;
    return CompareWithFile(album.stamp, path) == FileChange::Changed;
}

AdoptResult AdoptOutputFile(Album& album, std::string_view path) {
    if (SameFile(album.stampPath, path)) return AdoptResult::Adopted;
    FileStatus status;
    int err = GetFileStatus(path, status);
    if (err == ENOENT || err == ENOTDIR) {
        album.stampPath = std::string(path);
        album.stamp = FileStamp{};
        return AdoptResult::Adopted;
    }
    std::string text;
    if (err != 0 || status.isDirectory || ReadFileBytes(path, text) != 0) {
        return AdoptResult::Adopted;
    }
    // An empty file holds nothing a save could lose.
    if (!text.empty() && !HoldsAlbumList(text, FolderOfFile(path))) {
        return AdoptResult::NotAnAlbum;
    }
    album.stampPath = std::string(path);
    album.stamp = StampOfBytes(text);
    return AdoptResult::Adopted;
}

}  // namespace mirulane
