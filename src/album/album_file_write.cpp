#include <string>

#include "album/album_file.h"
#include "album/album_file_sections.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

// A field as the file holds it: mended, and no longer than the reader takes.
std::string Clean(std::string_view text) {
    return std::string(CutAtCharBoundary(MendFieldText(text), kAlbumFieldMax));
}

class Line {
  public:
    explicit Line(std::string& out) : out_(out) {}
    Line& Text(std::string_view t) {
        Sep();
        out_ += Clean(t);
        return *this;
    }
    Line& Int(int v) {
        Sep();
        out_ += std::to_string(v);
        return *this;
    }
    template <class E>
    requires std::is_enum_v<E> Line& Int(E v) { return Int(ToFileInt(v)); }
    Line& Switch(bool on, bool) { return Int(ToFileInt(on)); }
    Line& TrailingSwitch(bool on) { return on ? Int(1) : *this; }
    ~Line() { out_ += '\n'; }

  private:
    void Sep() {
        if (!first_) out_ += '\t';
        first_ = false;
    }
    std::string& out_;
    bool first_ = true;
};

}  // namespace

std::string MendFieldText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\t') {
            out += ' ';
        } else if (c == '\r') {
            out += "<br>";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "<br>";
        } else {
            out += c;
        }
    }
    return out;
}

std::string AlbumFileText(const Album& album) {
    const PageStyle& s = album.style;
    std::string out;
    sections::TopPage(s, Line(out).Text("#[TopPageStyle]"));
    sections::ListPage(s, Line(out).Text("#[ListPageStyle]"));
    sections::DetailPage(s, Line(out).Text("#[DetailPageStyle]"));
    sections::TargetInfo(s, Line(out).Text("#[TargetInfo]"));
    sections::TemplateInfo(s, Line(out).Text("#[TemplateInfo]"));
    std::string header = "#";
    for (int c = 0; c < kColumnCount; ++c) {
        if (c > 0) header += '\t';
        header += Clean(Sj(ColumnCaptionUtf8(c)));
    }
    out += header + '\n';
    const EntryList& entries = album.entries;
    for (int i = 0; i < entries.Count(); ++i) {
        Line line(out);
        for (int c = 0; c < kColumnCount; ++c) line.Text(entries.Field(i, c));
    }
    return out;
}

Expected<int> WriteAlbumFile(Album& album, std::string_view path) {
    WriteStage stage = WriteStage::None;
    const std::string bytes = ToCrLf(AlbumFileText(album));
    if (int err = WriteFileReplacing(path, bytes, &stage)) {
        return Problem{.kind = ProblemKind::AlbumNotSaved,
                       .path = std::string(path),
                       .error = err,
                       .stage = stage};
    }
    album.modified = false;
    album.stampPath = std::string(path);
    album.stamp = StampOfBytes(bytes);
    return album.entries.Count();
}

}  // namespace mirulane
