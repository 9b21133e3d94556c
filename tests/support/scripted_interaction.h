#pragma once
// An Interaction for tests: answers come from queues, everything shown is logged.

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/interaction.h"

namespace mirulane {

class ScriptedInteraction : public Interaction {
  public:
    struct Shown {
        std::string text;     // CP932
        std::string caption;  // CP932, empty for the application's name
        MsgIcon icon;
        MsgButtons buttons;
    };

    // Queued answers; when a queue is empty the default answer is used.
    std::deque<MsgAnswer> answers;
    MsgAnswer defaultAnswer = MsgAnswer::Ok;
    std::deque<OverwriteAnswer> overwriteAnswers;
    OverwriteAnswer defaultOverwrite = OverwriteAnswer::No;

    std::vector<Shown> messages;
    std::vector<std::string> overwriteAsked;                 // paths asked about
    std::vector<std::pair<StatusPane, std::string>> status;  // every status text set
    int waitCursorOn = 0;
    // Every progress report (done, total), a repeat of the last one not logged again, and the
    // report that answers "cancel" first (its done count; -1: never).
    std::vector<std::pair<int, int>> progress;
    int cancelAtDone = -1;
    // Answers "cancel" to the reports it holds true for, when set.
    std::function<bool(int done, int total)> cancelWhen;

    MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                      MsgButtons buttons) override;
    OverwriteAnswer ConfirmOverwrite(std::string_view path) override;
    void SetStatus(StatusPane pane, std::string_view text) override;
    void SetWaitCursor(bool on) override;
    ProgressAnswer Progress(int done, int total) override;
    // Logged as one warning message, each name as ShownNameCp932 shows it.
    void WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                         std::string_view after) override;

    // The texts of all messages shown, converted to UTF-8 for readable assertions.
    std::vector<std::string> MessagesUtf8() const;
};

}  // namespace mirulane
