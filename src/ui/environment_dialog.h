#pragma once
// The environment settings dialog "動作環境の設定": five tabs over a copy of the settings
// (default output locations with a folder tree that previews them, the list pane, the preview
// pane, Exif acquisition, advanced options). Nothing reaches the settings until OK. It opens
// on the tab shown last in this run; the help context is that of the tab in front.

#include <QDialog>
#include <array>
#include <memory>

#include "album/settings.h"

class QButtonGroup;
class QComboBox;

namespace Ui {
class EnvironmentDialog;
}

namespace mirulane::ui {

class DialogHelp;
class UiSession;

class EnvironmentDialog : public QDialog {
    Q_OBJECT
  public:
    explicit EnvironmentDialog(UiSession& session, QWidget* parent = nullptr);
    ~EnvironmentDialog() override;

    // The dialog's values: the settings as they were when it opened, and after OK as its
    // controls hold them.
    const Settings& Values() const { return values_; }

    // OK: reads the controls back; a size field that holds no integer is reported and the
    // dialog stays open on it.
    void accept() override;

  private:
    void ShowFolders();
    void ShowListPane();
    void ShowPreviewPane();
    void ShowExif();
    void ShowAdvanced();

    void ShowTab(int tab);
    void RebuildFolderTree();
    void ShowFontSample();
    void ChangeFont();
    void ApplyEnablingRules();
    bool ReadBack();

    UiSession& session_;
    Settings values_;
    std::unique_ptr<Ui::EnvironmentDialog> form_;
    std::unique_ptr<DialogHelp> help_;
    std::array<QComboBox*, 3> folderCombos_{};  // EnvPathIdx, EnvPathLst, EnvPathThm
    QButtonGroup* dispImage_ = nullptr;
    QButtonGroup* dispSize_ = nullptr;
    std::array<QComboBox*, 7> exifCombos_{};  // in the page's order
    QList<QWidget*> exifWidgets_;             // enabled while Exif data is read
};

// The command "動作環境の設定(&E)...": runs the dialog on the settings and, on OK, stores its
// values; says what the window has to bring up to date (nothing after Cancel).
EnvironmentChanges ExecEnvironmentDialog(UiSession& session, QWidget* parent);

}  // namespace mirulane::ui
