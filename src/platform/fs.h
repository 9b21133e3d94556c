#pragma once
// File-system access by CP932 path. Paths are converted to UTF-8 at this edge, with every
// '\' mapped to '/', so album files written on Windows still name sensible paths. Functions
// return 0 on success or the errno value of the failure.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirulane {

// The UTF-8 system path for a CP932 path; nullopt when it does not convert or holds a NUL
// byte (errno EILSEQ).
std::optional<std::string> ToSystemPath(std::string_view cp932Path);

struct FileStatus {
    bool isDirectory = false;
    uint64_t size = 0;
    int64_t creationTime = 0;      // birth time where the file system has it, else mtime
    int64_t modificationTime = 0;  // seconds since the epoch
};

int GetFileStatus(std::string_view path, FileStatus& out);
bool FileExists(std::string_view path);  // any kind of file system object
bool IsDirectory(std::string_view path);

// Removes one file (a link itself, never what it names); 0 or the errno.
int RemoveFile(std::string_view path);

// Creates one directory level; an existing directory is success.
int MakeDirectory(std::string_view path);

struct DirItem {
    std::string name;  // CP932
    bool isDirectory = false;
};

struct DirListing {
    std::vector<DirItem> items;  // stable order: case-insensitively, then byte-wise
    // Files whose names cannot become CP932 names: not representable, or holding a
    // backslash (folders with such names are left out without being counted).
    int skippedUnrepresentable = 0;
    int skippedBackslash = 0;
    // Their names as the system spells them, to tell the user which files they are.
    std::vector<std::string> skippedNames;
};

// Lists one folder ("." and ".." excluded). An empty path is the current directory.
int ListDirectory(std::string_view folder, DirListing& out);

// Reads at most maxBytes of a file from its start.
int ReadFileBytes(std::string_view path, std::string& out, size_t maxBytes = SIZE_MAX);

// Which step of a write failed: creating the temporary file, writing and flushing it, or
// putting it in place under the file's name; or the write was refused (the file is one that
// must be kept).
enum class WriteStage { None, Create, Write, Rename, Refused };

// Replaces (or creates) a file of the user's with the given bytes: writes a temporary file in
// the same folder, flushes it to disk and renames it into place, so a failure leaves any
// previous file untouched. A symbolic link is written through: the file it names is replaced
// and the link stays (the user may keep the file elsewhere).
int WriteFileReplacing(std::string_view path, std::string_view bytes,
                       WriteStage* failedStage = nullptr);

// The same two operations for a UTF-8 system path (the profile, CLI output named on the
// command line): files outside the album's CP932 world.
int ReadSystemFile(const std::string& systemPath, std::string& out, size_t maxBytes = SIZE_MAX);
int WriteSystemFileReplacing(const std::string& systemPath, std::string_view bytes,
                             WriteStage* failedStage = nullptr);

// A file system object's identity: two paths name the same file when their ids are equal.
struct FileId {
    uint64_t device = 0;
    uint64_t inode = 0;
    auto operator<=>(const FileId&) const = default;
};
using FileIdSet = std::set<FileId>;

// The id of the file a path names, a symbolic link followed; nullopt when there is none.
std::optional<FileId> GetFileId(std::string_view path);

// Writes a file the system generates (a page, a thumbnail), which must never harm a file it
// finds in its place:
// - a symbolic link at the path is replaced by the new file, never written through;
// - an existing file that is one of `keep` (the album's pictures, by device and inode) is
//   left as it is: EEXIST with WriteStage::Refused;
// - the file appears under its name only when complete. A new file is written under a
//   temporary name and then given its name without replacing anything, without a flush to
//   disk (a killed run leaves no partial file, a power loss may); an existing file is replaced
//   as WriteFileReplacing does, flushed first.
int WriteGeneratedFile(std::string_view path, std::string_view bytes,
                       const FileIdSet* keep = nullptr, WriteStage* failedStage = nullptr);

// What lstat found at a path: a symbolic link is told, not followed.
struct PathStatus {
    bool isRegular = false;
    bool isLink = false;
    FileId id;
    uint32_t mode = 0;  // type and permission bits
    uint32_t owner = 0;
    uint64_t size = 0;
    int64_t mtimeNs = 0;  // modification time, nanoseconds since the epoch
};

