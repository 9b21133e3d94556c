#pragma once
// What a file held when the program last read or wrote it, so that a later write can tell
// whether someone else changed the file meanwhile. The bytes decide: a file written again
// with the same bytes counts as unchanged, since replacing it loses nothing.

#include <cstdint>
#include <string_view>

namespace mirulane {

struct FileStamp {
    bool exists = false;  // false: there was no file under the name
    uint64_t size = 0;
    uint64_t hash = 0;  // ContentHash of the bytes
    bool operator==(const FileStamp&) const = default;
};

// The stamp of a file that holds these bytes.
FileStamp StampOfBytes(std::string_view bytes);

enum class FileChange {
    Same,     // the file holds the stamped bytes (or is still missing, or cannot be read)
    Changed,  // it holds other bytes, is no regular file any more, or appeared
    Gone,     // a stamped file is no longer there
};

// Compares the file at a CP932 path (a symbolic link followed) with the stamp. A file that
// cannot be read counts as Same: the write that follows meets the same obstacle and says so.
FileChange CompareWithFile(const FileStamp& stamp, std::string_view path);

// The stamp of what is at the path now (exists false when nothing is); 0 or the errno of a
// file that is there but cannot be read.
int StampFile(std::string_view path, FileStamp& out);

}  // namespace mirulane
