#pragma once
// The one way the core talks to the user mid-operation: message boxes, questions, the
// overwrite confirmation, status-bar text, the wait cursor and the progress of a long run
// (which may answer "cancel"). The desktop app implements it with dialogs, the CLI on the
// console, the tests with a script.

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

    // Shows a message box. Texts are CP932. An empty caption means the application's name
    // ("Mirulane").
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

    // A warning that names files: before (CP932), then the names one a line as the file
    // system spells them (bytes: names CP932 may not hold), then after (CP932). The message
    // box shows each name as ShownNameCp932 does; a front end that can show more overrides.
    virtual void WarnNamingFiles(std::string_view before, const std::vector<std::string>& names,
                                 std::string_view after);
};

// A warning without a question: the text (CP932) with the exclamation icon and an OK button,
// under the application's name.
void ShowWarning(Interaction& ui, std::string_view text);

}  // namespace mirulane
