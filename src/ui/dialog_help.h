#pragma once
// The help of a dialog opened from the main window: the dialog's help context while it is
// open (the main window's, 1, again once it has closed), and its help button and F1, which
// open the page of the context in front.

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
};

}  // namespace mirulane::ui
