#include "ui/dialog_help.h"

#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

#include "ui/dialog_buttons.h"
#include "ui/help.h"
#include "ui/ui_session.h"

namespace mirulane::ui {
namespace {

// F1 anywhere in the dialog that no control takes for itself; it reaches the dialog whether or
// not its window is the active one.
class F1Filter : public QObject {
  public:
    F1Filter(QObject* parent, std::function<void()> open)
        : QObject(parent), open_(std::move(open)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
                open_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> open_;
};

}  // namespace

DialogHelp::DialogHelp(QDialog& dialog, UiSession& session, int context)
    : dialog_(dialog), session_(session), saved_(session.HelpContext()) {
    session_.SetHelpContext(context);
    dialog.installEventFilter(new F1Filter(&dialog, [this] { Open(); }));
}

DialogHelp::DialogHelp(QDialog& dialog, UiSession& session, int context, QDialogButtonBox& buttons)
    : DialogHelp(dialog, session, context) {
    AddButton(buttons);
}

DialogHelp::~DialogHelp() {
    session_.SetHelpContext(saved_ <= kHelpMainWindowAgain ? kHelpMainWindowAgain : saved_);
}

void DialogHelp::AddButton(QDialogButtonBox& buttons) {
    QPushButton* button =
        mirulane::ui::AddButton(buttons, HelpCaption(), QDialogButtonBox::HelpRole, "help");
    QObject::connect(button, &QPushButton::clicked, &dialog_, [this] { Open(); });
}

void DialogHelp::SetContext(int context) { session_.SetHelpContext(context); }

void DialogHelp::Open() { OpenHelp(session_.chooser(), &dialog_, session_.HelpContext()); }

}  // namespace mirulane::ui
