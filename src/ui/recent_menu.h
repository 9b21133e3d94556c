#pragma once
// The recent albums in ファイル: one item a file, numbered 1 to 8 as their access keys, above
// the item they are placed before, with a separator after them; nothing at all while the
// list is empty.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

namespace mirulane::ui {

class RecentMenu : public QObject {
    Q_OBJECT
  public:
    // The items go into menu before the item before; choosing one calls open with its index.
    RecentMenu(QMenu* menu, QAction* before, std::function<void(int)> open);

    // Lists these paths (the latest first), when they differ from the paths listed.
    void Show(const QStringList& paths);
    void SetEnabled(bool enabled);

    const QList<QAction*>& Items() const { return items_; }

    // "&1 /home/me/album.txt": the access key, then the path, shortened in the middle when
    // long (the file name always whole) and with its ampersands doubled.
    static QString Caption(int number, const QString& path);

  private:
    QMenu* menu_;
    QAction* before_;
    std::function<void(int)> open_;
    QStringList shown_;
    QList<QAction*> items_;  // the files, then the separator
    bool enabled_ = true;
};

}  // namespace mirulane::ui
