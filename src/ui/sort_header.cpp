#include "ui/sort_header.h"

#include <QStyleOptionHeader>

namespace mirulane::ui {

void SortHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const {
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    if (option->sortIndicator == QStyleOptionHeader::SortDown) {
        option->sortIndicator = QStyleOptionHeader::SortUp;
    } else if (option->sortIndicator == QStyleOptionHeader::SortUp) {
        option->sortIndicator = QStyleOptionHeader::SortDown;
    }
}

}  // namespace mirulane::ui
