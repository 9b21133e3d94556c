#pragma once
// "テンプレートの置換文字列設定": which tokens the page writers replace, and the texts of the
// links to the previous and next detail page. OK stores them into the album at once, whatever
// the dialog it was opened from does afterwards.

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "album/page_style.h"
#include "ui/field_binder.h"

class QCheckBox;
class QLineEdit;

namespace Ui {
class ReplacementStringsDialog;
}

namespace mirulane::ui {

class DialogHelp;
class UiSession;

class ReplacementStringsDialog : public QDialog {
    Q_OBJECT
  public:
    ReplacementStringsDialog(UiSession& session, QWidget* parent);
    ~ReplacementStringsDialog() override;

    QCheckBox* SwitchBox(Token token) const { return switches_[static_cast<int>(token)]; }
    QLineEdit* PrevTextField() const { return prev_; }
    QLineEdit* NextTextField() const { return next_; }

    void accept() override;

  private:
    void ShowHint(const QString& text);

    UiSession& session_;
    std::unique_ptr<Ui::ReplacementStringsDialog> form_;
    FieldBinder binder_;
    std::array<QCheckBox*, kTokenCount> switches_{};
    QLineEdit* prev_ = nullptr;
    QLineEdit* next_ = nullptr;
    int prevKey_ = 0;  // the binder's keys of the two link texts
    int nextKey_ = 0;
    std::unique_ptr<DialogHelp> help_;
};

}  // namespace mirulane::ui
