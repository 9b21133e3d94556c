#pragma once
// CLeftView: the list pane. A table of the album's entries, one row per entry and one column
// per field, kept in step with the core: a selection made here is handed to the entry list,
// and every change the core makes (select all, delete, sort, a dialog's edits) shows here.
// Clicks and the arrow keys pick the entry the preview shows; a header click sorts.

#include <QTableView>
#include <string>

namespace mirulane::ui {

class CMirulaneDoc;
class EntryListModel;
class UiSession;

class CLeftView : public QTableView {
    Q_OBJECT
  public:
    CLeftView(UiSession& session, CMirulaneDoc& doc, QWidget* parent = nullptr);

    // The items of the context menu (the window's edit commands, kept enabled by their rules).
    void SetContextMenu(QMenu* menu) { contextMenu_ = menu; }

    // Shows what the core holds now: the selection, the focused row and the sort indicator.
    void SyncFromCore();
    // Grid lines and the list font from the settings (start-up, after the settings changed).
    void ApplySettings();

    EntryListModel& Model() const { return *model_; }

    // The entry at row (or the first selected one when row < 0) becomes the current entry:
    // the preview shows it. The thumbnail view picks through here too.
    void Pick(int row);
    // The context menu at globalPos, for the focused selected entry.
    void ShowContextMenu(const QPoint& globalPos);

  signals:
    // A double click asks to edit the selected entries' information.
    void EditRequested();
    // A header click asks to sort by that column (a command of the window).
    void SortRequested(int column);

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void changeEvent(QEvent* e) override;

  private:
    void SelectionToCore();
    void FitRowHeight();
    // Around a reset of the list (a refresh, a run's results): the entry at the top of the
    // pane stays there, and the pane's horizontal place too.
    void RememberPlace();
    void RestorePlace();

    UiSession& session_;
    CMirulaneDoc& doc_;
    EntryListModel* model_;
    QMenu* contextMenu_ = nullptr;
    bool syncing_ = false;  // the view is being set from the core: nothing goes back
    std::string topEntry_;  // file name of the entry at the top before a reset
    int topRow_ = 0;
    int across_ = 0;  // horizontal scroll position before a reset
};

}  // namespace mirulane::ui
