#include "platform/interaction.h"

namespace mirulane {

void ShowWarning(Interaction& ui, std::string_view text) {
    ui.Message(text, "", MsgIcon::Exclamation, MsgButtons::Ok);
}

}  // namespace mirulane
