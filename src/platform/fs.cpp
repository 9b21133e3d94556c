#include "platform/fs.h"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
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

int RemoveFile(std::string_view path) {
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    return unlink(sys.c_str()) == 0 ? 0 : errno;
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
    auto skip = [&out](int& count, const char* name) {
        ++count;
        out.skippedNames.emplace_back(name);
    };
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
            if (!isDir) skip(out.skippedBackslash, name);
            continue;
        }
        auto cp = Utf8ToCp932(name);
        if (!cp) {
            if (!isDir) skip(out.skippedUnrepresentable, name);
            continue;
        }
        // Some characters share their Shift-JIS code with another: "¥" becomes the backslash,
        // "〜" comes back as "～". Such a name would address another file, or a subfolder.
        if (FindLastSeparator(*cp) != std::string::npos) {
            if (!isDir) skip(out.skippedBackslash, name);
            continue;
        }
        auto back = Cp932ToUtf8(*cp);
        if (!back || *back != name) {
            if (!isDir) skip(out.skippedUnrepresentable, name);
            continue;
        }
        out.items.push_back({std::move(*cp), isDir});
    }
    closedir(dir);
    std::sort(out.skippedNames.begin(), out.skippedNames.end());
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

namespace {

constexpr std::string_view kTempPrefix = ".mrl-";
constexpr size_t kTempSuffixLength = 6;
constexpr char kTempChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

// The process id and the effective user, asked once (a run writes thousands of files); a
// child made by fork asks again, so its temporary files carry its own id, and a child that
// changes its user is judged as that user.
pid_t cachedPid = 0;
uid_t cachedUid = 0;
bool uidKnown = false;
void ForgetIdsInChildren() {
    static const bool registered = [] {
        pthread_atfork(nullptr, nullptr, [] {
            cachedPid = 0;
            uidKnown = false;
        });
        return true;
    }();
    (void)registered;
}
pid_t OwnPid() {
    ForgetIdsInChildren();
    if (cachedPid == 0) cachedPid = getpid();
    return cachedPid;
}
uid_t OwnUid() {
    ForgetIdsInChildren();
    if (!uidKnown) {
        cachedUid = geteuid();
        uidKnown = true;
    }
    return cachedUid;
}

// Creates the temporary file of a write in `folder` (empty, or ending in '/'), named
// ".mrl-<pid>-XXXXXX": the process id lets a later run tell the leftover of a killed writer
// from the file of one still at work. The name only has to differ from the leftovers of a
// dead process that had the same id, so the clock is random enough; a clash is retried.
int CreateTempFile(const std::string& folder, std::string& tmp, int& fd) {
    const std::string prefix =
        folder + std::string(kTempPrefix) + std::to_string(static_cast<long>(OwnPid())) + "-";
    for (uint64_t attempt = 0; attempt < 100; ++attempt) {
        uint64_t v =
            static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
            (attempt * 0x9E3779B97F4A7C15ull);
        tmp = prefix;
        for (size_t i = 0; i < kTempSuffixLength; ++i, v /= sizeof kTempChars - 1) {
            tmp += kTempChars[v % (sizeof kTempChars - 1)];
        }
        // Created with the permissions any new file gets; a replaced file's are copied later.
        fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return 0;
        if (errno != EEXIST) return errno;
    }
    return EEXIST;
}

// Gives a complete temporary file the name `target`, which must not exist: EEXIST when a file
// appeared there meanwhile, and then nothing is replaced.
int PlaceNew(const std::string& tmp, const std::string& target) {
    if (renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP) return err;
    // A file system without that kind of rename: a hard link refuses an existing name too.
    if (link(tmp.c_str(), target.c_str()) == 0) {
        unlink(tmp.c_str());
        return 0;
    }
    err = errno;
    if (err != EPERM && err != EOPNOTSUPP) return err;
    // Nor hard links (FAT): a plain rename after a last look.
    struct stat st {};
    if (lstat(target.c_str(), &st) == 0) return EEXIST;
    return rename(tmp.c_str(), target.c_str()) == 0 ? 0 : errno;
}

// The filler of a file whose bytes are in memory.
FileFiller BytesFiller(std::string_view bytes) {
    return [bytes](int fd, const std::string&) { return WriteAll(fd, bytes); };
}

struct WriteRules {
    bool followLink = true;  // false: a symbolic link is replaced, not written through
    bool flushNew = true;    // false: a file that is new is not flushed before it appears
    const FileIdSet* keep = nullptr;
};

// What is at a write's target, as one lstat saw it.
struct Existing {
    bool exists = false;
    bool isLink = false;
    FileId id;
    mode_t mode = 0;
    uid_t owner = 0;
};

Existing FromStat(bool exists, const struct stat& st) {
    Existing e;
    e.exists = exists;
    if (!exists) return e;
    e.isLink = S_ISLNK(st.st_mode);
    e.id = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    e.mode = st.st_mode;
    e.owner = st.st_uid;
    return e;
}

Existing FromPathStatus(const PathStatus* found) {
    Existing e;
    if (!found) return e;
    e.exists = true;
    e.isLink = found->isLink;
    e.id = found->id;
    e.mode = static_cast<mode_t>(found->mode);
    e.owner = static_cast<uid_t>(found->owner);
    return e;
}

// 0 when the user may write the file: for the owner the permission bits tell without asking
// the system again, for anyone else (and for root, whom they do not bind) access() does.
int MayWrite(const std::string& target, const Existing& e) {
    const uid_t euid = OwnUid();
    // Permission bits do not bind root (a read-only file system still stops the write).
    if (euid == 0) return 0;
    if (e.owner == euid) return (e.mode & S_IWUSR) ? 0 : EACCES;
    return access(target.c_str(), W_OK) == 0 ? 0 : errno;
}

// Refuses a write over a file that must be kept or that the user may not write (a rename
// would get past the missing write permission that writing the file in place meets).
int CheckReplaceable(const std::string& target, const Existing& e, const WriteRules& rules,
                     WriteStage& stage) {
    if (!e.exists || e.isLink) return 0;
    if (rules.keep && rules.keep->count(e.id) != 0) {
        stage = WriteStage::Refused;
        return EEXIST;
    }
    if (int err = MayWrite(target, e)) {
        stage = WriteStage::Create;
        return err;
    }
    return 0;
}

std::string FolderOfTarget(const std::string& target) {
    size_t slash = target.rfind('/');
    return slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
}

int64_t MtimeNs(const struct stat& st) {
    return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// Writes the bytes to a new temporary file beside `target` (in its folder, so that putting it
// in place cannot cross file systems), with the permissions of the file it replaces, flushed
// when `flush`; on failure nothing is left.
int WriteTemp(const std::string& target, const FileFiller& fill, const Existing& e, bool flush,
              std::string& tmp, WriteStage& stage, WrittenFile* written) {
    int fd = -1;
    if (int err = CreateTempFile(FolderOfTarget(target), tmp, fd)) {
        stage = WriteStage::Create;
        return err;
    }
    const bool keepMode = e.exists && !e.isLink;
    if (keepMode && !written) fchmod(fd, e.mode & 07777);
    int err = fill(fd, tmp);
    if (err == 0 && flush && fsync(fd) != 0) err = errno;
    if (err == 0 && written) {
        struct stat st {};
        if (fstat(fd, &st) != 0) {
            err = errno;
        } else {
            written->size = static_cast<uint64_t>(st.st_size);
            written->mtimeNs = MtimeNs(st);
            // The replaced file's permissions, unless the new file has them already.
            if (keepMode && (st.st_mode & 07777) != (e.mode & 07777)) fchmod(fd, e.mode & 07777);
        }
    }
    if (close(fd) != 0 && err == 0) err = errno;
    if (err != 0) {
        unlink(tmp.c_str());
        stage = WriteStage::Write;
        return err;
    }
    return 0;
}

int StoreFile(std::string target, const FileFiller& fill, const WriteRules& rules,
              WriteStage& stage, const Existing* known = nullptr, WrittenFile* written = nullptr) {
    // Twice at most: a new file whose name is taken meanwhile is written again as a
    // replacement.
    for (int round = 0;; ++round) {
        Existing e;
        if (known && round == 0) {
            e = *known;
        } else {
            struct stat existing {};
            e = FromStat(lstat(target.c_str(), &existing) == 0, existing);
        }
        if (e.exists && e.isLink && rules.followLink) {
            if (char* real = realpath(target.c_str(), nullptr)) {
                target = real;
                std::free(real);
                struct stat existing {};
                e = FromStat(stat(target.c_str(), &existing) == 0, existing);
            }
        }
        if (int err = CheckReplaceable(target, e, rules, stage)) return err;
        std::string tmp;
        // An existing file is only replaced by one that is safely on disk.
        if (int err = WriteTemp(target, fill, e, e.exists || rules.flushNew, tmp, stage, written)) {
            return err;
        }
        int err = 0;
        if (e.exists) {
            err = rename(tmp.c_str(), target.c_str()) == 0 ? 0 : errno;
        } else {
            err = PlaceNew(tmp, target);
            if (err == EEXIST && round == 0) {
                unlink(tmp.c_str());
                continue;
            }
        }
        if (err != 0) {
            unlink(tmp.c_str());
            stage = WriteStage::Rename;
            return err;
        }
        stage = WriteStage::None;
        return 0;
    }
}

int StorePath(std::string_view path, const FileFiller& fill, const WriteRules& rules,
              WriteStage* failedStage, const Existing* known = nullptr,
              WrittenFile* written = nullptr) {
    WriteStage stage = WriteStage::None;
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) {
        stage = WriteStage::Create;
    } else {
        err = StoreFile(std::move(sys), fill, rules, stage, known, written);
    }
    if (failedStage) *failedStage = stage;
    return err;
}

constexpr WriteRules kGeneratedRules{false, false, nullptr};

}  // namespace

