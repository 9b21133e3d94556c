#pragma once
// The template files a front end names: checking that one can be used, and exporting a preset
// into a file the user can edit. Both tell the user why not when they fail.

#include <string_view>

#include "html/templates.h"
#include "platform/interaction.h"

namespace mirulane {

// True when the template file at path (CP932) can be read as the page writers will read it;
// otherwise the user is told why (the file cannot be opened, or holds nothing).
bool TemplateFileUsable(Interaction& ui, std::string_view path);

// Writes the preset into path (CP932, replaced as a whole); false after telling why not.
bool ExportPresetFile(Interaction& ui, PresetKind kind, int index, bool horizontal,
                      std::string_view path);

}  // namespace mirulane
