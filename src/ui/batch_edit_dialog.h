#pragma once
// The batch-edit dialog "詳細情報の一括設定": the checked fields are written into every
// selected entry; an unchecked field leaves its column alone.

#include <QDialog>
#include <array>
#include <memory>

#include "app/entry_edit.h"

class QCheckBox;
class QLineEdit;

namespace mirulane::ui {

class DialogHelp;
class UiSession;

class BatchEditDialog : public QDialog {
    Q_OBJECT
  public:
    explicit BatchEditDialog(UiSession& session, QWidget* parent = nullptr);
    ~BatchEditDialog() override;

    // The texts of the checked fields in their stored form.
    BatchTexts Texts() const;

  private:
    std::array<QCheckBox*, kEditFieldCount> checks_{};
    // A line edit, or a CommentEdit for the two comments (several lines, as in 情報設定).
    std::array<QWidget*, kEditFieldCount> edits_{};
    std::unique_ptr<DialogHelp> help_;
};

// Batch edit: runs the dialog and, when it is confirmed, applies it to the selected entries.
// Nothing happens with fewer than two entries selected.
void BatchEdit(UiSession& session, QWidget* parent);

}  // namespace mirulane::ui
