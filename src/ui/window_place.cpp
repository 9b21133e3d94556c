#include "ui/window_place.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QMainWindow>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

namespace mirulane::ui {

QRect PlaceOnScreen(const QRect& saved, const QRect& available) {
    if (available.isEmpty() || saved.isEmpty()) return saved;
    QSize size = saved.size().boundedTo(available.size());
    int left = std::clamp(saved.left(), available.left(), available.right() + 1 - size.width());
    int top = std::clamp(saved.top(), available.top(), available.bottom() + 1 - size.height());
    return {QPoint(left, top), size};
}

WindowPlacement PlacementOf(const QMainWindow& window, const QSplitter& panes,
                            const QHeaderView& columns) {
    WindowPlacement p;
    QRect normal = window.normalGeometry();
    if (normal.isEmpty()) normal = window.geometry();
    p.left = normal.left();
    p.top = normal.top();
    p.width = normal.width();
    p.height = normal.height();
    p.maximized = window.isMaximized();
    QList<int> sizes = panes.sizes();
    if (sizes.size() == 2 && sizes[0] > 0 && sizes[1] > 0) {
        p.listWidth = sizes[0];
        p.previewWidth = sizes[1];
    }
    for (int c = 0; c < columns.count(); ++c) p.columnWidths.push_back(columns.sectionSize(c));
    return p;
}

void ApplyPlacement(const WindowPlacement& p, QMainWindow& window, QSplitter& panes,
                    QHeaderView& columns) {
    if (p.width <= 0 || p.height <= 0) return;
    QRect saved(p.left, p.top, p.width, p.height);
    QScreen* screen = QGuiApplication::screenAt(saved.center());
    if (!screen) screen = QGuiApplication::primaryScreen();
    window.setGeometry(screen ? PlaceOnScreen(saved, screen->availableGeometry()) : saved);
    if (p.maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
    if (p.listWidth > 0 && p.previewWidth > 0) panes.setSizes({p.listWidth, p.previewWidth});
    for (int c = 0; c < columns.count() && c < static_cast<int>(p.columnWidths.size()); ++c) {
        if (int width = p.columnWidths[static_cast<size_t>(c)]; width > 0) {
            columns.resizeSection(c, width);
        }
    }
}

}  // namespace mirulane::ui
