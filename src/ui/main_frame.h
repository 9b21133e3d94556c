#pragma once
// CMainFrame: the main window. Menus, toolbar, status bar and the splitter with the list pane
// on the left and the preview pane on the right; the commands run through the ui session.

#include <QMainWindow>
#include <array>
#include <functional>

#include "album/settings.h"
#include "app/interaction.h"

class QAction;
class QActionGroup;
class QLabel;
class QSplitter;
class QStackedWidget;
class QToolBar;

namespace mirulane::ui {

class CLeftView;
class CMirulaneDoc;
class ThumbnailGrid;
class RecentMenu;
class UiSession;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    // Menu commands, in menu order.
    enum Command {
        kNew,
        kOpen,
        kSave,
        kSaveAs,
        kTargetFolder,
        kCreateHtml,
        kExit,
        kEditFileInfo,
        kBatchEdit,
        kSelectAll,
        kDelete,
        kToolBar,
        kStatusBar,
        kThumbnailView,
        kShowImage,
        kDetailPreview,
        kListPreview,
        kFont,
        kRefresh,
        kReacquireExif,
        kExtractThumbnails,
        kPageOptions,
        kEnvironment,
        kHelp,
        kAbout,
        kCommandCount
    };

    // Builds the window and starts a new, empty album.
    explicit CMainFrame(UiSession& session);
    ~CMainFrame() override;

    // Opens an album list file named on the command line.
    void OpenAlbumFile(const QString& path);

    // The file-information dialog on the first selected entry (the edit command and a double
    // click on an entry); nothing when no entry is selected.
    void EditFileInfo();

    // Enables the commands by their rules and marks the preview mode; the list pane calls it
    // when its selection changes.
    void UpdateCommandStates();

    QAction* Action(Command command) const { return actions_[command]; }
    // The recent albums' items in ファイル, then their separator.
    QList<QAction*> RecentAlbumItems() const;
    QToolBar* ToolBar() const { return toolBar_; }
    QSplitter* Splitter() const { return splitter_; }
    CLeftView* ListPane() const { return listPane_; }
    // The list pane's thumbnail view, over the same entries and selection as ListPane.
    ThumbnailGrid* ThumbnailPane() const { return thumbnailPane_; }
    // The list pane's view in sight: the report view or the thumbnail view.
    QWidget* ShownListView() const;
    QWidget* PreviewPane() const { return previewPane_; }
    CMirulaneDoc& Doc() const { return *doc_; }
    QLabel* StatusLabel(StatusPane pane) const { return status_[static_cast<int>(pane)]; }

    // The splitter's first widths for a frame w pixels wide: the preview pane gets 320 and the
    // list the rest, or both half when the frame is no wider than 320.
    static std::pair<int, int> InitialPaneWidths(int frameWidth);

  protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    // A local file or folder dropped on the window: a folder becomes the target folder, a
    // file is opened as an album list file.
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
    QMenu* createPopupMenu() override { return nullptr; }

  private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreatePanes();

    // Runs a command, unless a run owns the album; then shows what the command changed. A
    // command that started a run is shown once the run has finished.
    void Run(const std::function<void()>& command);
    // After a command or a run: the list, the commands and the title show the album again.
    void AfterCommand();
    void SetStatusText(StatusPane pane, const QString& text);
    void ShowStatusMessage();
    void OpenHelp(int context);
    void ShowAbout();
    void ChangeFont();
    void SetPreviewMode(PreviewMode mode);
    // Shows the thumbnail view (or the report view) and remembers the choice.
    void ShowThumbnails(bool on);
    // Tells the preview that no entry is picked (its current entry is the album's, which the
    // album commands reset).
    void BlankPreview();
    void FocusOtherPane();
    void OpenDropped(const QString& path);

    UiSession& session_;
    CMirulaneDoc* doc_ = nullptr;
    std::array<QAction*, kCommandCount> actions_{};
    QActionGroup* previewModes_ = nullptr;
    RecentMenu* recent_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QSplitter* splitter_ = nullptr;
    CLeftView* listPane_ = nullptr;
    ThumbnailGrid* thumbnailPane_ = nullptr;
    QStackedWidget* listViews_ = nullptr;
    QWidget* previewPane_ = nullptr;
    std::array<QLabel*, 3> status_{};
    QLabel* noTargetIcon_ = nullptr;
    QString message_;               // pane 0's text from the album's operations
    QString prompt_;                // the prompt of the highlighted command, shown instead
    bool picturesChanged_ = false;  // the thumbnail view reads its pictures again
    bool shown_ = false;
    bool closed_ = false;
};

}  // namespace mirulane::ui
