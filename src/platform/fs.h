#pragma once
// File-system access by CP932 path. Paths are converted to UTF-8 at this edge, with every
// '\' mapped to '/', so album files written on Windows still name sensible paths. Functions
// return 0 on success or the errno value of the failure.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
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
