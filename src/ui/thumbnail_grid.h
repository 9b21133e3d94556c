#pragma once
// The list pane's thumbnail view: the album's entries as a grid of pictures with their file
// names, a second view over the report view's entries (their file name column alone) whose
// selection and focused entry are linked to the report view's. Selecting, the focused entry,
// Delete, the context menu and a double click act as they do in the report view, which stays
// the one that talks to the core.

#include <QListView>

namespace mirulane::ui {

class CLeftView;
class FileNameColumn;
class ThumbnailCache;
class UiSession;

class ThumbnailGrid : public QListView {
    Q_OBJECT
  public:
    ThumbnailGrid(UiSession& session, CLeftView& list, QWidget* parent = nullptr);

    // Follows the album's folders: pictures of another album or thumbnail folder are read
    // anew (after any command; nothing happens when they are the same).
    void FollowAlbum();
    // Forgets the pictures read so far (the thumbnail folder has new ones).
    void ReadPicturesAgain();

    ThumbnailCache& Cache() const { return *cache_; }

  signals:
    // A double click asks to edit the selected entries' information.
    void EditRequested();

  protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // The names are written in the report view's font, which follows the list font setting.
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    // The selection and the focused entry, each way between the two views.
    void SelectionFromList();
    void SelectionToList();
    void CurrentFromList(const QModelIndex& current);
    void CurrentToList(const QModelIndex& current);

    UiSession& session_;
    CLeftView& list_;
    FileNameColumn* names_;
    ThumbnailCache* cache_;
    bool linking_ = false;  // a change made by the link itself is not sent back
};

}  // namespace mirulane::ui
