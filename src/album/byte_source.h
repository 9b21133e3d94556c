#pragma once
// The two byte sources the header readers walk: bytes already in memory and a file read
// through a small buffer. Both have Read(buf, n) -> count and Skip(delta) -> bool, so one
// walk serves the file reader and the memory parser the fuzz targets drive.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "platform/fs.h"

namespace mirulane {

inline uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
inline uint32_t Be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
inline uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
inline uint32_t Be32(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}
inline uint64_t Be64(const unsigned char* p) {
    return (static_cast<uint64_t>(Be32(p)) << 32) | Be32(p + 4);
}

struct MemorySource {
    std::string_view bytes;
    size_t pos = 0;
    size_t Read(unsigned char* buf, size_t n) {
        if (pos >= bytes.size()) return 0;
        size_t got = std::min(n, bytes.size() - pos);
        std::memcpy(buf, bytes.data() + pos, got);
        pos += got;
        return got;
    }
    bool Skip(size_t delta) {
        pos += delta;  // a seek past the end succeeds; the next read then comes up short
        return true;
    }
};

// Reads the file through a small buffer, so walking the segment headers costs one system call
// per 4 KiB rather than one per header, and skips beyond the buffer become one seek.
class FileSource {
  public:
    explicit FileSource(InputFile& file) : file_(file) {}
    size_t Read(unsigned char* buf, size_t n) {
        size_t copied = 0;
        while (copied < n) {
            if (pos_ == len_ && !Refill()) break;
            size_t take = std::min(n - copied, len_ - pos_);
            std::memcpy(buf + copied, buffer_ + pos_, take);
            pos_ += take;
            copied += take;
        }
        return copied;
    }
    bool Skip(size_t delta) {
        size_t buffered = len_ - pos_;
        if (delta <= buffered) {
            pos_ += delta;
            return true;
        }
        pos_ = len_ = 0;
        return file_.Skip(static_cast<int64_t>(delta - buffered));
    }

  private:
    bool Refill() {
        len_ = file_.ReadSome(buffer_, sizeof buffer_);
        pos_ = 0;
        return len_ > 0;
    }
    InputFile& file_;
    unsigned char buffer_[4096];
    size_t pos_ = 0;
    size_t len_ = 0;
};

// A source and how far it has been read, for the walks over a movie's tree of boxes or
// elements: a read that comes up short fails, and a skip goes only ahead, within the data.
template <typename Source>
class Cursor {
  public:
    Cursor(Source& src, uint64_t dataEnd) : src_(src), dataEnd_(dataEnd) {}

    uint64_t Pos() const { return pos_; }
    uint64_t DataEnd() const { return dataEnd_; }

    bool Read(unsigned char* buf, size_t n) {
        if (src_.Read(buf, n) != n) return false;
        pos_ += n;
        return true;
    }

    // Moves to `to`, which lies ahead within the data.
    bool SkipTo(uint64_t to) {
        if (to < pos_ || to > dataEnd_) return false;
        if (!src_.Skip(static_cast<size_t>(to - pos_))) return false;
        pos_ = to;
        return true;
    }

  private:
    Source& src_;
    uint64_t dataEnd_;
    uint64_t pos_ = 0;
};

// Runs walk(FileSource&, size) over the file at path, the size known at the start bounding the
// walk (a file cut short meanwhile ends it with a short read); -1 when the path is no file
// that can be read.
template <typename Walk>
int WalkFile(std::string_view path, Walk walk) {
    FileStatus status;
    InputFile file;
    if (GetFileStatus(path, status) != 0 || status.isDirectory || file.Open(path) != 0) return -1;
    FileSource src(file);
    return walk(src, status.size);
}

}  // namespace mirulane
