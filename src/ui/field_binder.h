#pragma once
// The text fields of a dialog bound to the Shift-JIS bytes they edit. Each field is guarded
// (its byte limit, characters Shift-JIS cannot hold; refusals go to the dialog's hint), shows
// the bytes it was loaded from, and gives them back byte for byte when its text was not
// changed, so what a file held survives a dialog that only looked at it; a changed text comes
// back in its stored form.

#include <QString>
#include <string>
#include <vector>

#include "ui/typed_field.h"

class QLineEdit;

namespace mirulane::ui {

class FieldBinder {
  public:
    explicit FieldBinder(HintSink hint);

    // Binds a line edit (a combo box's too) of at most maxBytes bytes; name is the field's in
    // refusals. Returns the field's key.
    int AddLine(QLineEdit* edit, size_t maxBytes, const QString& name);
    // Makes and binds a multi-line comment field: stored "<br>" shows as a line break.
    CommentEdit* AddComment(size_t maxBytes, const QString& name, int* key);

    // Shows the bytes and remembers them as the field's original.
    void Load(int key, const std::string& cp932);
    // Puts a text in as the program's (never refused); compared with the original like typing.
    void SetText(int key, const QString& text);
    // The bytes to store: the original while the text is the one loaded, else the text typed.
    std::string Stored(int key) const;
    QString Text(int key) const;

  private:
    struct Field {
        QLineEdit* line = nullptr;
        TypedValidator* guard = nullptr;
        CommentEdit* comment = nullptr;
        QString shown;       // the text as loaded into the widget
        std::string loaded;  // the bytes it was loaded from
    };

    HintSink hint_;
    std::vector<Field> fields_;
};

}  // namespace mirulane::ui
