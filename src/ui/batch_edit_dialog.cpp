#include "ui/batch_edit_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "app/session.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"
#include "ui_batch_edit_dialog.h"

namespace mirulane::ui {

BatchEditDialog::BatchEditDialog(UiSession& session, QWidget* parent) : QDialog(parent) {
    Ui::BatchEditDialog form;
    form.setupUi(this);
    QLabel* hint = form.hint;
    hint->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    auto showHint = [hint](const QString& text) {
        hint->setText(text);
        QApplication::beep();
    };

    // A row for each field of the table: the check box, and the field that says its name.
    const int wide = fontMetrics().horizontalAdvance(QString(20, QChar(0x3042)));
    for (int f = 0; f < kEditFieldCount; ++f) {
        const EditField& ef = kEditFields[f];
        QString name = FieldName(ef.labelUtf8);
        auto* check = new QCheckBox(Utf8(ef.labelUtf8));
        QWidget* edit;
        if (IsCommentField(f)) {
            auto* comment = new CommentEdit(ef.maxBytes, name, showHint);
            comment->setFixedHeight(comment->fontMetrics().lineSpacing() * 4 + 10);
            edit = comment;
        } else {
            auto* line = new QLineEdit;
            GuardLineEdit(line, ef.maxBytes, name, showHint);
            edit = line;
        }
        // The check box in front of the field is no label of it: the field says its name.
        edit->setAccessibleName(name);
        check->setObjectName(FieldObjectName(f) + QStringLiteral("Check"));
        edit->setObjectName(FieldObjectName(f));
        checks_[f] = check;
        edits_[f] = edit;
        QGridLayout* grid = f < kFirstCameraField ? form.entryFields : form.cameraFields;
        edit->setMinimumWidth(f < kFirstCameraField ? wide : wide / 2);
        int row = grid->rowCount();
        grid->addWidget(check, row, 0, IsCommentField(f) ? Qt::AlignTop : Qt::Alignment());
        grid->addWidget(edit, row, 1);
    }
    for (QGridLayout* grid : {form.entryFields, form.cameraFields}) {
        grid->setRowStretch(grid->rowCount(), 1);
    }
    // Assistive technology reads the rows before what stands under them.
    for (QWidget* w : {static_cast<QWidget*>(form.camera), static_cast<QWidget*>(form.hint),
                       static_cast<QWidget*>(form.buttons)}) {
        w->raise();
    }

    AddOkCancel(*this, *form.buttons);
    help_ = std::make_unique<DialogHelp>(*this, session, kHelpBatchEdit, *form.buttons);
}

BatchEditDialog::~BatchEditDialog() = default;

BatchTexts BatchEditDialog::Texts() const {
    BatchTexts texts;
    for (int f = 0; f < kEditFieldCount; ++f) {
        if (!checks_[f]->isChecked()) continue;
        auto* comment = qobject_cast<CommentEdit*>(edits_[f]);
        const QString typed =
            comment ? comment->toPlainText() : static_cast<QLineEdit*>(edits_[f])->text();
        texts[f] = FromTyped(typed.toStdString()).cp932;
    }
    return texts;
}

void BatchEdit(UiSession& session, QWidget* parent) {
    Session& core = session.Core();
    if (core.album.entries.SelectedCount() < 2) return;
    BatchEditDialog dialog(session, parent);
    if (session.chooser().Exec(dialog) != QDialog::Accepted) return;
    core.ui.SetWaitCursor(true);
    ApplyBatchEdit(core.album, dialog.Texts());
    core.ui.SetWaitCursor(false);
}

}  // namespace mirulane::ui
