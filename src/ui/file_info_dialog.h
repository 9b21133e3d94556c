#pragma once
// The file-information dialog "情報設定": one entry at a time, with previous and next (which
// save the entry left), delete, and the group box that becomes the album's group names when
// the dialog is closed with "閉じる".

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "app/entry_edit.h"
#include "ui/field_binder.h"

class QComboBox;
class QLineEdit;

namespace Ui {
class FileInfoDialog;
}

namespace mirulane::ui {

class CMirulaneDoc;
class DialogHelp;
class UiSession;

class FileInfoDialog : public QDialog {
    Q_OBJECT
  public:
    FileInfoDialog(UiSession& session, CMirulaneDoc& doc, QWidget* parent = nullptr);
    ~FileInfoDialog() override;

    // Every way the dialog ends comes here: the entry shown ends selected.
    void done(int result) override;

  private:
    void Load();
    EditTexts Shown() const;
    void Step(int step);
    void DeleteShown();
    void Confirm();
    void FillGroupBox();
    void ShowHint(const QString& text);

    UiSession& session_;
    CMirulaneDoc& doc_;
    FileInfoEdit edit_;
    std::unique_ptr<Ui::FileInfoDialog> form_;
    FieldBinder binder_;
    std::array<int, kEditFieldCount> keys_{};  // the binder's key of each field
    QLineEdit* first_ = nullptr;               // the title, which has the focus after a load
    QComboBox* group_ = nullptr;
    std::unique_ptr<DialogHelp> help_;
};

// Edit file information: runs the dialog on the first selected entry; nothing when no entry is
// selected.
void EditFileInformation(UiSession& session, CMirulaneDoc& doc, QWidget* parent);

}  // namespace mirulane::ui
