#pragma once
// The one way the core talks to the user mid-operation: message boxes, questions, the
// overwrite confirmation, status-bar text, the wait cursor and message pumping. The desktop
// app implements it with dialogs, the CLI on the console, the tests with a script.

#include <string>
#include <string_view>

namespace mirulane {

enum class MsgIcon { None, Information, Exclamation, Question, Stop };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };
enum class OverwriteAnswer { Yes, All, No, Cancel };

class Interaction {
  public:
    virtual ~Interaction() = default;

    // Shows a message box. Texts are CP932. An empty caption means the application's name
    // ("Mirulane").
    virtual MsgAnswer Message(std::string_view text, std::string_view caption, MsgIcon icon,
                              MsgButtons buttons) = 0;

    // The overwrite confirmation for an existing output file (CP932 path).
    virtual OverwriteAnswer ConfirmOverwrite(std::string_view path) = 0;

    // Status-bar text of one pane (0: messages/progress, 1: target folder, 2: row count).
    virtual void SetStatus(int pane, std::string_view text) = 0;

    virtual void SetWaitCursor(bool on) = 0;

    // Lets one pending window event through (long loops call it every 32 items).
    virtual void PumpOneEvent() = 0;
};

}  // namespace mirulane
