#include "ui/typed_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

#include "ui/qt_text.h"

namespace mirulane::ui {
namespace {

TypedText Typed(const QString& text) { return FromTyped(text.toStdString()); }

}  // namespace

QString FieldName(const char* labelUtf8) {
    QString name = QString::fromUtf8(labelUtf8);
    name.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    if (name.endsWith(QLatin1Char(':'))) name.chop(1);
    return name;
}

QString RefusalText(TypedEdit verdict, const QString& name, size_t maxBytes, bool multiLine) {
    if (verdict == TypedEdit::NotShiftJis) {
        return QString::fromUtf8("Shift-JIS で表せない文字は入力できません（%1）").arg(name);
    }
    QString text = QString::fromUtf8("「%1」に入力できるのは半角 %2 文字（全角 %3 文字）までです")
                       .arg(name)
                       .arg(maxBytes)
                       .arg(maxBytes / 2);
    if (multiLine) text += QString::fromUtf8("。改行は半角 4 文字に数えます");
    return text;
}

TypedValidator::TypedValidator(QLineEdit* edit, size_t maxBytes, QString name, HintSink hint)
    : QValidator(edit),
      edit_(edit),
      maxBytes_(maxBytes),
      name_(std::move(name)),
      hint_(std::move(hint)),
      last_(edit->text()) {
    // The text an edit starts from; a refused edit is undone by the line edit itself.
    connect(edit, &QLineEdit::textChanged, this, [this] { last_ = edit_->text(); });
}

QValidator::State TypedValidator::validate(QString& input, int&) const {
    if (programmatic_) return Acceptable;
    TypedEdit verdict = CheckTypedEdit(Typed(last_), Typed(input), maxBytes_);
    if (verdict == TypedEdit::Accepted) return Acceptable;
    if (hint_) hint_(RefusalText(verdict, name_, maxBytes_, false));
    return Invalid;
}

void TypedValidator::SetText(const QString& text) {
    programmatic_ = true;
    edit_->setText(text);
    programmatic_ = false;
    last_ = edit_->text();
}

TypedValidator* GuardLineEdit(QLineEdit* edit, size_t maxBytes, const QString& name,
                              HintSink hint) {
    auto* guard = new TypedValidator(edit, maxBytes, name, std::move(hint));
    edit->setValidator(guard);
    return guard;
}

CommentEdit::CommentEdit(size_t maxBytes, QString name, HintSink hint, QWidget* parent)
    : QPlainTextEdit(parent), maxBytes_(maxBytes), name_(std::move(name)), hint_(std::move(hint)) {
    setTabChangesFocus(true);
}

void CommentEdit::keyPressEvent(QKeyEvent* e) {
    Guarded([&] { QPlainTextEdit::keyPressEvent(e); });
}

void CommentEdit::inputMethodEvent(QInputMethodEvent* e) {
    Guarded([&] { QPlainTextEdit::inputMethodEvent(e); });
}

void CommentEdit::insertFromMimeData(const QMimeData* source) {
    Guarded([&] { QPlainTextEdit::insertFromMimeData(source); });
}

void CommentEdit::Guarded(const std::function<void()>& edit) {
    const QString before = toPlainText();
    edit();
    const QString after = toPlainText();
    if (after == before) return;
    TypedEdit verdict = CheckTypedEdit(Typed(before), Typed(after), maxBytes_);
    if (verdict == TypedEdit::Accepted) return;
    // Back to the text before, with the cursor where the refused text would have begun.
    int pos = textCursor().position() - static_cast<int>(after.size() - before.size());
    setPlainText(before);
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(pos, 0, static_cast<int>(before.size())));
    setTextCursor(cursor);
    if (hint_) hint_(RefusalText(verdict, name_, maxBytes_, true));
}

QString FieldObjectName(int field) {
    static const char* const kNames[kEditFieldCount] = {
        "title",    "reading",     "group",    "comment1",     "comment2",
        "maker",    "model",       "dateTime", "iso",          "shutterSpeed",
        "aperture", "focalLength", "flash",    "exposureBias", "imageSize"};
    return QString::fromLatin1(kNames[field]);
}

QString DisplayText(std::string_view cp932, bool multiLine) {
    QString text = FromCp932(cp932);
    if (multiLine) text.replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    return text;
}

std::string StoredText(const QString& now, const QString& shown, const std::string& loaded) {
    if (now == shown) return loaded;
    return FromTyped(now.toStdString()).cp932;
}

}  // namespace mirulane::ui
