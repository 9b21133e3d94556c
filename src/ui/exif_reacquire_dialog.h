#pragma once
// "Exif情報の再取得": reads the camera data of all or the selected entries again from their
// files; the run happens inside the dialog.

#include "ui/run_dialog.h"

namespace mirulane::ui {

class ExifReacquireDialog : public RunDialog {
    Q_OBJECT
  public:
    ExifReacquireDialog(UiSession& session, QWidget* parent);

  protected:
    void Execute() override;
};

// Opens the dialog over parent through the session's chooser; its result code.
int ExecExifReacquireDialog(UiSession& session, QWidget* parent);

}  // namespace mirulane::ui
