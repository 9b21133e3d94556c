#include <string>

#include "album/album_file.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/text.h"

namespace mirulane {
namespace {

constexpr size_t kWriteFieldMax = 1023;

// A field can hold neither a TAB nor a line break: a TAB becomes one space and each line
// break (CR LF, CR or LF) becomes "<br>", so the file stays readable and pages show the breaks.
std::string Clean(std::string_view text) {
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
    return std::string(CutAtCharBoundary(out, kWriteFieldMax));
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

std::string AlbumFileText(const Album& album) {
    const PageStyle& s = album.style;
    std::string out;
    Line(out)
        .Text("#[TopPageStyle]")
        .Int(s.TopStyle)
        .Text(s.TopFolder)
        .Text(s.TopTitle)
        .Int(s.ListFrameMarginH)
        .Int(s.ListFrameMarginW)
        .Int(s.ListFrameHeight)
        .Int(s.ListFrameWidth)
        .Int(s.DetailFrameMarginH)
        .Int(s.DetailFrameMarginW)
        .Int(s.FrameBorder)
        .Int(s.FrameNoResize)
        .Int(s.MakeAutorun);
    Line(out)
        .Text("#[ListPageStyle]")
        .Text(s.ListFolder)
        .Int(s.ListLegacyThumb)
        .Text(s.ThumbFolder)
        .Int(s.ThumbSizeMode)
        .Int(s.ThumbScale)
        .Int(s.ThumbFitHeight)
        .Int(s.ThumbFitWidth)
        .Int(s.ListLegacyFrame)
        .Int(s.ListTextKind)
        .Int(s.ListCellSpacing)
        .Int(s.ListAlign)
        .Int(s.ListUseFile)
        .Int(s.ListPreset)
        .Text(s.ListTemplateFile);
    Line(out)
        .Text("#[DetailPageStyle]")
        .Text(s.DetailFolder)
        .Text(s.ImageFolder)
        .Int(s.ImageSizeMode)
        .Int(s.ImageScale)
        .Int(s.ImageFitHeight)
        .Int(s.ImageFitWidth)
        .Int(s.DetailLegacy)
        .Int(s.DetailUseFile)
        .Int(s.DetailPreset)
        .Text(s.DetailTemplateFile)
        .Int(s.TargetToTop);
    Line(out).Text("#[TargetInfo]").Text(s.TargetFolder);
    {
        Line info(out);
        info.Text("#[TemplateInfo]");
        for (int i = 0; i < static_cast<int>(Token::MAKER); ++i) info.Int(s.tokenSwitch[i]);
        info.Text(s.PrevText).Text(s.NextText);
        for (int i = static_cast<int>(Token::MAKER); i < kTokenCount; ++i)
            info.Int(s.tokenSwitch[i]);
    }
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

int WriteAlbumFile(Album& album, std::string_view path, Interaction& ui) {
    WriteStage stage = WriteStage::None;
    int err = WriteFileReplacing(path, ToCrLf(AlbumFileText(album)), &stage);
    if (err != 0) {
        const char* format = stage == WriteStage::Create
                                 ? "出力ファイルを開けません(errno=%d)\n%s"
                                 : "出力ファイルに書き込めません(errno=%d)\n%s";
        ui.Message(Format(Sj(format).c_str(), err, std::string(path).c_str()), "",
                   MsgIcon::Exclamation, MsgButtons::Ok);
        return -1;
    }
    album.modified = false;
    return album.entries.Count();
}

}  // namespace mirulane
