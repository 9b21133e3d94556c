#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "album/album_file.h"
#include "album/album_file_sections.h"
#include "album/columns.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {
namespace {

constexpr size_t kMaxFields = 48;
// A line with its line feed must be shorter: room for the most fields at the longest length.
constexpr size_t kLineLimit = kMaxFields * (kAlbumFieldMax + 1) - 1;

// Splits at TABs; false when the line has more than 48 fields or a field longer than the
// writer writes.
bool SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        std::string_view f = line.substr(
            start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        if (f.size() > kAlbumFieldMax || fields.size() >= kMaxFields) return false;
        fields.push_back(f);
        if (tab == std::string_view::npos) return true;
        start = tab + 1;
    }
}

// Assigns option k from field k while k < n, in the order of the section's fields.
class Assigner {
  public:
    explicit Assigner(const std::vector<std::string_view>& fields) : fields_(fields) {}
    Assigner& Int(int& v) {
        if (k_ < fields_.size()) v = ParseLeadingInt(fields_[k_]);
        ++k_;
        return *this;
    }
    template <class E>
    requires std::is_enum_v<E> Assigner& Int(E& v) {
        int n = ToFileInt(v);
        Int(n);
        v = FromFileInt(n, v);
        return *this;
    }
    Assigner& Switch(bool& v, bool fallback) {
        int n = ToFileInt(v);
        Int(n);
        v = FromFileInt(n, fallback);
        return *this;
    }
    Assigner& TrailingSwitch(bool& v) { return Switch(v, false); }
    Assigner& Text(std::string& v) {
        if (k_ < fields_.size()) v = std::string(fields_[k_]);
        ++k_;
        return *this;
    }

  private:
    const std::vector<std::string_view>& fields_;
    size_t k_ = 1;
};

void ReadListStyle(PageStyle& s, const std::vector<std::string_view>& f) {
    sections::ListPage(s, Assigner(f));
    // Older files have no preset number; it follows from their two legacy flags.
    if (f.size() < 13) {
        if (s.ListLegacyThumb != 1) {
            s.ListPreset = 0;
        } else if (s.ThumbSizeMode == SizeMode::Fit && s.ListLegacyFrame == 1) {
            s.ListPreset = 2;
        } else {
            s.ListPreset = 1;
        }
    }
}

// A file name that would let a page writer leave its folder (empty, ".", "..", or holding a
// separator) never becomes an entry; nor does one holding a NUL byte, which no file can have,
// or a line break or TAB, which the folder scan never takes.
bool IsSafeFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           FindLastSeparator(name) == std::string_view::npos &&
           name.find_first_of(std::string_view("\0\r\n\t", 4)) == std::string_view::npos;
}

constexpr std::string_view kSectionTags[] = {"#[TopPageStyle]", "#[ListPageStyle]",
                                             "#[DetailPageStyle]", "#[TargetInfo]",
                                             "#[TemplateInfo]"};

}  // namespace

bool HoldsAlbumList(std::string_view text, std::string_view folder) {
    const std::string header = "#" + Sj(ColumnCaptionUtf8(COL_FILE));
    // The folder's file names, case-folded; listed at the first entry line only.
    std::unordered_set<std::string> present;
    bool listed = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = std::min(text.find('\n', pos), text.size());
        std::string_view line = text.substr(pos, lf - pos);
        pos = lf + 1;
        std::string_view first = line.substr(0, std::min(line.find('\t'), line.size()));
        while (!first.empty() && first.back() == '\r') first.remove_suffix(1);
        if (!first.empty() && first[0] == '#') {
            if (first == header || std::find(std::begin(kSectionTags), std::end(kSectionTags),
                                             first) != std::end(kSectionTags)) {
                return true;
            }
            continue;
        }
        if (!IsSafeFileName(first)) continue;
        if (!listed) {
            listed = true;
            DirListing listing;
            if (ListDirectory(folder, listing) != 0) return false;
            for (const DirItem& item : listing.items) {
                if (!item.isDirectory) present.insert(FoldCase(item.name));
            }
        }
        if (present.count(FoldCase(first)) != 0) return true;
    }
    return false;
}

