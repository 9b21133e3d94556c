#include "ui/dialog_help.h"

#include <QAbstractButton>
#include <QDialog>
#include <QShortcut>

#include "ui/help.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

DialogHelp::DialogHelp(QDialog& dialog, UiSession& session, int context, QAbstractButton* button)
    : session_(session), saved_(session.HelpContext()) {
    session_.SetHelpContext(context);
    auto open = [&session, &dialog] {
        OpenHelp(session.chooser(), &dialog, session.HelpContext());
    };
    QObject::connect(button, &QAbstractButton::clicked, &dialog, open);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);
    QObject::connect(f1, &QShortcut::activated, &dialog, open);
}

DialogHelp::~DialogHelp() {
    session_.SetHelpContext(saved_ <= kHelpMainWindowAgain ? kHelpMainWindowAgain : saved_);
}

}  // namespace mirulane::ui
