#include "ui/number_field_widget.h"

#include <QLineEdit>

#include "app/number_field.h"
#include "ui/qt_text.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

NumberField::NumberField(QWidget* parent) : QAbstractSpinBox(parent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
}

void NumberField::SetName(const QString& name) {
    setAccessibleName(name);
    lineEdit()->setAccessibleName(name);
}

QString NumberField::Text() const { return lineEdit()->text(); }

void NumberField::SetText(const QString& text) { lineEdit()->setText(text); }

void NumberField::SetValue(int value) { SetText(QString::number(value)); }

std::optional<int> NumberField::Value() const { return ParseNumberField(Text().toStdString()); }

void NumberField::stepBy(int steps) {
    SetText(QString::fromStdString(StepNumberText(Text().toStdString(), steps)));
}

NumberField* FirstRefusedNumber(const std::vector<NumberField*>& fields) {
    for (NumberField* field : fields) {
        if (field->isEnabled() && !field->isHidden() && !field->Value()) return field;
    }
    return nullptr;
}

void RefuseNumber(UiSession& session, QWidget* dialog, NumberField* field) {
    session.chooser().Message(dialog, QMessageBox::Warning, QStringLiteral("Mirulane"),
                              Utf8("整数を入力してください。"), QMessageBox::Ok);
    field->setFocus();
    field->selectAll();
}

}  // namespace mirulane::ui
