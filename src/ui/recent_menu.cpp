#include "ui/recent_menu.h"

#include <QAction>
#include <QDir>
#include <QMenu>

#include "ui/qt_text.h"

namespace mirulane::ui {
namespace {

// Paths longer than this many characters lose folders from their middle.
constexpr qsizetype kShownPathMax = 60;

QString ShortenedPath(const QString& path) {
    if (path.size() <= kShownPathMax) return path;
    // The first folder, then as many of the last folders as fit, and always the file name.
    const QChar slash = QDir::separator();
    const QStringList parts = path.split(slash);  // "", "home", ..., "album.txt"
    if (parts.size() <= 3) return path;
    const QString head = parts[0] + slash + parts[1] + slash + QStringLiteral("…") + slash;
    QString tail = parts.last();
    for (qsizetype i = parts.size() - 2; i >= 2; --i) {
        QString longer = parts[i] + slash + tail;
        if (head.size() + longer.size() > kShownPathMax) break;
        tail = longer;
    }
    return head + tail;
}

}  // namespace

RecentMenu::RecentMenu(QMenu* menu, QAction* before, std::function<void(int)> open)
    : QObject(menu), menu_(menu), before_(before), open_(std::move(open)) {}

QString RecentMenu::Caption(int number, const QString& path) {
    QString shown = ShortenedPath(QDir::toNativeSeparators(path));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 ").arg(number) + shown;
}

void RecentMenu::Show(const QStringList& paths) {
    if (paths == shown_) return;
    shown_ = paths;
    for (QAction* item : items_) {
        menu_->removeAction(item);
        delete item;
    }
    items_.clear();
    for (int i = 0; i < paths.size(); ++i) {
        auto* item = new QAction(Caption(i + 1, paths[i]), menu_);
        item->setObjectName(QStringLiteral("recentAlbum%1").arg(i + 1));
        item->setStatusTip(Utf8("このアルバムリストファイルを開く: ") +
                           QDir::toNativeSeparators(paths[i]));
        item->setEnabled(enabled_);
        connect(item, &QAction::triggered, this, [this, i] { open_(i); });
        menu_->insertAction(before_, item);
        items_ << item;
    }
    if (!items_.isEmpty()) items_ << menu_->insertSeparator(before_);
}

void RecentMenu::SetEnabled(bool enabled) {
    enabled_ = enabled;
    for (QAction* item : items_) {
        if (!item->isSeparator()) item->setEnabled(enabled);
    }
}

}  // namespace mirulane::ui
