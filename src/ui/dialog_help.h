#pragma once
// The help of a dialog: the dialog's help context while it is open (once it has closed, the
// main window's, 1, or the context of the dialog it was opened from), and its help button and
// F1, which open the page of the context in front.

class QAbstractButton;
class QDialog;

namespace mirulane::ui {

class UiSession;

class DialogHelp {
  public:
    DialogHelp(QDialog& dialog, UiSession& session, int context, QAbstractButton* button);
    ~DialogHelp();
    DialogHelp(const DialogHelp&) = delete;
    DialogHelp& operator=(const DialogHelp&) = delete;

  private:
    UiSession& session_;
    int saved_;  // the context before the dialog opened
};

}  // namespace mirulane::ui