AlbumRead ReadAlbumText(Album& album, std::string_view text, const SkipLongLine& skipLongLine) {
    album.entries.DeleteAll();
    album.currentEntry = -1;
    album.style.ResetToDefaults();
    album.groups.clear();
    album.groups.reserve(kGroupCapacity);

    // The entries are read into a list of their own and take the album's place in one step:
    // a view is told once, not once per line.
    EntryList entries;
    entries.Reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    std::vector<std::string_view> fields;
    AlbumRead read;

    size_t pos = 0;
    while (pos < text.size()) {
        size_t lf = text.find('\n', pos);
        size_t end = lf == std::string_view::npos ? text.size() : lf;
        std::string_view line = text.substr(pos, end - pos);
        pos = lf == std::string_view::npos ? text.size() : lf + 1;
        // Length as text-mode reading sees it: CR LF counts as one line feed.
        size_t counted = line.size() + (lf == std::string_view::npos ? 0 : 1);
        if (!line.empty() && line.back() == '\r' && lf != std::string_view::npos) --counted;
        if (counted >= kLineLimit) {
            if (skipLongLine && skipLongLine()) continue;
            // The lines before the one refused stay read.
            album.entries.ReplaceWith(std::move(entries));
            read.entries = album.entries.Count();
            read.stopped = true;
            return read;
        }
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
        if (line.empty()) continue;

        bool split = SplitFields(line, fields);
        std::string_view first = line.substr(0, std::min(line.find('\t'), line.size()));
        if (first.size() > 0 && first[0] == '#') {
            if (!split) continue;
            if (first == kSectionTags[0]) {
                sections::TopPage(album.style, Assigner(fields));
            } else if (first == kSectionTags[1]) {
                ReadListStyle(album.style, fields);
            } else if (first == kSectionTags[2]) {
                sections::DetailPage(album.style, Assigner(fields));
            } else if (first == kSectionTags[3]) {
                sections::TargetInfo(album.style, Assigner(fields));
            } else if (first == kSectionTags[4]) {
                sections::TemplateInfo(album.style, Assigner(fields));
            }
            continue;  // any other "#" line is a comment
        }
        if (!IsSafeFileName(first)) {
            ++read.refusedNames;
            continue;
        }
        // Exact identity: lines naming IMG_1.JPG and img_1.jpg are two files, not one.
        int index = entries.FindExact(first);
        if (index < 0) index = entries.Append(first);
        if (!split) continue;
        size_t columns = std::min(fields.size(), static_cast<size_t>(entries.ColumnCount()));
        for (size_t k = 1; k < columns; ++k)
            entries.SetField(index, static_cast<int>(k), fields[k]);
        if (fields.size() > COL_GROUP) album.AddGroup(fields[COL_GROUP]);
    }
    album.style.EnforceValidRanges();
    album.entries.ReplaceWith(std::move(entries));
    read.entries = album.entries.Count();
    return read;
}

Expected<AlbumRead> ReadAlbumFile(Album& album, std::string_view path,
                                  const SkipLongLine& skipLongLine) {
    std::string text;
    if (int err = ReadFileBytes(path, text)) {
        return Problem{
            .kind = ProblemKind::AlbumNotOpened, .path = std::string(path), .error = err};
    }
    if (!HoldsAlbumList(text, FolderOfFile(path))) {
        return Problem{.kind = ProblemKind::NotAnAlbumList, .path = std::string(path)};
    }
    AlbumRead read = ReadAlbumText(album, text, skipLongLine);
    if (!read.stopped) {
        album.stampPath = std::string(path);
        album.stamp = StampOfBytes(text);
    }
    return read;
}

}  // namespace mirulane
