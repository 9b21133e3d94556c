#include "exif/exif_reader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "exif/exif_catalogue.h"
#include "exif/exif_format.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// A directory chain longer than this is not a camera's; the walk ends there.
constexpr int kMaxChainDirectories = 32;
constexpr size_t kEntrySize = 12;

enum ExifType : uint16_t {
    kByte = 1,
    kAscii = 2,
    kShort = 3,
    kLong = 4,
    kRational = 5,
    kSByte = 6,
    kUndefined = 7,
    kSShort = 8,
    kSLong = 9,
    kSRational = 10,
    kFloat = 11,
    kDouble = 12,
};

uint64_t ComponentSize(uint16_t type) {
    switch (type) {
        case kByte:
        case kAscii:
        case kSByte:
        case kUndefined:
            return 1;
        case kShort:
        case kSShort:
            return 2;
        case kLong:
        case kSLong:
        case kFloat:
            return 4;
        case kRational:
        case kSRational:
        case kDouble:
            return 8;
        default:
            return 0;
    }
}

// The TIFF part of the segment with bounds-checked reads in the file's byte order. Every
// check compares by subtraction from the size, so no addition can wrap.
class TiffView {
  public:
    TiffView(std::string_view bytes, bool bigEndian)
        : p_(bytes.data()), n_(bytes.size()), big_(bigEndian) {}

    size_t Size() const { return n_; }
    bool Fits(size_t pos, uint64_t len) const { return pos <= n_ && len <= n_ - pos; }
    const char* At(size_t pos) const { return p_ + pos; }

    bool U16(size_t pos, uint16_t& v) const {
        if (!Fits(pos, 2)) return false;
        v = static_cast<uint16_t>(Unsigned(pos, 2));
        return true;
    }
    bool U32(size_t pos, uint32_t& v) const {
        if (!Fits(pos, 4)) return false;
        v = static_cast<uint32_t>(Unsigned(pos, 4));
        return true;
    }
    // An unsigned number of 1 to 8 bytes at a position the caller has checked.
    uint64_t Unsigned(size_t pos, int bytes) const {
        uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) {
            auto b = static_cast<unsigned char>(p_[pos + (big_ ? i : bytes - 1 - i)]);
            v = (v << 8) | b;
        }
        return v;
    }

  private:
    const char* p_;
    size_t n_;
    bool big_;
};

// The value text of the first component at a checked position.
std::string NumberText(const TiffView& t, uint16_t type, size_t pos) {
    switch (type) {
        case kByte:
            return Format("%d", static_cast<int>(t.Unsigned(pos, 1)));
        case kSByte:
            return Format("%d", static_cast<int>(static_cast<int8_t>(t.Unsigned(pos, 1))));
        case kShort:
            return Format("%d", static_cast<int>(t.Unsigned(pos, 2)));
        case kSShort:
            return Format("%d", static_cast<int>(static_cast<int16_t>(t.Unsigned(pos, 2))));
        case kLong:
            return Format("%u", static_cast<unsigned>(t.Unsigned(pos, 4)));
        case kSLong:
            return Format("%d", static_cast<int>(static_cast<int32_t>(t.Unsigned(pos, 4))));
        case kRational:
            return Format("%u/%u", static_cast<unsigned>(t.Unsigned(pos, 4)),
                          static_cast<unsigned>(t.Unsigned(pos + 4, 4)));
        case kSRational:
            return Format("%d/%d", static_cast<int>(static_cast<int32_t>(t.Unsigned(pos, 4))),
                          static_cast<int>(static_cast<int32_t>(t.Unsigned(pos + 4, 4))));
        case kFloat: {
            auto bits = static_cast<uint32_t>(t.Unsigned(pos, 4));
            float f;
            std::memcpy(&f, &bits, sizeof f);
            return Format("%f", static_cast<double>(f));
        }
        case kDouble: {
            uint64_t bits = t.Unsigned(pos, 8);
            double d;
            std::memcpy(&d, &bits, sizeof d);
            return Format("%f", d);
        }
        default:
            return {};
    }
}

// Computes the value text of the entry at pos. False when the value lies outside the segment
// (the entry is then skipped and the table keeps what it held).
bool EntryValueText(const TiffView& t, size_t pos, std::string& text) {
    uint16_t type = 0;
    uint32_t count = 0;
    t.U16(pos + 2, type);
    t.U32(pos + 4, count);
    text.clear();
    uint64_t dataSize = ComponentSize(type) * count;  // at most 8 * (2^32 - 1): no overflow
    size_t valuePos = pos + 8;
    uint64_t available = dataSize;
    if (dataSize > 4) {
        uint32_t offset = 0;
        t.U32(pos + 8, offset);
        if (type == kAscii) {
            // Text without its terminator inside the segment is cut at the segment's end.
            if (offset >= t.Size()) return false;
            available = std::min<uint64_t>(count, t.Size() - offset);
        } else if (!t.Fits(offset, dataSize)) {
            return false;
        }
        valuePos = offset;
    }
    if (type == kAscii) {
        const char* s = t.At(valuePos);
        auto len = static_cast<size_t>(available);
        const void* nul = std::memchr(s, 0, len);
        if (nul) len = static_cast<size_t>(static_cast<const char*>(nul) - s);
        text.assign(s, len);
        return true;
    }
    // Without a component there is no number to convert.
    if (count == 0) return true;
    text = NumberText(t, type, valuePos);
    return true;
}

