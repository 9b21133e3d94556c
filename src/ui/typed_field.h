#pragma once
// Fields whose text an entry stores as Shift-JIS of a limited length: typing (keys, the input
// method, pasting, dropping) past the limit or a character Shift-JIS cannot hold is refused,
// and the field's hint sink is told why. Texts put in by the program are never refused, so an
// entry read from a file shows whatever it holds and can still be shortened.

#include <QPlainTextEdit>
#include <QValidator>
#include <functional>
#include <string>
#include <string_view>

#include "app/entry_edit.h"

class QLineEdit;

namespace mirulane::ui {

using HintSink = std::function<void(const QString&)>;

// The name a field goes by: its label without the access key and the colon.
QString FieldName(const char* labelUtf8);

// Why a typed text was refused, in the user's words.
QString RefusalText(TypedEdit verdict, const QString& name, size_t maxBytes, bool multiLine);

// The guard of a line edit (a combo box's too). It is the edit's validator.
class TypedValidator : public QValidator {
    Q_OBJECT
  public:
    TypedValidator(QLineEdit* edit, size_t maxBytes, QString name, HintSink hint);
    State validate(QString& input, int& pos) const override;
    // Sets the edit's text as the program's, not the user's.
    void SetText(const QString& text);

  private:
    QLineEdit* edit_;
    size_t maxBytes_;
    QString name_;
    HintSink hint_;
    QString last_;  // the text before the edit being validated
    bool programmatic_ = false;
};

// Guards a line edit; returns its guard.
TypedValidator* GuardLineEdit(QLineEdit* edit, size_t maxBytes, const QString& name, HintSink hint);

// A multi-line comment field; Tab moves on to the next field.
class CommentEdit : public QPlainTextEdit {
    Q_OBJECT
  public:
    CommentEdit(size_t maxBytes, QString name, HintSink hint, QWidget* parent = nullptr);

  protected:
    void keyPressEvent(QKeyEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    // Runs one user edit and takes it back when it is refused.
    void Guarded(const std::function<void()>& edit);

    size_t maxBytes_;
    QString name_;
    HintSink hint_;
};

// The object name of the widget of kEditFields[field] in both entry dialogs ("title", ...).
QString FieldObjectName(int field);

// An entry's field shown for editing: comments show the stored "<br>" as line breaks.
QString DisplayText(std::string_view cp932, bool multiLine);

// The text to store: the bytes shown when the field was not changed (so what Shift-JIS text a
// file held comes back byte for byte), else the typed text in its stored form.
std::string StoredText(const QString& now, const QString& shown, const std::string& loaded);

}  // namespace mirulane::ui
