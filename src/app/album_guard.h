#pragma once
// What keeps an album list file from losing an edit: the lock a run holds while it works on
// the file, the comparison of the file on disk with what the album read or last wrote, and
// the check of a file a run will replace without having read it.

#include <string>
#include <string_view>

#include "album/album.h"
#include "platform/file_lock.h"

namespace mirulane {

// The lock of an album list file. A run that will write the file holds it from before its
// read to after its save, so a second run cannot read the file meanwhile and later replace
// what the first one saved. The lock file is ".NAME.lock" beside the file (beside the file a
// symbolic link leads to, so two names of one file share the lock); the system lets go of it
// when the holder ends, killed or not.
class AlbumLock {
  public:
    enum class Status {
        Held,
        Busy,  // another run holds it
        // No lock file can be made there (a folder without write permission, a missing
        // folder): the run goes on without; its save meets the same obstacle and says so, and
        // the comparison with the file on disk still guards the file.
        Unavailable,
    };

    explicit AlbumLock(std::string_view listPath);
    Status status() const;

  private:
    FileLock lock_;
};

// The lock file's CP932 path for an album list file.
std::string AlbumLockPath(std::string_view listPath);

// True for the name of a lock file (".NAME.lock"): the list file usually lies in the target
// folder, whose scan must not take its lock file for a file of the album.
bool IsAlbumLockName(std::string_view name);

// True when path is the file the album read or last wrote and the file on disk holds other
// bytes now (or appeared where there was none). A file that is gone since is not changed:
// writing it loses nothing.
bool ChangedOnDisk(const Album& album, std::string_view path);

enum class AdoptResult {
    Adopted,     // absent, empty or an album list file: stamped as it is now
    NotAnAlbum,  // a file of other text, which a save must not replace
};

// For a run that will write path without having read it (a new list file, another output):
// takes the file as it is now as the album's stamp, so that a change made there during the
// run is not replaced, and refuses a file that holds no album list. A path the album already
// read or wrote keeps its stamp. A file that cannot be read is left to the write to report.
AdoptResult AdoptOutputFile(Album& album, std::string_view path);

}  // namespace mirulane
