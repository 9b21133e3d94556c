#include "ui/thumbnail_grid.h"

#include <QContextMenuEvent>
#include <QItemSelectionModel>
#include <QPainter>
#include <QScopedValueRollback>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>

#include "album/columns.h"
#include "app/session.h"
#include "ui/entry_list_model.h"
#include "ui/left_view.h"
#include "ui/thumbnail_cache.h"
#include "ui/ui_session.h"

namespace mirulane::ui {
namespace {

constexpr int kBox = 112;      // the largest side of a picture
constexpr int kPadding = 6;    // around the picture and the name
constexpr int kIconSide = 32;  // a placeholder's kind icon

// One cell: the picture (or a placeholder) centred in a square, the file name below it.
class ThumbnailDelegate : public QStyledItemDelegate {
  public:
    ThumbnailDelegate(ThumbnailCache& cache, const EntryListModel& model, QObject* parent)
        : QStyledItemDelegate(parent), cache_(cache), model_(model) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const override {
        return {kBox + 2 * kPadding, kBox + 3 * kPadding + option.fontMetrics.height()};
    }

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o = option;
        initStyleOption(&o, index);
        // The selection and focus frame as the style draws them, without the item's own text.
        o.text.clear();
        o.icon = QIcon();
        o.features &= ~QStyleOptionViewItem::HasDecoration;
        const QWidget* w = option.widget;
        QStyle* style = w ? w->style() : nullptr;
        if (style) style->drawControl(QStyle::CE_ItemViewItem, &o, p, w);

        const QRect cell = option.rect;
        const QRect square(cell.x() + kPadding, cell.y() + kPadding, kBox, kBox);
        const EntryList& entries = model_.Entries();
        if (index.row() < entries.Count()) {
            ThumbnailCache::Shown shown = cache_.Get(entries.Field(index.row(), COL_FILE));
            if (shown.state == ThumbnailCache::State::Picture) {
                QSize size = shown.image.size();
                QRect at(QPoint(), size);
                at.moveCenter(square.center());
                p->drawImage(at, shown.image);
            } else {
                // A placeholder: a frame with the entry's kind. A movie without a poster
                // gets its kind larger.
                p->save();
                p->setPen(option.palette.color(QPalette::Mid));
                p->drawRect(square.adjusted(0, 0, -1, -1));
                p->restore();
                const int side =
                    shown.state == ThumbnailCache::State::Movie ? kIconSide * 2 : kIconSide;
                QRect icon(0, 0, side, side);
                icon.moveCenter(square.center());
                qvariant_cast<QIcon>(index.data(Qt::DecorationRole)).paint(p, icon);
            }
        }

        const QRect text(cell.x() + kPadding / 2, square.bottom() + kPadding,
                         cell.width() - kPadding, option.fontMetrics.height());
        const QString name = option.fontMetrics.elidedText(index.data(Qt::DisplayRole).toString(),
                                                           Qt::ElideMiddle, text.width());
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette::ColorGroup group =
            option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
        p->save();
        p->setPen(
            option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
        p->drawText(text, Qt::AlignHCenter | Qt::AlignVCenter, name);
        p->restore();
    }

  private:
    ThumbnailCache& cache_;
    const EntryListModel& model_;
};

}  // namespace

// The report view's entries with their file name column alone: one item an entry, so that
// assistive technology reads each entry by its name rather than every column of it.
class FileNameColumn : public QSortFilterProxyModel {
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

