#pragma once
// The list pane's model: a Qt table over the core's entry list, which stays the one store of
// the entries and their selection. It follows the list through its change notifications and
// answers data() straight from the entry, so a long album scrolls without copies.

#include <QAbstractTableModel>
#include <QIcon>
#include <array>

#include "album/entry_list.h"

namespace mirulane::ui {

class EntryListModel : public QAbstractTableModel, private EntryListObserver {
    Q_OBJECT
  public:
    // Attaches to the list (its one observer) until destroyed.
    explicit EntryListModel(EntryList& entries, QObject* parent = nullptr);
    ~EntryListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const EntryList& Entries() const { return entries_; }

  signals:
    // The list's selection or focus may differ from the view's now: after a change of the
    // selection, a sort, a removal or a reset made by the core.
    void SelectionChangedInCore();

  private:
    void RowsAboutToBeInserted(int first, int last) override;
    void RowsInserted(int first, int last) override;
    void RowsAboutToBeRemoved(int first, int last) override;
    void RowsRemoved(int first, int last) override;
    void LayoutAboutToChange() override;
    void LayoutChanged(const std::vector<int>& newRowOfOldRow) override;
    void FieldChanged(int row, int column) override;
    void SelectionChanged() override;
    void AboutToReset() override;
    void Reset() override;

    EntryList& entries_;
    std::array<QIcon, 3> kindIcons_;
};

}  // namespace mirulane::ui
