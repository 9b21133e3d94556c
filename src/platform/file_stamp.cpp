#include "platform/file_stamp.h"

#include <cerrno>
#include <string>

#include "platform/fs.h"
#include "platform/output_manifest.h"

namespace mirulane {

FileStamp StampOfBytes(std::string_view bytes) { return {true, bytes.size(), ContentHash(bytes)}; }

int StampFile(std::string_view path, FileStamp& out) {
    out = FileStamp{};
    FileStatus status;
    if (int err = GetFileStatus(path, status)) return err == ENOENT || err == ENOTDIR ? 0 : err;
    if (status.isDirectory) return EISDIR;
    std::string bytes;
    if (int err = ReadFileBytes(path, bytes)) return err;
    out = StampOfBytes(bytes);
    return 0;
}

FileChange CompareWithFile(const FileStamp& stamp, std::string_view path) {
    FileStatus status;
    int err = GetFileStatus(path, status);
    const bool missing = err == ENOENT || err == ENOTDIR;
    if (!stamp.exists) return missing || err != 0 ? FileChange::Same : FileChange::Changed;
    if (missing) return FileChange::Gone;
    if (err != 0) return FileChange::Same;
    if (status.isDirectory || status.size != stamp.size) return FileChange::Changed;
    std::string bytes;
    // One byte more than stamped shows a file that grew since its status was read.
    if (ReadFileBytes(path, bytes, stamp.size + 1) != 0) return FileChange::Same;
    return StampOfBytes(bytes) == stamp ? FileChange::Same : FileChange::Changed;
}

}  // namespace mirulane
