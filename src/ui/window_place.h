#pragma once
// Where the main window comes back: the place, size, panes and list columns it was left
// with, kept on the screen it opens on.

#include <QRect>

#include "album/settings.h"

class QHeaderView;
class QMainWindow;
class QSplitter;

namespace mirulane::ui {

// A saved window rectangle as it fits the screen's available area now: no larger than the
// area, and moved inside it where it sticks out (a smaller screen, a screen since removed).
// A rectangle already inside stays as it is.
QRect PlaceOnScreen(const QRect& saved, const QRect& available);

// The window's normal rectangle (its place while maximized), whether it is maximized, the
// splitter's pane widths and the list's column widths.
WindowPlacement PlacementOf(const QMainWindow& window, const QSplitter& panes,
                            const QHeaderView& columns);

// Gives a window not yet shown what placement holds (nothing of a placement never saved),
// on the screen under its centre, or the primary screen when none is.
void ApplyPlacement(const WindowPlacement& placement, QMainWindow& window, QSplitter& panes,
                    QHeaderView& columns);

}  // namespace mirulane::ui
