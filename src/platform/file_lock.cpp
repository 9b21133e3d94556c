#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

#include "platform/cp932.h"
#include "platform/fs.h"

namespace mirulane {
namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

FileLock::FileLock(std::string_view path) {
    auto sys = ToSystemPath(path);
    if (!sys) {
        error_ = EILSEQ;
        return;
    }
    systemPath_ = std::move(*sys);
    // A holder removes the lock file while it still holds the lock. Whoever opened the file
    // just before that locks a file that no longer has the name, while the next comer makes a
    // new one: so after locking, the name must still lead to the file locked, else the lock
    // is worth nothing and the attempt starts again.
    for (int attempt = 0; attempt < 100; ++attempt) {
        // Read-only is enough for the lock, so a lock file left by another user still serves;
        // a link or a named pipe planted under the name is never followed or waited on.
        int fd = open(systemPath_.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK,
                      0644);
        if (fd < 0) {
            error_ = errno;
            return;
        }
        struct stat locked {};
        int err = fstat(fd, &locked) != 0 ? errno : S_ISREG(locked.st_mode) ? 0 : EINVAL;
        if (err != 0) {
            error_ = err;
            close(fd);
            return;
        }
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            err = errno;
            close(fd);
            if (err == EWOULDBLOCK) {
                status_ = Status::Busy;
            } else {
                error_ = err;
            }
            return;
        }
        struct stat named {};
        if (lstat(systemPath_.c_str(), &named) == 0 && SameFile(named, locked)) {
            fd_ = fd;
            status_ = Status::Held;
            return;
        }
        close(fd);
    }
    error_ = EAGAIN;
}

FileLock::~FileLock() { Release(); }

FileLock::FileLock(FileLock&& other) noexcept
    : systemPath_(std::move(other.systemPath_)),
      fd_(std::exchange(other.fd_, -1)),
      status_(std::exchange(other.status_, Status::Failed)),
      error_(other.error_) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        Release();
        systemPath_ = std::move(other.systemPath_);
        fd_ = std::exchange(other.fd_, -1);
        status_ = std::exchange(other.status_, Status::Failed);
        error_ = other.error_;
    }
    return *this;
}

void FileLock::Release() {
    if (fd_ < 0) return;
    // Removed while still locked, and only while the name still leads to the locked file:
    // nobody else removes it meanwhile, since only a holder removes.
    struct stat locked {};
    struct stat named {};
    if (fstat(fd_, &locked) == 0 && lstat(systemPath_.c_str(), &named) == 0 &&
        SameFile(locked, named)) {
        unlink(systemPath_.c_str());
    }
    close(fd_);
    fd_ = -1;
    status_ = Status::Failed;
}

std::string FollowLinks(std::string_view path) {
    auto sys = ToSystemPath(path);
    if (!sys) return std::string(path);
    char* real = realpath(sys->c_str(), nullptr);
    if (!real) return std::string(path);
    const std::string resolved = real;
    std::free(real);
    // Only a path that leads back to the same name (no backslash, no character that shares
    // its Shift-JIS code with another) can stand for it.
    auto cp932 = Utf8ToCp932(resolved);
    if (!cp932 || ToSystemPath(*cp932) != resolved) return std::string(path);
    return *cp932;
}

}  // namespace mirulane
