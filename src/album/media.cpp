#include "album/media.h"

#include <cstring>

#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {

std::string ClassificationExtension(std::string_view name) {
    size_t dot = name.rfind('.');
    std::string_view ext = dot == std::string_view::npos ? name : name.substr(dot + 1);
    return AsciiLower(ext.substr(0, std::min<size_t>(ext.size(), 7)));
}

MediaKind KindOfName(std::string_view name) {
    static constexpr const char* kImages[] = {"jpg", "jpeg", "png", "gif", "bmp", "tif"};
    static constexpr const char* kVideos[] = {"avi", "mpg", "mpeg"};
    std::string ext = ClassificationExtension(name);
    for (const char* e : kImages) {
        if (ext == e) return MediaKind::Image;
    }
    for (const char* e : kVideos) {
        if (ext == e) return MediaKind::Video;
    }
    return MediaKind::Other;
}

bool IsImage(std::string_view name) { return KindOfName(name) == MediaKind::Image; }
bool IsVideo(std::string_view name) { return KindOfName(name) == MediaKind::Video; }

namespace {

uint32_t Le16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t Be16(const unsigned char* p) { return (p[0] << 8) | p[1]; }
uint32_t Le32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
uint32_t Be32(const unsigned char* p) {
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// The fixed-header formats: the first bytes decide everything.
int ParseFixed(std::string_view bytes, size_t need, const char* magic, size_t magicLen,
               PixelSize& size, void (*take)(const unsigned char*, PixelSize&)) {
    size = {};
    if (bytes.size() < need) return -1;
    if (std::memcmp(bytes.data(), magic, magicLen) != 0) return -1;
    take(reinterpret_cast<const unsigned char*>(bytes.data()), size);
    return 0;
}

// Reads the first n bytes of a file (fewer when it is shorter) and hands them to a parser;
// a file that cannot be opened is a failure.
int ParseHead(std::string_view path, size_t n, int (*parse)(std::string_view, PixelSize&),
              PixelSize& size) {
    size = {};
    std::string head;
    return ReadFileBytes(path, head, n) == 0 ? parse(head, size) : -1;
}

// Segment walk shared by the file and the memory reader. Source has Read(buf, n) -> count and
// Skip(delta) -> bool.
template <typename Source>
int WalkJpeg(Source& src, PixelSize& size) {
    size = {};
    unsigned char b[5];
    if (src.Read(b, 2) != 2 || b[0] != 0xFF || b[1] != 0xD8) return -1;
    for (;;) {
        if (src.Read(b, 4) != 4) return -1;
        if (b[0] == 0xFF && b[1] == 0xC0) {
            if (src.Read(b, 5) != 5) return -1;
            size.height = Be16(b + 1);
            size.width = Be16(b + 3);
            return 0;
        }
        if (b[0] == 0xFF && (b[1] == 0xDA || b[1] == 0xD9)) return -1;
        // The skip is computed in 16 bits, as the segment length is.
        uint16_t skip = static_cast<uint16_t>(Be16(b + 2) - 2);
        if (!src.Skip(skip)) return -1;
    }
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
    bool Skip(uint16_t delta) {
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
    bool Skip(uint16_t delta) {
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

}  // namespace

int ParseBmpSize(std::string_view bytes, PixelSize& size) {
    return ParseFixed(bytes, 24, "BM", 2, size, [](const unsigned char* p, PixelSize& s) {
        s.width = Le16(p + 18);
        s.height = Le16(p + 22);
    });
}

int ParseGifSize(std::string_view bytes, PixelSize& size) {
    return ParseFixed(bytes, 10, "GIF", 3, size, [](const unsigned char* p, PixelSize& s) {
        s.width = Le16(p + 6);
        s.height = Le16(p + 8);
    });
}

int ParsePngSize(std::string_view bytes, PixelSize& size) {
    return ParseFixed(bytes, 24, "\x89PN", 3, size, [](const unsigned char* p, PixelSize& s) {
        s.width = Be32(p + 16);
        s.height = Be32(p + 20);
    });
}

int ParseRiffSize(std::string_view bytes, PixelSize& size) {
    return ParseFixed(bytes, 72, "RIFF", 4, size, [](const unsigned char* p, PixelSize& s) {
        s.width = Le32(p + 64);
        s.height = Le32(p + 68);
    });
}

int ParseJpegSize(std::string_view bytes, PixelSize& size) {
    MemorySource src{bytes};
    return WalkJpeg(src, size);
}

int ReadBmpSize(std::string_view path, PixelSize& size) {
    return ParseHead(path, 24, ParseBmpSize, size);
}

int ReadGifSize(std::string_view path, PixelSize& size) {
    return ParseHead(path, 10, ParseGifSize, size);
}

int ReadPngSize(std::string_view path, PixelSize& size) {
    return ParseHead(path, 24, ParsePngSize, size);
}

int ReadRiffSize(std::string_view path, PixelSize& size) {
    return ParseHead(path, 72, ParseRiffSize, size);
}

int ReadJpegSize(std::string_view path, PixelSize& size) {
    size = {};
    InputFile file;
    if (file.Open(path) != 0) return -1;
    FileSource src(file);
    return WalkJpeg(src, size);
}

int CheckExists(std::string_view path) {
    InputFile file;
    return file.Open(path) == 0 ? 0 : -1;
}

FolderIndex::FolderIndex(std::string folder) : folder_(std::move(folder)) {}

void FolderIndex::Build() const {
    built_ = true;
    DirListing listing;
    if (ListDirectory(folder_, listing) != 0) return;
    for (auto& item : listing.items) {
        if (item.isDirectory) continue;
        names_.try_emplace(FoldCase(item.name), item.name);
        exact_.insert(std::move(item.name));
    }
}

const std::string* FolderIndex::Lookup(std::string_view name) const {
    if (!built_) Build();
    if (auto exact = exact_.find(name); exact != exact_.end()) return &*exact;
    auto it = names_.find(FoldCase(name));
    return it == names_.end() ? nullptr : &it->second;
}

const FolderIndex& ImageLocator::IndexFor(const std::string& folder) {
    auto& slot = folders_[folder];
    if (!slot) slot = std::make_unique<FolderIndex>(folder);
    return *slot;
}

namespace {

struct LocatorRow {
    const char* extension;
    int (*reader)(std::string_view, PixelSize&);
};

int ExistenceOnly(std::string_view path, PixelSize& size) {
    size = {};
    return CheckExists(path);
}

constexpr LocatorRow kLocatorRows[] = {
    {"jpg", ReadJpegSize}, {"jpeg", ReadJpegSize}, {"gif", ReadGifSize},   {"png", ReadPngSize},
    {"bmp", ReadBmpSize},  {"avi", ReadRiffSize},  {"mpg", ExistenceOnly}, {"mpeg", ExistenceOnly},
};

// The extension of a found name: bytes after its last '.', searched from the second-to-last
// byte down to the second byte, so a leading or trailing '.' does not count.
std::string FoundExtension(std::string_view name) {
    if (name.size() < 3) return {};
    for (size_t i = name.size() - 2; i >= 1; --i) {
        if (name[i] == '.') return std::string(name.substr(i + 1));
    }
    return {};
}

}  // namespace

std::optional<FoundImage> ImageLocator::Locate(std::string_view basePath,
                                               std::string_view extension, bool tryAll) {
    std::string wanted = AsciiLower(extension);
    size_t sep = FindLastSeparator(basePath);
    std::string folder =
        sep == std::string_view::npos ? std::string() : std::string(basePath.substr(0, sep + 1));
    std::string_view base = sep == std::string_view::npos ? basePath : basePath.substr(sep + 1);
    const FolderIndex& index = IndexFor(folder);

    std::optional<FoundImage> found;
    // The preferred extension is looked up as given, so where a folder holds both P1.JPG and
    // p1.jpg the entry P1.JPG finds its own file.
    auto tryRow = [&](const LocatorRow& row, std::string_view ext) {
        const std::string* onDisk = index.Lookup(std::string(base) + "." + std::string(ext));
        if (!onDisk) return false;
        PixelSize size;
        if (row.reader(folder + *onDisk, size) != 0) return false;
        found = FoundImage{*onDisk, FoundExtension(*onDisk), size};
        return true;
    };
    for (const auto& row : kLocatorRows) {
        if (wanted == row.extension && tryRow(row, extension)) return found;
    }
    if (tryAll) {
        for (const auto& row : kLocatorRows) {
            if (tryRow(row, row.extension)) return found;
        }
    }
    return std::nullopt;
}

}  // namespace mirulane
