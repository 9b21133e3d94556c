#include "platform/fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/cp932.h"

namespace mirulane {

std::optional<std::string> ToSystemPath(std::string_view cp932Path) {
    // A NUL byte would end the path early at the system call, so it would name another file.
    if (cp932Path.find('\0') != std::string_view::npos) return std::nullopt;
    auto utf8 = Cp932ToUtf8(cp932Path);
    if (!utf8) return std::nullopt;
    std::replace(utf8->begin(), utf8->end(), '\\', '/');
    return utf8;
}

namespace {

// Resolves a CP932 path for a system call; sets err to EILSEQ when it cannot be converted.
bool Resolve(std::string_view path, std::string& out, int& err) {
    auto sys = ToSystemPath(path);
    if (!sys) {
        err = EILSEQ;
        return false;
    }
    out = std::move(*sys);
    if (out.empty()) out.assign(1, '.');
    return true;
}

}  // namespace

int GetFileStatus(std::string_view path, FileStatus& out) {
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    struct statx sx {};
    if (statx(AT_FDCWD, sys.c_str(), 0, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return errno;
    out.isDirectory = S_ISDIR(sx.stx_mode);
    out.size = sx.stx_size;
    out.modificationTime = sx.stx_mtime.tv_sec;
    out.creationTime = (sx.stx_mask & STATX_BTIME) ? static_cast<int64_t>(sx.stx_btime.tv_sec)
                                                   : out.modificationTime;
    return 0;
}

bool FileExists(std::string_view path) {
    FileStatus st;
    return GetFileStatus(path, st) == 0;
}

bool IsDirectory(std::string_view path) {
    FileStatus st;
    return GetFileStatus(path, st) == 0 && st.isDirectory;
}

int MakeDirectory(std::string_view path) {
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    if (mkdir(sys.c_str(), 0777) == 0) return 0;
    err = errno;
    if (err == EEXIST && IsDirectory(path)) return 0;
    return err;
}

int ListDirectory(std::string_view folder, DirListing& out) {
    out = DirListing{};
    std::string sys;
    int err = 0;
    if (!Resolve(folder, sys, err)) return err;
    DIR* dir = opendir(sys.c_str());
    if (!dir) return errno;
    int dirFd = dirfd(dir);
    while (dirent* item = readdir(dir)) {
        const char* name = item->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        bool isDir = item->d_type == DT_DIR;
        if (item->d_type == DT_UNKNOWN || item->d_type == DT_LNK) {
            struct stat st {};
            isDir = fstatat(dirFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        // Only files are counted as skipped: the callers never enter folders anyway.
        if (std::strchr(name, '\\')) {
            // A backslash is a separator inside the system; such a name cannot be addressed.
            if (!isDir) ++out.skippedBackslash;
            continue;
        }
        auto cp = Utf8ToCp932(name);
        if (!cp) {
            if (!isDir) ++out.skippedUnrepresentable;
            continue;
        }
        // Some characters share their Shift-JIS code with another: "¥" becomes the backslash,
        // "〜" comes back as "～". Such a name would address another file, or a subfolder.
        if (FindLastSeparator(*cp) != std::string::npos) {
            if (!isDir) ++out.skippedBackslash;
            continue;
        }
        auto back = Cp932ToUtf8(*cp);
        if (!back || *back != name) {
            if (!isDir) ++out.skippedUnrepresentable;
            continue;
        }
        out.items.push_back({std::move(*cp), isDir});
    }
    closedir(dir);
    // Folded keys are computed once, not per comparison.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(out.items.size());
    for (size_t i = 0; i < out.items.size(); ++i) keys.emplace_back(FoldCase(out.items[i].name), i);
    std::sort(keys.begin(), keys.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first) return a.first < b.first;
        return out.items[a.second].name < out.items[b.second].name;
    });
    std::vector<DirItem> sorted;
    sorted.reserve(keys.size());
    for (auto& k : keys) sorted.push_back(std::move(out.items[k.second]));
    out.items = std::move(sorted);
    return 0;
}

int ReadFileBytes(std::string_view path, std::string& out, size_t maxBytes) {
    out.clear();
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    return ReadSystemFile(sys, out, maxBytes);
}

int ReadSystemFile(const std::string& sys, std::string& out, size_t maxBytes) {
    out.clear();
    InputFile file;
    if (int err = file.OpenSystem(sys)) return err;
    char buf[65536];
    while (out.size() < maxBytes) {
        size_t want = std::min(sizeof buf, maxBytes - out.size());
        size_t got = file.Read(buf, want);
        if (got == 0) break;
        out.append(buf, got);
    }
    if (file.LastError() != 0) {
        out.clear();
        return file.LastError();
    }
    return 0;
}

namespace {

int WriteAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;  // no progress: never spin
        p += n;
        left -= static_cast<size_t>(n);
    }
    return 0;
}

}  // namespace

int WriteNewFile(std::string_view path, std::string_view bytes) {
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    int fd = open(sys.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return errno;
    err = WriteAll(fd, bytes);
    if (close(fd) != 0 && err == 0) err = errno;
    if (err != 0) unlink(sys.c_str());
    return err;
}

int WriteFileReplacing(std::string_view path, std::string_view bytes, WriteStage* failedStage) {
    std::string sys;
    int err = 0;
    if (failedStage) *failedStage = WriteStage::None;
    if (!Resolve(path, sys, err)) {
        if (failedStage) *failedStage = WriteStage::Create;
        return err;
    }
    return WriteSystemFileReplacing(sys, bytes, failedStage);
}

int WriteSystemFileReplacing(const std::string& target, std::string_view bytes,
                             WriteStage* failedStage) {
    // A symbolic link is written through: the file it names is replaced and the link stays.
    std::string sys = target;
    struct stat link {};
    if (lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
        if (char* real = realpath(target.c_str(), nullptr)) {
            sys = real;
            std::free(real);
        }
    }
    int err = 0;
    WriteStage stage = WriteStage::None;
    auto fail = [&](WriteStage s, int e) {
        if (failedStage) *failedStage = s;
        return e;
    };
    // A file the user may not write stays as it is: a rename would get past the missing write
    // permission that writing the file in place meets.
    if (access(sys.c_str(), F_OK) == 0 && access(sys.c_str(), W_OK) != 0) {
        return fail(WriteStage::Create, errno);
    }
    size_t slash = sys.rfind('/');
    // The temporary file lives in the target's folder, so the final rename cannot cross
    // file systems.
    std::string tmpl = slash == std::string::npos ? std::string("./") : sys.substr(0, slash + 1);
    tmpl.append(".mrl-XXXXXX");
    int fd = mkstemp(tmpl.data());
    if (fd < 0) return fail(WriteStage::Create, errno);
    // Keep the permissions a newly created file would get, not mkstemp's 0600.
    mode_t mask = umask(0);
    umask(mask);
    struct stat existing {};
    mode_t mode = (stat(sys.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : (0666 & ~mask);
    fchmod(fd, mode);
    err = WriteAll(fd, bytes);
    if (err == 0 && fsync(fd) != 0) err = errno;
    if (close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        stage = WriteStage::Write;
    } else if (rename(tmpl.c_str(), sys.c_str()) != 0) {
        err = errno;
        stage = WriteStage::Rename;
    }
    if (err != 0) {
        unlink(tmpl.c_str());
        return fail(stage, err);
    }
    if (failedStage) *failedStage = WriteStage::None;
    return 0;
}

InputFile::~InputFile() { Close(); }

int InputFile::Open(std::string_view path) {
    Close();
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    return OpenSystem(sys);
}

int InputFile::OpenSystem(const std::string& sys) {
    Close();
    lastError_ = 0;
    // Opened without blocking, so a named pipe cannot stall a scan (it reads as empty).
    // Regular files ignore the flag, so their reads are unchanged and cost no extra call.
    fd_ = open(sys.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return errno;
    // A directory opens read-only too; refuse it here, where callers expect the failure.
    struct stat st {};
    if (fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        Close();
        return EISDIR;
    }
    return 0;
}

size_t InputFile::ReadSome(void* buf, size_t n) {
    if (fd_ < 0) return 0;
    for (;;) {
        ssize_t got = read(fd_, buf, n);
        if (got >= 0) return static_cast<size_t>(got);
        if (errno != EINTR) {
            lastError_ = errno;
            return 0;
        }
    }
}

size_t InputFile::Read(void* buf, size_t n) {
    size_t total = 0;
    char* p = static_cast<char*>(buf);
    while (total < n) {
        size_t got = ReadSome(p + total, n - total);
        if (got == 0) break;
        total += got;
    }
    return total;
}

bool InputFile::Skip(int64_t delta) {
    if (fd_ < 0) return false;
    return lseek(fd_, static_cast<off_t>(delta), SEEK_CUR) >= 0;
}

void InputFile::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

}  // namespace mirulane
