#pragma once
// The environment settings dialog "動作環境の設定": five tabs over a copy of the settings
// (default output locations with a folder tree that previews them, the list pane, the preview
// pane, Exif acquisition, advanced options). Nothing reaches the settings until OK. It opens
// on the tab shown last in this run; the help context is that of the tab in front.

#include <QDialog>
#include <array>
#include <memory>

#include "album/settings.h"

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QTabWidget;
class QTreeWidget;

namespace mirulane::ui {

class DialogHelp;
class NumberField;
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
    QWidget* FoldersPage();
    QWidget* ListPanePage();
    QWidget* PreviewPanePage();
    QWidget* ExifPage();
    QWidget* AdvancedPage();

    void ShowTab(int tab);
    void RebuildFolderTree();
    void ShowFontSample();
    void ChangeFont();
    void ApplyEnablingRules();
    bool ReadBack();

    UiSession& session_;
    Settings values_;
    std::unique_ptr<DialogHelp> help_;
    QTabWidget* tabs_ = nullptr;

    std::array<QComboBox*, 3> folderCombos_{};  // EnvPathIdx, EnvPathLst, EnvPathThm
    QTreeWidget* folderTree_ = nullptr;

    QLabel* fontSample_ = nullptr;
    QCheckBox* sortUpLow_ = nullptr;
    QCheckBox* listGrid_ = nullptr;
    QCheckBox* useFilter_ = nullptr;
    QList<QWidget*> filterWidgets_;  // enabled while the filter is used
    QListWidget* filterList_ = nullptr;

    QButtonGroup* dispImage_ = nullptr;
    QButtonGroup* dispSize_ = nullptr;
    QList<QWidget*> sizeWidgets_;  // enabled while the specified size is chosen
    NumberField* maxW_ = nullptr;
    NumberField* maxH_ = nullptr;
    QCheckBox* withExif_ = nullptr;

    QCheckBox* getExif_ = nullptr;
    std::array<QComboBox*, 7> exifCombos_{};  // in the page's order
    QList<QWidget*> exifWidgets_;             // enabled while Exif data is read
    QCheckBox* exifDtfil_ = nullptr;

    QCheckBox* changePath_ = nullptr;
    QCheckBox* forceOverWrite_ = nullptr;
    QCheckBox* makeThumb_ = nullptr;
};

// The command "動作環境の設定(&E)...": runs the dialog on the settings and, on OK, stores its
// values; says what the window has to bring up to date (nothing after Cancel).
EnvironmentChanges ExecEnvironmentDialog(UiSession& session, QWidget* parent);

}  // namespace mirulane::ui
