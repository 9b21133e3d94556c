#include "platform/interaction.h"

#include "platform/shown_name.h"

namespace mirulane {

void Interaction::WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                                  std::string_view after) {
    std::string text(before);
    for (const std::string& name : names) text += "\n  " + ShownNameCp932(name);
    text += "\n";
    text += after;
    ShowWarning(*this, text);
}

void ShowWarning(Interaction& ui, std::string_view text) {
    ui.Message(text, "", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace mirulane
