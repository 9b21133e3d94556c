#pragma once
// The OK / cancel / help buttons that close most dialogs.

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace mirulane::ui {

// Adds the buttons "ok" (the default; accepts the dialog), "cancel" (rejects it) and "help" to
// the end of `row`, and returns the help button for the caller to connect. Where the row
// stretches is the caller's.
QPushButton* AddOkCancelHelp(QDialog& dialog, QBoxLayout& row,
                             const QString& cancelCaption = QString::fromUtf8("キャンセル"));

}  // namespace mirulane::ui