// 0 with `out` filled, ENOENT when nothing is there, or another errno.
int GetPathStatus(std::string_view path, PathStatus& out);

// The size and modification time of a file as it was written.
struct WrittenFile {
    uint64_t size = 0;
    int64_t mtimeNs = 0;
};

// WriteGeneratedFile for a caller that has just looked at the path with GetPathStatus:
// `found` is what it saw (nullptr: nothing), so the write does not look again (a file that
// appears meanwhile is still never replaced unawares); `written` receives the new file's size
// and modification time.
int WriteGeneratedFileFound(std::string_view path, std::string_view bytes, const FileIdSet* keep,
                            const PathStatus* found, WriteStage* failedStage, WrittenFile* written);

// What fills a generated file that is not held in memory (a movie made from another): it
// writes the whole content into the new temporary file, open as `fd` and named `systemPath`
// (it may open it again by that name), and returns 0, or an errno (or any other non-zero
// code) when it could not; the temporary file is removed then. It runs after every check
// that decides whether the file may be written.
using FileFiller = std::function<int(int fd, const std::string& systemPath)>;

// WriteGeneratedFileFound with the content made by `fill` instead of bytes in memory.
int WriteGeneratedFileFilled(std::string_view path, const FileFiller& fill, const FileIdSet* keep,
                             const PathStatus* found, WriteStage* failedStage,
                             WrittenFile* written);

// Replacements of existing generated files made safe on disk together: Add writes the
// temporary file that is to take a file's place; Commit flushes every one of them with one
// syncfs per file system and then renames each into place. Until then the old files stay as
// they are, so a kill leaves them whole, and only temporary files that RemoveStaleTempFiles
// takes away; temporary files never committed are removed with the batch.
class GeneratedFileBatch {
  public:
    GeneratedFileBatch() = default;
    ~GeneratedFileBatch();
    GeneratedFileBatch(const GeneratedFileBatch&) = delete;
    GeneratedFileBatch& operator=(const GeneratedFileBatch&) = delete;

    // Writes the temporary file for `path`, where GetPathStatus found `found` (a file is kept,
    // a link replaced, as WriteGeneratedFile does). 0, or the errno and the stage that failed;
    // nothing is pending then.
    int Add(std::string_view path, std::string_view bytes, const FileIdSet* keep,
            const PathStatus& found, WriteStage* failedStage, WrittenFile* written);

    struct Placed {
        int error = 0;
        WriteStage stage = WriteStage::None;
    };
    // Flushes and places every pending file; one outcome per successful Add, in its order.
    std::vector<Placed> Commit();
    size_t Pending() const { return pending_.size(); }

  private:
    struct Waiting {
        std::string tmp;  // UTF-8 system paths
        std::string target;
        uint64_t device = 0;
    };
    std::vector<Waiting> pending_;
    std::vector<std::pair<uint64_t, int>> folders_;  // device -> a folder's descriptor
};

// Removes what killed writers left behind in a folder: temporary files named
// ".mrl-<pid>-XXXXXX" whose process <pid> is no longer running, that are regular files of
// this user. Temporary files of writers still at work, and anything else, stay. Returns the
// number of files removed (0 also when the folder cannot be read).
int RemoveStaleTempFiles(std::string_view folder);

// The process's working directory as a CP932 path; nullopt when it cannot be had or cannot be
// written in Shift-JIS.
std::optional<std::string> CurrentFolder();

// The UTF-8 system path of the running program; empty when the system does not tell.
std::string ExecutablePath();

// Read-only file with positioned reads, for header readers that seek.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int Open(std::string_view path);  // 0 or errno
    int OpenSystem(const std::string& systemPath);
    // Reads up to n bytes at the current position; returns the count read (0 at end or on
    // error; LastError tells which).
    size_t Read(void* buf, size_t n);
    // One read: at most n bytes, possibly fewer before the end (for buffered readers).
    size_t ReadSome(void* buf, size_t n);
    int LastError() const { return lastError_; }
    // Moves the position relative to the current one; false when that fails.
    bool Skip(int64_t delta);
    void Close();

  private:
    int fd_ = -1;
    int lastError_ = 0;
};

}  // namespace mirulane
