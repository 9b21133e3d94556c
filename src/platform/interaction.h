#pragma once
// The one way the core talks to the user mid-operation: questions, the overwrite
// confirmation, status-bar text, the wait cursor and the progress of a long run (which may
// answer "cancel"). The desktop app implements it with dialogs, the CLI on the console, the
// tests with a script.
//
// The layers below app/ only confirm overwrites, report progress and set status texts: what
// goes wrong there is returned as a Problem (platform/problem.h), and a question they need is
// put to them as a callback. app/ alone shows messages: it words every problem in one place
// (app/problem_text) and tells it through Message.

#include <string>
#include <string_view>
#include <vector>

namespace mirulane {

enum class MsgIcon { None, Information, Exclamation, Question, Stop };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
enum class OverwriteAnswer { Yes, All, No, Cancel };
// The panes of the status bar.
enum class StatusPane { Message = 0, TargetFolder = 1, RowCount = 2 };
enum class ProgressAnswer { Continue, Cancel };

class Interaction {
  public:
    virtual ~Interaction() = default;

    // Shows a message box: a question, or a notice with an OK button. Texts are CP932. An
    // empty caption means the application's name ("Mirulane"). For app/ only.
    virtual MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                              MsgButtons buttons) = 0;

    // The overwrite confirmation for an existing output file (CP932 path).
    virtual OverwriteAnswer ConfirmOverwrite(std::string_view path) = 0;

    // Status-bar text of one pane (CP932).
    virtual void SetStatus(StatusPane pane, std::string_view text) = 0;

    virtual void SetWaitCursor(bool on) = 0;

    // Progress of a long run: done of total items (total 0: unknown). Cancel asks the run to
    // stop at the next item boundary (it then reports what it did so far).
    virtual ProgressAnswer Progress(int done, int total) = 0;

    // A warning that names files, for app/ only: before (CP932), then the names one a line as
    // the file system spells them (bytes: names CP932 may not hold), then after (CP932). Each
    // front end shows the names as well as it can.
    virtual void WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                                 std::string_view after) = 0;
};

}  // namespace mirulane
