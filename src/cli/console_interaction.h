#pragma once
// The command line's Interaction: messages go to stderr in UTF-8; questions are asked on a
// terminal and answered with safe defaults when nobody is there to answer.

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/interaction.h"

namespace mirulane::cli {

class ConsoleInteraction : public Interaction {
  public:
    // interactive: stdin and stderr are terminals. (--force reaches the runs as their
    // overwrite-all setting, which never answers for a file the program did not write: such a
    // file is still asked about here.)
    explicit ConsoleInteraction(bool interactive);

    MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                      MsgButtons buttons) override;
    OverwriteAnswer ConfirmOverwrite(std::string_view path) override;
    void SetStatus(StatusPane pane, std::string_view text) override;
    void SetWaitCursor(bool) override {}
    // On a terminal, "LABEL done/total" on one line while a label is set; never cancels.
    ProgressAnswer Progress(int done, int total) override;
    // The names as the terminal can show them: UTF-8 as it is, other bytes escaped.
    void WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                         std::string_view after) override;

    // What the progress line says the run is doing (UTF-8); empty: no progress line (a run
    // whose status texts tell their own progress).
    void SetProgressLabel(std::string label) { progressLabel_ = std::move(label); }
    // While set, every Yes/No question answers Yes without asking (a command's --force that
    // stands for one particular question sets it around the operation that asks it).
    void SetAnswerYes(bool yes) { answerYes_ = yes; }
    // Ends a progress line left on the terminal.
    void FinishStatus();

  private:
    // Replaces the line left on the terminal by the text (on a terminal only).
    void ShowStatusLine(const std::string& utf8);

    bool interactive_;
    bool answerYes_ = false;
    bool statusShown_ = false;
    std::string shownStatus_;  // the status line on the terminal now
    std::string progressLabel_;
};

// True when both stdin and stderr are terminals.
bool StdioIsInteractive();

}  // namespace mirulane::cli