int WriteFileReplacing(std::string_view path, std::string_view bytes, WriteStage* failedStage) {
    return StorePath(path, BytesFiller(bytes), WriteRules{}, failedStage);
}

int WriteSystemFileReplacing(const std::string& target, std::string_view bytes,
                             WriteStage* failedStage) {
    WriteStage stage = WriteStage::None;
    int err = StoreFile(target, BytesFiller(bytes), WriteRules{}, stage);
    if (failedStage) *failedStage = stage;
    return err;
}

std::optional<FileId> GetFileId(std::string_view path) {
    std::string sys;
    int err = 0;
    struct stat st {};
    if (!Resolve(path, sys, err) || stat(sys.c_str(), &st) != 0) return std::nullopt;
    return FileId{st.st_dev, st.st_ino};
}

int WriteGeneratedFile(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                       WriteStage* failedStage) {
    WriteRules rules = kGeneratedRules;
    rules.keep = keep;
    return StorePath(path, BytesFiller(bytes), rules, failedStage);
}

int GetPathStatus(std::string_view path, PathStatus& out) {
    out = PathStatus{};
    std::string sys;
    int err = 0;
    if (!Resolve(path, sys, err)) return err;
    struct stat st {};
    if (lstat(sys.c_str(), &st) != 0) return errno;
    out.isRegular = S_ISREG(st.st_mode);
    out.isLink = S_ISLNK(st.st_mode);
    out.id = {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
    out.mode = st.st_mode;
    out.owner = st.st_uid;
    out.size = static_cast<uint64_t>(st.st_size);
    out.mtimeNs = MtimeNs(st);
    return 0;
}

int WriteGeneratedFileFound(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                            const PathStatus* found, WriteStage* failedStage,
                            WrittenFile* written) {
    WriteRules rules = kGeneratedRules;
    rules.keep = keep;
    const Existing known = FromPathStatus(found);
    return StorePath(path, BytesFiller(bytes), rules, failedStage, &known, written);
}

int WriteGeneratedFileFilled(std::string_view path, const FileFiller& fill, const FileIdSet* keep,
                             const PathStatus* found, WriteStage* failedStage,
                             WrittenFile* written) {
    WriteRules rules = kGeneratedRules;
    rules.keep = keep;
    const Existing known = FromPathStatus(found);
    return StorePath(path, fill, rules, failedStage, &known, written);
}

GeneratedFileBatch::~GeneratedFileBatch() {
    for (const Waiting& p : pending_) unlink(p.tmp.c_str());
    for (const auto& [device, fd] : folders_) close(fd);
}

int GeneratedFileBatch::Add(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                            const PathStatus& found, WriteStage* failedStage,
                            WrittenFile* written) {
    WriteStage stage = WriteStage::None;
    std::string target;
    int err = 0;
    WriteRules rules = kGeneratedRules;
    rules.keep = keep;
    const Existing e = FromPathStatus(&found);
    if (!Resolve(path, target, err) || (err = CheckReplaceable(target, e, rules, stage)) != 0) {
        if (stage == WriteStage::None) stage = WriteStage::Create;
        if (failedStage) *failedStage = stage;
        return err;
    }
    // The file system's folder is opened before the first file is written there, so that
    // syncfs reports every failure to write back from then on.
    const uint64_t device = e.id.device;
    auto known = std::find_if(folders_.begin(), folders_.end(),
                              [device](const auto& f) { return f.first == device; });
    if (known == folders_.end()) {
        std::string folder = FolderOfTarget(target);
        int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) folders_.emplace_back(device, fd);
    }
    std::string tmp;
    err = WriteTemp(target, BytesFiller(bytes), e, false, tmp, stage, written);
    if (failedStage) *failedStage = err ? stage : WriteStage::None;
    if (err != 0) return err;
    pending_.push_back({std::move(tmp), std::move(target), device});
    return 0;
}

