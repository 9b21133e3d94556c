#include "html/templates.h"

#include <cerrno>

#include "album/page_style.h"
#include "html/escape.h"
#include "html/presets.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/paths.h"
#include "platform/text.h"

namespace mirulane {

Expected<std::string> LoadTemplateFile(std::string_view path) {
    InputFile file;
    if (int err = file.Open(path)) {
        return Problem{
            .kind = ProblemKind::TemplateNotOpened, .path = std::string(path), .error = err};
    }
    std::string text(kTemplateMaxBytes, '\0');
    errno = 0;  // an empty file is no error: it reports errno 0
    size_t got = file.Read(text.data(), text.size());
    int readErr = errno;
    file.Close();
    if (got == 0) {
        return Problem{
            .kind = ProblemKind::TemplateEmpty, .path = std::string(path), .error = readErr};
    }
    text.resize(got);
    return text;
}

bool ListLayoutIsVertical(TopLayout layout) {
    return layout != TopLayout::ListBelow && layout != TopLayout::ListAbove;
}

Expected<std::string> LoadListTemplate(const PageStyle& style) {
    if (style.ListUseFile == TemplateSource::File) return LoadTemplateFile(style.ListTemplateFile);
    if (style.TopStyle == TopLayout::NoFrames) return PhoneListPreset();
    return ListPreset(style.ListPreset, !ListLayoutIsVertical(style.TopStyle));
}

Expected<std::string> LoadDetailTemplate(const PageStyle& style) {
    if (style.DetailUseFile == TemplateSource::File)
        return LoadTemplateFile(style.DetailTemplateFile);
    if (style.TopStyle == TopLayout::NoFrames) {
        return PhoneDetailPreset(
            LinkPath(RelativeLink(style.DetailFolder, style.TopFolder) + "index.html"));
    }
    return DetailPreset(style.DetailPreset);
}

std::string ExportFileName(PresetKind kind, int index, TopLayout layout) {
    if (kind == PresetKind::Detail) return Format("template%d.html", index + 1);
    return Format("lsttmplt%d%s.html", index + 1, ListLayoutIsVertical(layout) ? "v" : "h");
}

Status ExportPreset(PresetKind kind, int index, bool horizontal, std::string_view path) {
    const std::string text =
        kind == PresetKind::Detail ? DetailPreset(index) : ListPreset(index, horizontal);
    WriteStage stage = WriteStage::None;
    if (int err = WriteFileReplacing(path, ToCrLf(text), &stage)) {
        return Problem{.kind = ProblemKind::PresetNotWritten,
                       .path = std::string(path),
                       .error = err,
                       .stage = stage};
    }
    return {};
}

}  // namespace mirulane
