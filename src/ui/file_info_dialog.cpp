#include "ui/file_info_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "album/columns.h"
#include "ui/dialog_help.h"
#include "ui/help.h"
#include "ui/mirulane_doc.h"
#include "ui/qt_text.h"
#include "ui/typed_field.h"
#include "ui/ui_session.h"

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
    : QDialog(parent), session_(session), doc_(doc), edit_(session.Core()) {
    setObjectName(QStringLiteral("fileInfoDialog"));
    setWindowTitle(Utf8("情報設定"));
    auto hint = [this](const QString& text) { ShowHint(text); };

    auto* left = new QGridLayout;
    folder_ = new QLineEdit;
    file_ = new QLineEdit;
    for (QLineEdit* e : {folder_, file_}) e->setReadOnly(true);
    folder_->setObjectName(QStringLiteral("folder"));
    file_->setObjectName(QStringLiteral("file"));
    folder_->setAccessibleName(Utf8("フォルダ"));
    file_->setAccessibleName(Utf8("ファイル"));
    AddRow(left, Utf8("フォルダ(&R):"), folder_);
    AddRow(left, Utf8("ファイル(&N):"), file_);

    auto* camera = new QGroupBox(Utf8("撮影データ"));
    auto* right = new QGridLayout(camera);
    const int wide = fontMetrics().horizontalAdvance(QString(20, QChar(0x3042)));
    for (int f = 0; f < kEditFieldCount; ++f) {
        const EditField& ef = kEditFields[f];
        Field& field = fields_[f];
        QString name = FieldName(ef.labelUtf8);
        QWidget* widget;
        if (IsCommentField(f)) {
            field.comment = new CommentEdit(ef.maxBytes, name, hint);
            field.comment->setFixedHeight(field.comment->fontMetrics().lineSpacing() * 4 + 10);
            widget = field.comment;
        } else if (f == kGroupField) {
            group_ = new QComboBox;
            group_->setEditable(true);
            group_->setInsertPolicy(QComboBox::NoInsert);
            field.line = group_->lineEdit();
            widget = group_;
        } else {
            field.line = new QLineEdit;
            widget = field.line;
        }
        if (field.line) field.guard = GuardLineEdit(field.line, ef.maxBytes, name, hint);
        widget->setObjectName(FieldObjectName(f));
        widget->setAccessibleName(name);
        if (f < kFirstCameraField) {
            widget->setMinimumWidth(wide);
            AddRow(left, Utf8(ef.labelUtf8), widget, IsCommentField(f));
        } else {
            widget->setMinimumWidth(wide / 2);
            AddRow(right, Utf8(ef.labelUtf8), widget);
        }
    }
    left->setRowStretch(left->rowCount(), 1);
    right->setRowStretch(right->rowCount(), 1);

    hint_ = new QLabel;
    hint_->setObjectName(QStringLiteral("hint"));
    hint_->setWordWrap(true);
    hint_->setMinimumHeight(fontMetrics().lineSpacing() * 2);

    auto* previous = new QPushButton(Utf8("前へ(&P)"));
    auto* next = new QPushButton(Utf8("次へ(&N)"));
    auto* remove = new QPushButton(Utf8("削除"));
    auto* close = new QPushButton(Utf8("閉じる"));
    auto* help = new QPushButton(Utf8("ヘルプ"));
    previous->setObjectName(QStringLiteral("previous"));
    next->setObjectName(QStringLiteral("next"));
    remove->setObjectName(QStringLiteral("delete"));
    close->setObjectName(QStringLiteral("close"));
    help->setObjectName(QStringLiteral("help"));
    // Enter saves and moves on to the next entry.
    next->setDefault(true);
    connect(previous, &QPushButton::clicked, this, [this] { Step(-1); });
    connect(next, &QPushButton::clicked, this, [this] { Step(+1); });
    connect(remove, &QPushButton::clicked, this, &FileInfoDialog::DeleteShown);
    connect(close, &QPushButton::clicked, this, &FileInfoDialog::Confirm);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* b : {previous, next, remove, close, help}) buttons->addWidget(b);

    auto* layout = new QGridLayout(this);
    layout->addLayout(left, 0, 0);
    layout->addWidget(camera, 0, 1);
    layout->addWidget(hint_, 1, 0, 1, 2);
    layout->addLayout(buttons, 2, 0, 1, 2);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 2);

    help_ = std::make_unique<DialogHelp>(*this, session_, kHelpFileInfo, help);
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
    folder_->setText(FromCp932(album.style.TargetFolder));
    file_->setText(FromCp932(album.entries.Field(edit_.Current(), COL_FILE)));
    for (int f = 0; f < kEditFieldCount; ++f) {
        Field& field = fields_[f];
        field.loaded = texts[f];
        field.shown = DisplayText(texts[f], IsCommentField(f));
        if (field.comment) {
            field.comment->setPlainText(field.shown);
        } else {
            field.guard->SetText(field.shown);
        }
    }
    hint_->clear();
    if (edit_.PreviewFollows()) doc_.UpdateAllViews(this, edit_.Current());
    fields_[0].line->setFocus();
    fields_[0].line->selectAll();
}

EditTexts FileInfoDialog::Shown() const {
    EditTexts texts;
    for (int f = 0; f < kEditFieldCount; ++f) {
        const Field& field = fields_[f];
        QString now = field.comment ? field.comment->toPlainText() : field.line->text();
        texts[f] = StoredText(now, field.shown, field.loaded);
    }
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
    hint_->setText(text);
    QApplication::beep();
}

void EditFileInformation(UiSession& session, CMirulaneDoc& doc, QWidget* parent) {
    if (session.Core().album.entries.SelectedCount() == 0) return;
    FileInfoDialog dialog(session, doc, parent);
    session.chooser().Exec(dialog);
}

}  // namespace mirulane::ui
