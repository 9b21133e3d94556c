#include "ui/batch_edit_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/session.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/qt_text.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

BatchEditDialog::BatchEditDialog(UiSession& session, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("batchEditDialog"));
    setWindowTitle(Utf8("詳細情報の一括設定"));

    auto* note = new QFrame;
    note->setFrameShape(QFrame::StyledPanel);
    auto* noteLayout = new QHBoxLayout(note);
    auto* noteText =
        new QLabel(Utf8("チェックを付けた項目だけが、選択中の全てのエントリに設定されます"));
    noteText->setWordWrap(true);
    noteLayout->addWidget(noteText);

    auto* hint = new QLabel;
    hint->setObjectName(QStringLiteral("hint"));
    hint->setWordWrap(true);
    hint->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    auto showHint = [hint](const QString& text) {
        hint->setText(text);
        QApplication::beep();
    };

    auto* left = new QGridLayout;
    auto* camera = new QGroupBox(Utf8("撮影データ"));
    auto* right = new QGridLayout(camera);
    const int wide = fontMetrics().horizontalAdvance(QString(20, QChar(0x3042)));
    for (int f = 0; f < kEditFieldCount; ++f) {
        const EditField& ef = kEditFields[f];
        QString name = FieldName(ef.labelUtf8);
        auto* check = new QCheckBox(Utf8(ef.labelUtf8));
        auto* edit = new QLineEdit;
        GuardLineEdit(edit, ef.maxBytes, name, showHint);
        // The check box in front of the field is no label of it: the field says its name.
        edit->setAccessibleName(name);
        check->setObjectName(FieldObjectName(f) + QStringLiteral("Check"));
        edit->setObjectName(FieldObjectName(f));
        checks_[f] = check;
        edits_[f] = edit;
        QGridLayout* grid = f < kFirstCameraField ? left : right;
        edit->setMinimumWidth(f < kFirstCameraField ? wide : wide / 2);
        int row = grid->rowCount();
        grid->addWidget(check, row, 0);
        grid->addWidget(edit, row, 1);
    }
    left->setRowStretch(left->rowCount(), 1);
    right->setRowStretch(right->rowCount(), 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* help = AddOkCancelHelp(*this, *buttons);

    auto* layout = new QGridLayout(this);
    layout->addWidget(note, 0, 0, 1, 2);
    layout->addLayout(left, 1, 0);
    layout->addWidget(camera, 1, 1);
    layout->addWidget(hint, 2, 0, 1, 2);
    layout->addLayout(buttons, 3, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    help_ = std::make_unique<DialogHelp>(*this, session, kHelpBatchEdit, help);
}

BatchEditDialog::~BatchEditDialog() = default;

BatchTexts BatchEditDialog::Texts() const {
    BatchTexts texts;
    for (int f = 0; f < kEditFieldCount; ++f) {
        if (checks_[f]->isChecked()) texts[f] = FromTyped(edits_[f]->text().toStdString()).cp932;
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
