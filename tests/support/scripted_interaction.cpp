#include "support/scripted_interaction.h"

#include "platform/cp932.h"
#include "platform/shown_name.h"

namespace mirulane {

MsgAnswer ScriptedInteraction::Message(std::string_view text, std::string_view caption,
                                       MsgIcon icon, MsgButtons buttons) {
    messages.push_back({std::string(text), std::string(caption), icon, buttons});
    if (answers.empty()) return defaultAnswer;
    MsgAnswer a = answers.front();
    answers.pop_front();
    return a;
}

OverwriteAnswer ScriptedInteraction::ConfirmOverwrite(std::string_view path) {
    overwriteAsked.emplace_back(path);
    if (overwriteAnswers.empty()) return defaultOverwrite;
    OverwriteAnswer a = overwriteAnswers.front();
    overwriteAnswers.pop_front();
    return a;
}

void ScriptedInteraction::SetStatus(StatusPane pane, std::string_view text) {
    status.emplace_back(pane, std::string(text));
}

void ScriptedInteraction::SetWaitCursor(bool on) { waitCursorOn += on ? 1 : 0; }

ProgressAnswer ScriptedInteraction::Progress(int done, int total) {
    // A run asks again while it waits for slow work: the same step, logged once.
    if (progress.empty() || progress.back() != std::pair(done, total)) {
        progress.emplace_back(done, total);
    }
    const bool cancel =
        (cancelAtDone >= 0 && done >= cancelAtDone) || (cancelWhen && cancelWhen(done, total));
    return cancel ? ProgressAnswer::Cancel : ProgressAnswer::Continue;
}

void ScriptedInteraction::WarnNamingFiles(std::string_view before,
                                          const std::vector<std::string>& names,
                                          std::string_view after) {
    std::string text(before);
    for (const std::string& name : names) text += "\n  " + ShownNameCp932(name);
    text += "\n";
    text += after;
    messages.push_back({std::move(text), "", MsgIcon::Exclamation, MsgButtons::Ok});
}

std::vector<std::string> ScriptedInteraction::MessagesUtf8() const {
    std::vector<std::string> out;
    for (const auto& m : messages) out.push_back(ToDisplay(m.text));
    return out;
}

}  // namespace mirulane
