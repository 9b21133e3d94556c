#pragma once
// The number fields of the option dialogs (sizes, margins, spacing in pixels), with one rule
// for both dialogs: the field holds any text; its up-down arrows step what it holds (text that
// is not a number counts as 0, never below 0); OK takes a whole decimal integer (blanks
// around it and one sign allowed) and refuses any other text of a field in use, saying so and
// putting the focus on it.

#include <QAbstractSpinBox>
#include <optional>
#include <vector>

namespace mirulane::ui {

class UiSession;

class NumberField : public QAbstractSpinBox {
    Q_OBJECT
  public:
    explicit NumberField(QWidget* parent = nullptr);

    // What assistive technology calls the field and its text.
    void SetName(const QString& name);
    QString Text() const;
    void SetText(const QString& text);
    void SetValue(int value);
    // The field's integer; nullopt for text that is none.
    std::optional<int> Value() const;

    void stepBy(int steps) override;

  protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
};

// The first of the fields that is in use (enabled, not hidden) and holds no integer; null
// when every one does.
NumberField* FirstRefusedNumber(const std::vector<NumberField*>& fields);

// Tells the user the field holds no integer and puts the focus on it, its text selected.
void RefuseNumber(UiSession& session, QWidget* dialog, NumberField* field);

}  // namespace mirulane::ui