  protected:
    bool filterAcceptsColumn(int column, const QModelIndex&) const override {
        return column == COL_FILE;
    }
};

ThumbnailGrid::ThumbnailGrid(UiSession& session, CLeftView& list, QWidget* parent)
    : QListView(parent),
      session_(session),
      list_(list),
      names_(new FileNameColumn(this)),
      cache_(new ThumbnailCache(kBox, 48 * 1024, this)) {
    setObjectName(QStringLiteral("thumbnailPane"));
    setAccessibleName(QString::fromUtf8("サムネイル"));
    // A grid over the report view's entries: what is selected in one is selected in the
    // other, and the report view hands it to the core.
    names_->setSourceModel(&list.Model());
    setModel(names_);
    connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ThumbnailGrid::SelectionFromList);
    connect(list.selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ThumbnailGrid::CurrentFromList);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ThumbnailGrid::SelectionToList);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            &ThumbnailGrid::CurrentToList);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    // Rows of cells that wrap at the pane's width. Every cell is the same size, so a long
    // album is laid out without measuring its cells, and only the cells in view are painted
    // (and ask for their pictures).
    setViewMode(QListView::ListMode);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSpacing(2);
    setMovement(QListView::Static);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setItemDelegate(new ThumbnailDelegate(*cache_, list.Model(), this));
    connect(cache_, &ThumbnailCache::Ready, viewport(), qOverload<>(&QWidget::update));
    // A refresh reads the album's files again, its pictures too.
    connect(&list.Model(), &QAbstractItemModel::modelReset, cache_, &ThumbnailCache::Clear);
    setFont(list.font());
    list.installEventFilter(this);
    SelectionFromList();
    CurrentFromList(list.selectionModel()->currentIndex());
    FollowAlbum();
}

void ThumbnailGrid::SelectionFromList() {
    if (linking_) return;
    QScopedValueRollback<bool> guard(linking_, true);
    selectionModel()->select(names_->mapSelectionFromSource(list_.selectionModel()->selection()),
                             QItemSelectionModel::ClearAndSelect);
}

void ThumbnailGrid::SelectionToList() {
    if (linking_) return;
    QScopedValueRollback<bool> guard(linking_, true);
    list_.selectionModel()->select(names_->mapSelectionToSource(selectionModel()->selection()),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void ThumbnailGrid::CurrentFromList(const QModelIndex& current) {
    if (linking_) return;
    QScopedValueRollback<bool> guard(linking_, true);
    const QModelIndex name = current.isValid()
                                 ? names_->mapFromSource(current.siblingAtColumn(COL_FILE))
                                 : QModelIndex();
    selectionModel()->setCurrentIndex(name, QItemSelectionModel::NoUpdate);
}

void ThumbnailGrid::CurrentToList(const QModelIndex& current) {
    if (linking_) return;
    QScopedValueRollback<bool> guard(linking_, true);
    // The report view keeps the column its focus was in.
    QModelIndex entry = names_->mapToSource(current);
    const int column = list_.selectionModel()->currentIndex().column();
    if (entry.isValid() && column > 0) entry = entry.siblingAtColumn(column);
    list_.selectionModel()->setCurrentIndex(entry, QItemSelectionModel::NoUpdate);
}

bool ThumbnailGrid::eventFilter(QObject* watched, QEvent* e) {
    if (watched == &list_ && e->type() == QEvent::FontChange) setFont(list_.font());
    return QListView::eventFilter(watched, e);
}

void ThumbnailGrid::FollowAlbum() {
    const PageStyle& style = session_.Core().album.style;
    cache_->SetFolders(style.TargetFolder, style.ThumbFolder);
}

void ThumbnailGrid::ReadPicturesAgain() {
    cache_->Clear();
    viewport()->update();
}

void ThumbnailGrid::mouseReleaseEvent(QMouseEvent* e) {
    QListView::mouseReleaseEvent(e);
    if (e->button() != Qt::LeftButton) return;
    QModelIndex hit = indexAt(e->position().toPoint());
    list_.Pick(hit.isValid() ? hit.row() : -1);
}

void ThumbnailGrid::mouseDoubleClickEvent(QMouseEvent* e) {
    QListView::mouseDoubleClickEvent(e);
    if (e->button() == Qt::LeftButton) emit EditRequested();
}

void ThumbnailGrid::keyReleaseEvent(QKeyEvent* e) {
    QListView::keyReleaseEvent(e);
    if (e->isAutoRepeat()) return;
    // The preview follows the selection the keyboard moved.
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            list_.Pick(-1);
            break;
        default:
            break;
    }
}

void ThumbnailGrid::contextMenuEvent(QContextMenuEvent* e) {
    list_.ShowContextMenu(e->globalPos());
}

void ThumbnailGrid::showEvent(QShowEvent* e) {
    QListView::showEvent(e);
    FollowAlbum();
    if (currentIndex().isValid()) scrollTo(currentIndex());
}

}  // namespace mirulane::ui
