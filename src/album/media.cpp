#include "album/media.h"

#include <cstring>
#include <utility>

#include "album/byte_source.h"
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
    // "mov" is a movie too: a phone's QuickTime clip plays, or gets a playable copy.
    static constexpr const char* kVideos[] = {"avi", "mpg", "mpeg", "mp4", "m4v", "webm", "mov"};
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

// Reads the Orientation from TIFF data of `length` bytes, forward only (the header, a skip to
// IFD0, its entry count, then entries up to the tag), so the segment walk can read it on its
// way past the segment. `used` is the number of bytes asked of the source, at most `length`.
// Every offset is checked against `length`; anything malformed gives 1.
template <typename Source>
int ReadTiffOrientation(Source& src, size_t length, size_t& used) {
    constexpr uint32_t kOrientationTag = 0x0112;
    constexpr uint32_t kShort = 3;
    constexpr size_t kHeader = 8;
    constexpr size_t kEntry = 12;
    used = 0;
    unsigned char b[kEntry];
    if (length < kHeader) return 1;
    used = kHeader;
    if (src.Read(b, kHeader) != kHeader) return 1;
    bool big;
    if (b[0] == 'M' && b[1] == 'M') {
        big = true;
    } else if (b[0] == 'I' && b[1] == 'I') {
        big = false;
    } else {
        return 1;
    }
    auto u16 = [big](const unsigned char* p) { return big ? Be16(p) : Le16(p); };
    auto u32 = [big](const unsigned char* p) { return big ? Be32(p) : Le32(p); };
    uint32_t ifd0 = u32(b + 4);
    if (ifd0 < kHeader || ifd0 > length || length - ifd0 < 2) return 1;
    if (!src.Skip(ifd0 - used)) return 1;
    used = ifd0 + 2;
    if (src.Read(b, 2) != 2) return 1;
    uint32_t count = u16(b);
    for (uint32_t k = 0; k < count && length - used >= kEntry; ++k) {
        used += kEntry;
        if (src.Read(b, kEntry) != kEntry) return 1;
        if (u16(b) != kOrientationTag) continue;
        uint32_t value = u16(b + 8);
        bool sound = u16(b + 2) == kShort && u32(b + 4) == 1 && value >= 1 && value <= 8;
        return sound ? static_cast<int>(value) : 1;
    }
    return 1;
}

// Segment walk shared by the file and the memory reader. Source has Read(buf, n) -> count and
// Skip(delta) -> bool. The first Exif APP1 segment is read as far as IFD0's Orientation; every
// other segment is skipped unread.
template <typename Source>
int WalkJpeg(Source& src, PixelSize& size) {
    size = {};
    int orientation = 1;
    bool sawExif = false;
    unsigned char b[6];
    if (src.Read(b, 2) != 2 || b[0] != 0xFF || b[1] != 0xD8) return -1;
    for (;;) {
        if (src.Read(b, 4) != 4) return -1;
        if (b[0] == 0xFF && b[1] == 0xC0) {
            if (src.Read(b, 5) != 5) return -1;
            size.height = Be16(b + 1);
            size.width = Be16(b + 3);
            size.orientation = orientation;
            return 0;
        }
        if (b[0] == 0xFF && (b[1] == 0xDA || b[1] == 0xD9)) return -1;
        uint32_t length = Be16(b + 2);
        constexpr size_t kExifId = 6;
        if (b[0] == 0xFF && b[1] == 0xE1 && !sawExif && length >= 2 + kExifId) {
            size_t contents = length - 2;
            if (src.Read(b, kExifId) != kExifId) return -1;
            size_t used = kExifId;
            if (std::memcmp(b, "Exif\0\0", kExifId) == 0) {
                sawExif = true;
                size_t tiffUsed = 0;
                orientation = ReadTiffOrientation(src, contents - kExifId, tiffUsed);
                used += tiffUsed;
            }
            if (!src.Skip(contents - used)) return -1;
            continue;
        }
        // The skip is computed in 16 bits, as the segment length is.
        uint16_t skip = static_cast<uint16_t>(length - 2);
        if (!src.Skip(skip)) return -1;
    }
}

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

int TiffOrientation(std::string_view tiff) {
    MemorySource src{tiff};
    size_t used = 0;
    return ReadTiffOrientation(src, tiff.size(), used);
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

// The rows after "mpeg" came later: a name missing with its own extension still falls back
// to the older rows first.
constexpr LocatorRow kLocatorRows[] = {
    {"jpg", ReadJpegSize}, {"jpeg", ReadJpegSize}, {"gif", ReadGifSize},   {"png", ReadPngSize},
    {"bmp", ReadBmpSize},  {"avi", ReadRiffSize},  {"mpg", ExistenceOnly}, {"mpeg", ExistenceOnly},
    {"mp4", ReadMp4Size},  {"m4v", ReadMp4Size},   {"webm", ReadWebmSize}, {"mov", ReadMp4Size},
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

std::string PosterName(std::string_view movieName) { return std::string(movieName) + ".jpg"; }

std::string PlayableCopyName(std::string_view movieName) { return std::string(movieName) + ".mp4"; }

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
        // Every display size (pages, the preview and its texts) comes from here: the picture is
        // measured as it is shown.
        if (size.orientation >= 5) std::swap(size.width, size.height);
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
