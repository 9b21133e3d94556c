#include "ui/field_binder.h"

#include <QLineEdit>

#include "ui/qt_text.h"

namespace mirulane::ui {

FieldBinder::FieldBinder(HintSink hint) : hint_(std::move(hint)) {}

int FieldBinder::AddLine(QLineEdit* edit, size_t maxBytes, const QString& name) {
    Field field;
    field.line = edit;
    field.guard = GuardLineEdit(edit, maxBytes, name, hint_);
    fields_.push_back(std::move(field));
    return static_cast<int>(fields_.size()) - 1;
}

CommentEdit* FieldBinder::AddComment(size_t maxBytes, const QString& name, int* key) {
    Field field;
    field.comment = new CommentEdit(maxBytes, name, hint_);
    fields_.push_back(std::move(field));
    *key = static_cast<int>(fields_.size()) - 1;
    return fields_.back().comment;
}

void FieldBinder::Load(int key, const std::string& cp932) {
    Field& field = fields_[static_cast<size_t>(key)];
    field.loaded = cp932;
    SetText(key, DisplayText(cp932, field.comment != nullptr));
    field.shown = Text(key);
}

void FieldBinder::SetText(int key, const QString& text) {
    Field& field = fields_[static_cast<size_t>(key)];
    if (field.comment) {
        field.comment->setPlainText(text);
    } else {
        field.guard->SetText(text);
    }
}

QString FieldBinder::Text(int key) const {
    const Field& field = fields_[static_cast<size_t>(key)];
    return field.comment ? field.comment->toPlainText() : field.line->text();
}

std::string FieldBinder::Stored(int key) const {
    const Field& field = fields_[static_cast<size_t>(key)];
    return StoredText(Text(key), field.shown, field.loaded);
}

}  // namespace mirulane::ui
