#pragma once
// An exclusive lock on a lock file, for runs that must not work on the same file at once. The
// lock is the system's (flock): it goes with the process however the process ends, so a
// killed run never leaves a lock that holds others out. The lock file is removed when the lock
// is let go; one left behind by a killed run is only a name, which the next run takes over.

#include <string>
#include <string_view>

namespace mirulane {

class FileLock {
  public:
    enum class Status {
        Held,    // this object holds the lock
        Busy,    // another holder has it
        Failed,  // the lock file could not be opened (error() tells why)
    };

    FileLock() = default;
    // Tries once, without waiting, to lock the file at the CP932 path (created when missing).
    explicit FileLock(std::string_view path);
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    Status status() const { return status_; }
    int error() const { return error_; }

    // Lets the lock go (removing the lock file) before the object goes.
    void Release();

  private:
    std::string systemPath_;
    int fd_ = -1;
    Status status_ = Status::Failed;
    int error_ = 0;
};

// The CP932 path of the file a path names once symbolic links are followed; the path itself
// when it names nothing or the result cannot be written in Shift-JIS. Locks taken through two
// names of one file then meet.
std::string FollowLinks(std::string_view path);

}  // namespace mirulane
