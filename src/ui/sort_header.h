#pragma once
// The list's column header. Its sort arrow follows the album's convention: ▲ for ascending
// order, ▼ for descending (Qt draws them the other way round).

#include <QHeaderView>

namespace mirulane::ui {

class SortHeader : public QHeaderView {
    Q_OBJECT
  public:
    explicit SortHeader(QWidget* parent = nullptr) : QHeaderView(Qt::Horizontal, parent) {}

  protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
};

}  // namespace mirulane::ui
