#pragma once
// The command line's Interaction: messages go to stderr in UTF-8; questions are asked on a
// terminal and answered with safe defaults when nobody is there to answer.

#include <cstdio>

#include "platform/interaction.h"

namespace mirulane::cli {

class ConsoleInteraction : public Interaction {
  public:
    // interactive: stdin and stderr are terminals. forceOverwrite: --force, every overwrite
    // confirmation answers "overwrite all".
    ConsoleInteraction(bool interactive, bool forceOverwrite);

    MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                      MsgButtons buttons) override;
    OverwriteAnswer ConfirmOverwrite(std::string_view path) override;
    void SetStatus(int pane, std::string_view text) override;
    void SetWaitCursor(bool) override {}
    void PumpOneEvent() override {}

    void SetForce(bool force) { force_ = force; }
    // While set, every Yes/No question answers Yes without asking (a command's --force that
    // stands for one particular question sets it around the operation that asks it).
    void SetAnswerYes(bool yes) { answerYes_ = yes; }
    // Ends a progress line left on the terminal.
    void FinishStatus();

  private:
    bool interactive_;
    bool force_;
    bool answerYes_ = false;
    bool statusShown_ = false;
};

// True when both stdin and stderr are terminals.
bool StdioIsInteractive();

}  // namespace mirulane::cli
