#pragma once
// File-system access by CP932 path. Paths are converted to UTF-8 at this edge, with every
// '\' mapped to '/', so album files written on Windows still name sensible paths. Functions
// return 0 on success or the errno value of the failure.

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Creates a file that does not exist yet and writes it whole, without a temporary file (there
// is nothing to protect); a file that cannot be written whole is removed again. EEXIST when
// the file exists.
int WriteNewFile(std::string_view path, std::string_view bytes);

// Which step of a replacing write failed: creating the temporary file, writing and flushing
// it, or renaming it over the target.
enum class WriteStage { None, Create, Write, Rename };

// Replaces (or creates) a file with the given bytes: writes a temporary file in the same
// folder, flushes it to disk and renames it into place, so a failure leaves any previous file
// untouched.
int WriteFileReplacing(std::string_view path, std::string_view bytes,
                       WriteStage* failedStage = nullptr);

// The same two operations for a UTF-8 system path (the profile, CLI output named on the
// command line): files outside the album's CP932 world.
int ReadSystemFile(const std::string& systemPath, std::string& out, size_t maxBytes = SIZE_MAX);
int WriteSystemFileReplacing(const std::string& systemPath, std::string_view bytes,
                             WriteStage* failedStage = nullptr);

// Read-only file with positioned reads, for header readers that seek.
class InputFile {
  public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    int Open(std::string_view path);  // 0 or errno
    int OpenSystem(const std::string& systemPath);
    bool IsOpen() const { return fd_ >= 0; }
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
