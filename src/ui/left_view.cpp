#include "ui/left_view.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <algorithm>

#include "album/columns.h"
#include "app/album_commands.h"
#include "app/session.h"
#include "ui/entry_list_model.h"
#include "ui/mirulane_doc.h"
#include "ui/sort_header.h"
#include "ui/ui_session.h"

namespace mirulane::ui {

CLeftView::CLeftView(UiSession& session, CMirulaneDoc& doc, QWidget* parent)
    : QTableView(parent),
      session_(session),
      doc_(doc),
      model_(new EntryListModel(session.Core().album.entries, this)) {
    setObjectName(QStringLiteral("listPane"));
    setAccessibleName(QString::fromUtf8("リスト"));
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setTabKeyNavigation(false);
    setIconSize(QSize(16, 16));
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalHeader(new SortHeader(this));
    verticalHeader()->hide();
    // Every row is one line high: a long album is laid out without measuring its rows.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setSectionsClickable(true);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int c = 0; c < kColumnCount; ++c) header->resizeSection(c, ColumnWidth(c));
    connect(header, &QHeaderView::sectionClicked, this, &CLeftView::SortRequested);

    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { SelectionToCore(); });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                // While a run owns the album the view moves alone; the run's end shows the
                // album's focus again.
                if (syncing_ || session_.CurrentRun()) return;
                // Only the focus moves: the view already shows it.
                QScopedValueRollback<bool> guard(syncing_, true);
                session_.Core().album.entries.SetFocus(current.row());
            });
    connect(model_, &EntryListModel::SelectionChangedInCore, this, [this] {
        if (!syncing_) SyncFromCore();
    });
    connect(model_, &QAbstractItemModel::modelAboutToBeReset, this, &CLeftView::RememberPlace);
    connect(model_, &QAbstractItemModel::modelReset, this, &CLeftView::RestorePlace);
    ApplySettings();
    SyncFromCore();
}

void CLeftView::SyncFromCore() {
    QScopedValueRollback<bool> guard(syncing_, true);
    const EntryList& entries = session_.Core().album.entries;
    // The selection as blocks of neighbouring rows: selecting all is one range.
    QItemSelection selection;
    int last = model_->columnCount() - 1;
    for (int row = 0; row < entries.Count(); ++row) {
        if (!entries.IsSelected(row)) continue;
        int first = row;
        while (row + 1 < entries.Count() && entries.IsSelected(row + 1)) ++row;
        selection.select(model_->index(first, 0), model_->index(row, last));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    int focused = -1;
    for (int row = 0; row < entries.Count() && focused < 0; ++row) {
        if (entries.At(row).focused) focused = row;
    }
    if (focused >= 0) {
        selectionModel()->setCurrentIndex(model_->index(focused, 0), QItemSelectionModel::NoUpdate);
    }

    const Album& album = session_.Core().album;
    QHeaderView* header = horizontalHeader();
    header->setSortIndicatorShown(album.sortColumn >= 0);
    header->setSortIndicator(album.sortColumn,
                             album.sortDescending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void CLeftView::RememberPlace() {
    const EntryList& entries = model_->Entries();
    topRow_ = std::max(rowAt(0), 0);
    topEntry_ = topRow_ < entries.Count() ? entries.Field(topRow_, COL_FILE) : std::string();
    across_ = horizontalScrollBar()->value();
}

void CLeftView::RestorePlace() {
    // The scroll bars get their new ranges first.
    executeDelayedItemsLayout();
    int row = topEntry_.empty() ? -1 : model_->Entries().FindExact(topEntry_);
    // An entry that is gone: the same row, as far as the list still reaches.
    if (row < 0) row = std::min(topRow_, model_->rowCount() - 1);
    if (row >= 0) scrollTo(model_->index(row, 0), QAbstractItemView::PositionAtTop);
    horizontalScrollBar()->setValue(across_);
}

void CLeftView::ApplySettings() {
    setShowGrid(session_.Core().settings.EnvLstGrid);
    setFont(session_.ListFont());
}

void CLeftView::SelectionToCore() {
    // While a run owns the album, a selection made here stays in the view; the run's end
    // shows the album's again.
    if (syncing_ || session_.CurrentRun()) return;
    std::vector<bool> rows(static_cast<size_t>(model_->rowCount()));
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        for (int row = range.top(); row <= range.bottom(); ++row) {
            if (row >= 0 && row < static_cast<int>(rows.size()))
                rows[static_cast<size_t>(row)] = true;
        }
    }
    QScopedValueRollback<bool> guard(syncing_, true);
    session_.SetSelectedRows(rows);
}

void CLeftView::Pick(int row) {
    if (row < 0) row = session_.Core().album.entries.FirstSelected();
    if (row < 0) return;
    doc_.UpdateAllViews(this, row);
    RefreshStatusTexts(session_.Core(), StatusRefresh::RowCount);
}

void CLeftView::mouseReleaseEvent(QMouseEvent* e) {
    QTableView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    QModelIndex hit = indexAt(e->position().toPoint());
    Pick(hit.isValid() ? hit.row() : -1);
}

void CLeftView::mouseDoubleClickEvent(QMouseEvent* e) {
    QTableView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) emit EditRequested();
}

void CLeftView::keyReleaseEvent(QKeyEvent* e) {
    QTableView::keyReleaseEvent(e);
    // The preview follows the selection the keyboard moved.
    if (!e->isAutoRepeat() && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down)) Pick(-1);
}

void CLeftView::contextMenuEvent(QContextMenuEvent* e) { ShowContextMenu(e->globalPos()); }

void CLeftView::ShowContextMenu(const QPoint& globalPos) {
    int focused = session_.Core().album.entries.FocusedSelected();
    if (focused >= 0) doc_.UpdateAllViews(this, focused);
    if (contextMenu_) contextMenu_->exec(globalPos);
}

void CLeftView::changeEvent(QEvent* e) {
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange) FitRowHeight();
}

void CLeftView::FitRowHeight() {
    int height = std::max(fontMetrics().height(), iconSize().height()) + 4;
    verticalHeader()->setDefaultSectionSize(height);
    verticalHeader()->setMinimumSectionSize(height);
}

}  // namespace mirulane::ui
