#include "ui/entry_list_model.h"

#include "album/columns.h"
#include "ui/qt_text.h"

namespace mirulane::ui {

EntryListModel::EntryListModel(EntryList& entries, QObject* parent)
    : QAbstractTableModel(parent),
      entries_(entries),
      kindIcons_{QIcon(QStringLiteral(":/icons/entry-image.svg")),
                 QIcon(QStringLiteral(":/icons/entry-video.svg")),
                 QIcon(QStringLiteral(":/icons/entry-other.svg"))} {
    entries_.SetObserver(this);
}

EntryListModel::~EntryListModel() { entries_.SetObserver(nullptr); }

int EntryListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : entries_.Count();
}

int EntryListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : entries_.ColumnCount();
}

QVariant EntryListModel::data(const QModelIndex& index, int role) const {
    // A view may still ask about a row the list no longer has, before the change reaches it.
    if (!index.isValid() || index.row() >= entries_.Count() || index.column() >= kColumnCount) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return FromCp932(entries_.Field(index.row(), index.column()));
        case Qt::DecorationRole:
            if (index.column() != COL_FILE) return {};
            return kindIcons_[static_cast<size_t>(entries_.Icon(index.row()))];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant EntryListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) return {};
    if (role == Qt::DisplayRole) return QString::fromUtf8(ColumnCaptionUtf8(section));
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

void EntryListModel::RowsAboutToBeInserted(int first, int last) {
    beginInsertRows({}, first, last);
}

void EntryListModel::RowsInserted(int, int) { endInsertRows(); }

void EntryListModel::RowsAboutToBeRemoved(int first, int last) { beginRemoveRows({}, first, last); }

void EntryListModel::RowsRemoved(int, int) {
    endRemoveRows();
    emit SelectionChangedInCore();
}

void EntryListModel::LayoutAboutToChange() {
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
}

void EntryListModel::LayoutChanged(const std::vector<int>& newRowOfOldRow) {
    // Indexes the views hold on to (the current row, open editors) move with their rows.
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex& old : from) {
        size_t row = static_cast<size_t>(old.row());
        to << (row < newRowOfOldRow.size() ? index(newRowOfOldRow[row], old.column())
                                           : QModelIndex());
    }
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    emit SelectionChangedInCore();
}

void EntryListModel::FieldChanged(int row, int column) {
    QModelIndex at = index(row, column);
    emit dataChanged(at, at);
}

void EntryListModel::SelectionChanged() { emit SelectionChangedInCore(); }

void EntryListModel::AboutToReset() { beginResetModel(); }

void EntryListModel::Reset() {
    endResetModel();
    emit SelectionChangedInCore();
}

}  // namespace mirulane::ui