std::vector<GeneratedFileBatch::Placed> GeneratedFileBatch::Commit() {
    std::vector<Placed> placed(pending_.size());
    // One flush per file system; where it fails, no file of it replaces its old one. Where
    // the folder could not be opened for it, each file is flushed by itself.
    constexpr int kEachByItself = -1;
    std::vector<std::pair<uint64_t, int>> flushed;  // device -> errno
    auto flushError = [&](const Waiting& p) {
        int err = kEachByItself;
        auto done = std::find_if(flushed.begin(), flushed.end(),
                                 [&p](const auto& f) { return f.first == p.device; });
        if (done != flushed.end()) {
            err = done->second;
        } else {
            for (const auto& [d, fd] : folders_) {
                if (d == p.device) err = syncfs(fd) == 0 ? 0 : errno;
            }
            flushed.emplace_back(p.device, err);
        }
        if (err != kEachByItself) return err;
        int fd = open(p.tmp.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return errno;
        err = fsync(fd) == 0 ? 0 : errno;
        close(fd);
        return err;
    };
    for (size_t i = 0; i < pending_.size(); ++i) {
        const Waiting& p = pending_[i];
        int err = flushError(p);
        if (err != 0) {
            placed[i] = {err, WriteStage::Write};
        } else if (rename(p.tmp.c_str(), p.target.c_str()) != 0) {
            placed[i] = {errno, WriteStage::Rename};
        } else {
            continue;
        }
        unlink(p.tmp.c_str());
    }
    pending_.clear();
    for (const auto& [device, fd] : folders_) close(fd);
    folders_.clear();
    return placed;
}

namespace {

// The process id in a name CreateTempFile makes, or 0 when the name is not one of those.
pid_t TempFileWriter(std::string_view name) {
    if (name.substr(0, kTempPrefix.size()) != kTempPrefix) return 0;
    name.remove_prefix(kTempPrefix.size());
    size_t dash = name.find('-');
    if (dash == 0 || dash > 9 || name.size() != dash + 1 + kTempSuffixLength) return 0;
    long pid = 0;
    for (char c : name.substr(0, dash)) {
        if (c < '0' || c > '9') return 0;
        pid = pid * 10 + (c - '0');
    }
    for (char c : name.substr(dash + 1)) {
        bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) return 0;
    }
    return static_cast<pid_t>(pid);
}

bool ProcessIsRunning(pid_t pid) {
    // EPERM: the process exists and belongs to someone else.
    if (kill(pid, 0) != 0 && errno != EPERM) return false;
    // A killed process whose parent has not collected it yet still has its id, but it
    // writes no more.
    std::string info;  // "pid (name) state ..."
    std::string path = "/proc/" + std::to_string(static_cast<long>(pid)) + "/stat";
    if (ReadSystemFile(path, info, 512) != 0) return true;
    size_t end = info.rfind(')');
    return end == std::string::npos || end + 2 >= info.size() ||
           (info[end + 2] != 'Z' && info[end + 2] != 'X');
}

}  // namespace

int RemoveStaleTempFiles(std::string_view folder) {
    std::string sys;
    int err = 0;
    if (!Resolve(folder, sys, err)) return 0;
    DIR* dir = opendir(sys.c_str());
    if (!dir) return 0;
    int dirFd = dirfd(dir);
    int removed = 0;
    while (dirent* item = readdir(dir)) {
        pid_t pid = TempFileWriter(item->d_name);
        if (pid <= 0 || ProcessIsRunning(pid)) continue;
        struct stat st {};
        if (fstatat(dirFd, item->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(st.st_mode) || st.st_uid != geteuid()) continue;
        if (unlinkat(dirFd, item->d_name, 0) == 0) ++removed;
    }
    closedir(dir);
    return removed;
}

std::optional<std::string> CurrentFolder() {
    char cwd[PATH_MAX];
    if (!getcwd(cwd, sizeof cwd)) return std::nullopt;
    return Utf8ToCp932(cwd);
}

std::string ExecutablePath() {
    char exe[4096];
    ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    return n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
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
