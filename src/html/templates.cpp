#include "html/templates.h"

#include <cerrno>

#include "album/page_style.h"
#include "html/presets.h"
#include "platform/cp932.h"
#include "platform/fs.h"
#include "platform/interaction.h"
#include "platform/text.h"

namespace mirulane {

int LoadTemplateFile(std::string_view path, std::string& out, Interaction& ui) {
    out.clear();
    InputFile file;
    if (int err = file.Open(path)) {
        ShowWarning(ui, SjFormat("指定されたテンプレートファイルを開けません(errno=%d)\n%s", err,
                                 std::string(path).c_str()));
        return -1;
    }
    std::string text(kTemplateMaxBytes, '\0');
    errno = 0;  // an empty file is no error: it reports errno 0
    size_t got = file.Read(text.data(), text.size());
    int readErr = errno;
    file.Close();
    if (got == 0) {
        ShowWarning(ui, SjFormat("テンプレートファイルから読み込めません(errno=%d)\n%s", readErr,
                                 std::string(path).c_str()));
        return -2;
    }
    text.resize(got);
    out.swap(text);
    return 0;
}

bool ListLayoutIsVertical(TopLayout layout) {
    return layout != TopLayout::ListBelow && layout != TopLayout::ListAbove;
}

int LoadListTemplate(const PageStyle& style, std::string& out, Interaction& ui) {
    if (style.ListUseFile == TemplateSource::File)
        return LoadTemplateFile(style.ListTemplateFile, out, ui);
    out = ListPreset(style.ListPreset, !ListLayoutIsVertical(style.TopStyle));
    return 0;
}

int LoadDetailTemplate(const PageStyle& style, std::string& out, Interaction& ui) {
    if (style.DetailUseFile == TemplateSource::File)
        return LoadTemplateFile(style.DetailTemplateFile, out, ui);
    out = DetailPreset(style.DetailPreset);
    return 0;
}

std::string ExportFileName(PresetKind kind, int index, TopLayout layout) {
    if (kind == PresetKind::Detail) return Format("template%d.html", index + 1);
    return Format("lsttmplt%d%s.html", index + 1, ListLayoutIsVertical(layout) ? "v" : "h");
}

int ExportPreset(PresetKind kind, int index, bool horizontal, std::string_view path,
                 Interaction& ui) {
    const std::string text =
        kind == PresetKind::Detail ? DetailPreset(index) : ListPreset(index, horizontal);
    WriteStage stage = WriteStage::None;
    int err = WriteFileReplacing(path, ToCrLf(text), &stage);
    if (err == 0) return 0;
    if (stage == WriteStage::Write) {
        ShowWarning(ui,
                    SjFormat("ファイル出力エラー(errno=%d)\n%s", err, std::string(path).c_str()));
        return -2;
    }
    // The temporary file could not be created or could not take the name's place.
    ShowWarning(ui,
                SjFormat("出力ファイルを開けません(errno=%d)\n%s", err, std::string(path).c_str()));
    return -1;
}

}  // namespace mirulane
