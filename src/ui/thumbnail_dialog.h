#pragma once
// "サムネイルの抽出": copies the Exif thumbnails of all or the selected entries into an output
// folder, by default the album's thumbnail folder, and on request makes one for each picture
// without one; the run happens inside the dialog, and the
// folder it ran into becomes the album's thumbnail folder.

#include "ui/run_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace Ui {
class ThumbnailFields;
}

namespace mirulane::ui {

class ThumbnailDialog : public RunDialog {
    Q_OBJECT
  public:
    ThumbnailDialog(UiSession& session, QWidget* parent);
    ~ThumbnailDialog() override;

    QLineEdit* TargetField() const { return target_; }
    QLineEdit* OutputField() const { return output_; }
    QPushButton* BrowseButton() const { return browse_; }
    QCheckBox* MakeMissingBox() const { return makeMissing_; }

  protected:
    void Execute() override;

  private:
    void Browse();

    std::unique_ptr<Ui::ThumbnailFields> fields_;
    QLineEdit* target_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* browse_ = nullptr;
    QCheckBox* makeMissing_ = nullptr;
};

// Opens the dialog over parent through the session's chooser (from the main window, and from
// the page creation options); its result code.
int ExecThumbnailDialog(UiSession& session, QWidget* parent);

}  // namespace mirulane::ui