// Walks one directory. Returns false when its entry table does not fit the segment (the
// directory is skipped); otherwise stores every listed tag and gives the position of the
// next-directory link.
bool WalkDirectory(const TiffView& t, size_t dir, ExifTable& table, size_t& linkPos) {
    uint16_t count = 0;
    if (!t.U16(dir, count)) return false;
    if (!t.Fits(dir + 2, uint64_t{count} * kEntrySize)) return false;
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        size_t pos = dir + 2 + i * kEntrySize;
        uint16_t tag = 0;
        t.U16(pos, tag);
        ExifItem* item = table.Slot(tag);
        if (!item) continue;
        if (!EntryValueText(t, pos, text)) continue;
        table.Store(*item, text);
    }
    linkPos = dir + 2 + size_t{count} * kEntrySize;
    return true;
}

void WalkChain(const TiffView& t, ExifTable& table) {
    uint32_t visited[kMaxChainDirectories];
    int walked = 0;
    size_t linkPos = 4;  // the IFD0 offset field of the TIFF header
    while (walked < kMaxChainDirectories) {
        uint32_t dir = 0;
        if (!t.U32(linkPos, dir) || dir == 0) return;
        for (int i = 0; i < walked; ++i) {
            if (visited[i] == dir) return;  // a loop back to a directory already read
        }
        visited[walked++] = dir;
        if (!WalkDirectory(t, dir, table, linkPos)) return;
    }
}

// The file operations the reader needs: read and skip forward.
class FileSource {
  public:
    int Open(std::string_view path) { return file_.Open(path); }
    size_t Read(void* buf, size_t n) {
        size_t got = 0;
        while (got < n) {
            size_t r = file_.Read(static_cast<char*>(buf) + got, n - got);
            if (r == 0) break;
            got += r;
        }
        return got;
    }
    bool Skip(int64_t delta) { return file_.Skip(delta); }

  private:
    InputFile file_;
};

class MemorySource {
  public:
    explicit MemorySource(std::string_view bytes) : b_(bytes) {}
    size_t Read(void* buf, size_t n) {
        size_t got = std::min(n, b_.size() - pos_);
        std::memcpy(buf, b_.data() + pos_, got);
        pos_ += got;
        return got;
    }
    // Like a seek past the end of a file: allowed, later reads return nothing.
    bool Skip(int64_t delta) {
        if (delta < 0) return false;
        pos_ += std::min<uint64_t>(static_cast<uint64_t>(delta), b_.size() - pos_);
        return true;
    }

  private:
    std::string_view b_;
    size_t pos_ = 0;
};

int SegmentLength(const unsigned char* header) { return (header[2] << 8) | header[3]; }

template <class Source>
int ReadFromSource(Source& src, ExifTable& table, ExifThumbnail* thumbnail) {
    unsigned char soi[2];
    if (src.Read(soi, 2) != 2 || soi[0] != 0xFF || soi[1] != 0xD8) return kExifNoSegment;
    unsigned char header[4];
    if (src.Read(header, 4) != 4) return kExifNoSegment;
    if (header[0] == 0xFF && header[1] == 0xE0) {
        int length = SegmentLength(header);
        // A length below 2 cannot hold its own length field: not a segment to look past.
        if (length < 2 || !src.Skip(length - 2)) return kExifNoSegment;
        if (src.Read(header, 4) != 4) return kExifNoSegment;
    }
    if (header[0] != 0xFF || header[1] != 0xE1) return kExifNoSegment;
    int length = SegmentLength(header);
    if (length <= 0) return kExifNoSegment;

    table.Clear();
    if (length < 2) return kExifBadSegment;
    auto size = static_cast<size_t>(length - 2);
    std::unique_ptr<char[]> buffer(new (std::nothrow) char[size == 0 ? 1 : size]);
    if (!buffer) return kExifBadSegment;
    if (src.Read(buffer.get(), size) != size) return kExifBadSegment;
    return ParseExifSegment(std::string_view(buffer.get(), size), table, thumbnail);
}

}  // namespace

int ParseExifSegment(std::string_view segment, ExifTable& table, ExifThumbnail* thumbnail) {
    constexpr std::string_view kExifHeader("Exif\0\0", 6);
    constexpr size_t kTiffHeaderSize = 8;
    if (segment.substr(0, kExifHeader.size()) != kExifHeader) return kExifBadSegment;
    std::string_view tiff = segment.substr(kExifHeader.size());
    if (tiff.size() < kTiffHeaderSize) return kExifBadSegment;
    bool big;
    if (tiff[0] == 'M' && tiff[1] == 'M') {
        big = true;
    } else if (tiff[0] == 'I' && tiff[1] == 'I') {
        big = false;
    } else {
        return kExifBadSegment;
    }
    TiffView view(tiff, big);
    WalkChain(view, table);
    if (const ExifItem* pointer = Find(table, exiftag::kExifPointer)) {
        int64_t dir = ExifInteger(pointer->value);
        size_t ignoredLink = 0;
        if (dir >= 0 && static_cast<uint64_t>(dir) < view.Size()) {
            WalkDirectory(view, static_cast<size_t>(dir), table, ignoredLink);
        }
    }
    if (thumbnail) *thumbnail = FindThumbnail(table, tiff);
    return kExifOk;
}

int ReadExif(std::string_view path, ExifTable& table, ExifThumbnail* thumbnail) {
    FileSource src;
    if (src.Open(path) != 0) return kExifCannotOpen;
    return ReadFromSource(src, table, thumbnail);
}

int ReadExifBytes(std::string_view fileBytes, ExifTable& table, ExifThumbnail* thumbnail) {
    MemorySource src(fileBytes);
    return ReadFromSource(src, table, thumbnail);
}

}  // namespace mirulane
