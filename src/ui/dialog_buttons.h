#pragma once
// The button rows that close the dialogs: each a QDialogButtonBox (most of them from a form),
// with the product's captions set here, once, and the object names the tests and assistive
// technology go by.

#include <QDialogButtonBox>
#include <QString>

class QDialog;
class QPushButton;

namespace mirulane::ui {

// The captions of the buttons the dialogs share.
QString OkCaption();               // "OK"
QString CancelCaption();           // "キャンセル"
QString HalfWidthCancelCaption();  // "ｷｬﾝｾﾙ", the run dialogs' and the replacement strings'
QString HelpCaption();             // "ヘルプ"

// Adds a button with its caption, role and object name to the box.
QPushButton* AddButton(QDialogButtonBox& box, const QString& caption,
                       QDialogButtonBox::ButtonRole role, const char* objectName);

// Adds "ok" (the default; accepts the dialog) and "cancel" (rejects it) to the box. The help
// button comes from DialogHelp.
void AddOkCancel(QDialog& dialog, QDialogButtonBox& box,
                 const QString& cancelCaption = CancelCaption());

}  // namespace mirulane::ui
