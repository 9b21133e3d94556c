#pragma once
// The help of a dialog, for every dialog in one place: the dialog's help context while it is
// open (once it has closed, the main window's, 1, or the context of the dialog it was opened
// from), and its "ヘルプ" button and F1, which open the page of the context in front.

#include <QDialogButtonBox>

class QDialog;

namespace mirulane::ui {

class UiSession;

class DialogHelp {
  public:
    // Sets the context; F1 opens its page from now on.
    DialogHelp(QDialog& dialog, UiSession& session, int context);
    // Also adds the button "help" to the dialog's button box.
    DialogHelp(QDialog& dialog, UiSession& session, int context, QDialogButtonBox& buttons);
    ~DialogHelp();
    DialogHelp(const DialogHelp&) = delete;
    DialogHelp& operator=(const DialogHelp&) = delete;

    // Adds the button "help" to the box, for a dialog that builds its buttons later.
    void AddButton(QDialogButtonBox& buttons);
    // A dialog with one context per tab: the context of the tab in front.
    void SetContext(int context);

  private:
    void Open();

    QDialog& dialog_;
    UiSession& session_;
    int saved_;  // the context before the dialog opened
};

}  // namespace mirulane::ui
