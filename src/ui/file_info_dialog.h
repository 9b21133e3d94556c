#pragma once
// The file-information dialog "情報設定": one entry at a time, with previous and next (which
// save the entry left), delete, and the group box that becomes the album's group names when
// the dialog is closed with "閉じる".

#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "app/entry_edit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mirulane::ui {

class CMirulaneDoc;
class CommentEdit;
class DialogHelp;
class TypedValidator;
class UiSession;

class FileInfoDialog : public QDialog {
    Q_OBJECT
  public:
    FileInfoDialog(UiSession& session, CMirulaneDoc& doc, QWidget* parent = nullptr);
    ~FileInfoDialog() override;

    // Every way the dialog ends comes here: the entry shown ends selected.
    void done(int result) override;

  private:
    struct Field {
        QLineEdit* line = nullptr;  // single-line fields and the group box's edit
        TypedValidator* guard = nullptr;
        CommentEdit* comment = nullptr;
        QString shown;       // the text as loaded into the widget
        std::string loaded;  // the entry's bytes it was loaded from
    };

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
    std::array<Field, kEditFieldCount> fields_;
    QLineEdit* folder_ = nullptr;
    QLineEdit* file_ = nullptr;
    QComboBox* group_ = nullptr;
    QLabel* hint_ = nullptr;
    std::unique_ptr<DialogHelp> help_;
};

// Edit file information: runs the dialog on the first selected entry; nothing when no entry is
// selected.
void EditFileInformation(UiSession& session, CMirulaneDoc& doc, QWidget* parent);

}  // namespace mirulane::ui
