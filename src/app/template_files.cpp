#include "app/template_files.h"

#include "app/problem_text.h"

namespace mirulane {

bool TemplateFileUsable(Interaction& ui, std::string_view path) {
    Expected<std::string> loaded = LoadTemplateFile(path);
    if (!loaded) Report(ui, loaded.error());
    return loaded.has_value();
}

bool ExportPresetFile(Interaction& ui, PresetKind kind, int index, bool horizontal,
                      std::string_view path) {
    Status exported = ExportPreset(kind, index, horizontal, path);
    if (!exported) Report(ui, exported.error());
    return exported.has_value();
}

}  // namespace mirulane
