#include "ui/file_info_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "album/columns.h"
#include "ui/dialog_buttons.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/mirulane_doc.h"
#include "ui/qt_text.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"
#include "ui_file_info_dialog.h"

namespace mirulane::ui {
namespace {

// A label with its access key, giving the field its name.
void AddRow(QGridLayout* grid, const QString& caption, QWidget* field, bool top = false) {
    int row = grid->rowCount();
    auto* label = new QLabel(caption);
    label->setBuddy(field);
    grid->addWidget(label, row, 0, top ? Qt::AlignTop : Qt::Alignment());
    grid->addWidget(field, row, 1);
}

}  // namespace

FileInfoDialog::FileInfoDialog(UiSession& session, CMirulaneDoc& doc, QWidget* parent)
    : QDialog(parent),
      session_(session),
      doc_(doc),
      edit_(session.Core()),
      form_(std::make_unique<Ui::FileInfoDialog>()),
      binder_([this](const QString& text) { ShowHint(text); }) {
    form_->setupUi(this);

    // A row for each field of the table.
    const int wide = fontMetrics().horizontalAdvance(QString(20, QChar(0x3042)));
    for (int f = 0; f < kEditFieldCount; ++f) {
        const EditField& ef = kEditFields[f];
        QString name = FieldName(ef.labelUtf8);
        QWidget* widget;
        if (IsCommentField(f)) {
            CommentEdit* comment = binder_.AddComment(ef.maxBytes, name, &keys_[f]);
            comment->setFixedHeight(comment->fontMetrics().lineSpacing() * 4 + 10);
            widget = comment;
        } else if (f == kGroupField) {
            group_ = new QComboBox;
            group_->setEditable(true);
            group_->setInsertPolicy(QComboBox::NoInsert);
            keys_[f] = binder_.AddLine(group_->lineEdit(), ef.maxBytes, name);
            widget = group_;
        } else {
            auto* line = new QLineEdit;
            keys_[f] = binder_.AddLine(line, ef.maxBytes, name);
            widget = line;
        }
        if (f == 0) first_ = static_cast<QLineEdit*>(widget);
        widget->setObjectName(FieldObjectName(f));
        widget->setAccessibleName(name);
        if (f < kFirstCameraField) {
            widget->setMinimumWidth(wide);
            AddRow(form_->entryFields, Utf8(ef.labelUtf8), widget, IsCommentField(f));
        } else {
            widget->setMinimumWidth(wide / 2);
            AddRow(form_->cameraFields, Utf8(ef.labelUtf8), widget);
        }
    }
    for (QGridLayout* grid : {form_->entryFields, form_->cameraFields}) {
        grid->setRowStretch(grid->rowCount(), 1);
    }
    form_->hint->setMinimumHeight(fontMetrics().lineSpacing() * 2);
    // Assistive technology reads the rows before what stands beside and under them.
    for (QWidget* w : {static_cast<QWidget*>(form_->camera), static_cast<QWidget*>(form_->hint),
                       static_cast<QWidget*>(form_->buttons)}) {
        w->raise();
    }

    QDialogButtonBox& buttons = *form_->buttons;
    const auto action = QDialogButtonBox::ActionRole;
    QPushButton* previous = AddButton(buttons, Utf8("前へ(&P)"), action, "previous");
    QPushButton* next = AddButton(buttons, Utf8("次へ(&N)"), action, "next");
    QPushButton* remove = AddButton(buttons, Utf8("削除"), action, "delete");
    QPushButton* close = AddButton(buttons, Utf8("閉じる"), action, "close");
    // Enter saves and moves on to the next entry.
    next->setDefault(true);
    connect(previous, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(remove, &QPushButton::clicked, this, &FileInfoDialog::DeleteShown);
    connect(close, &QPushButton::clicked, this, &FileInfoDialog::Confirm);

    help_ = std::make_unique<DialogHelp>(*this, session_, kHelpFileInfo, buttons);
    FillGroupBox();
    Load();
}

FileInfoDialog::~FileInfoDialog() = default;

void FileInfoDialog::done(int result) {
    edit_.Finish();
    QDialog::done(result);
}

void FileInfoDialog::Load() {
    EditTexts texts = edit_.Load();
    const Album& album = session_.Core().album;
    form_->folder->setText(FromCp932(album.style.TargetFolder));
    form_->file->setText(FromCp932(album.entries.Field(edit_.Current(), COL_FILE)));
    for (int f = 0; f < kEditFieldCount; ++f) binder_.Load(keys_[f], texts[f]);
    form_->hint->clear();
    if (edit_.PreviewFollows()) doc_.UpdateAllViews(this, edit_.Current());
    first_->setFocus();
    first_->selectAll();
}

EditTexts FileInfoDialog::Shown() const {
    EditTexts texts;
    for (int f = 0; f < kEditFieldCount; ++f) texts[f] = binder_.Stored(keys_[f]);
    return texts;
}

void FileInfoDialog::Step(int step) {
    edit_.Step(Shown(), step);
    FillGroupBox();
    Load();
}

void FileInfoDialog::DeleteShown() {
    if (edit_.DeleteCurrent()) {
        Load();
        return;
    }
    if (edit_.PreviewFollows()) doc_.UpdateAllViews(this, -1);
    session_.chooser().Message(this, QMessageBox::Information, QStringLiteral("Mirulane"),
                               Utf8("表示する情報がなくなりました"), QMessageBox::Ok);
    reject();
}

void FileInfoDialog::Confirm() {
    edit_.Confirm(Shown());
    accept();
}

void FileInfoDialog::FillGroupBox() {
    QStringList names;
    for (const std::string& name : edit_.GroupBox()) names << FromCp932(name);
    if (group_->count() == names.size()) return;  // the box only ever grows
    group_->clear();
    group_->addItems(names);
}

void FileInfoDialog::ShowHint(const QString& text) {
    form_->hint->setText(text);
    QApplication::beep();
}

void EditFileInformation(UiSession& session, CMirulaneDoc& doc, QWidget* parent) {
    if (session.Core().album.entries.SelectedCount() == 0) return;
    FileInfoDialog dialog(session, doc, parent);
    session.chooser().Exec(dialog);
}

}  // namespace mirulane::ui
