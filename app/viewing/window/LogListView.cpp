#include "LogListView.h"

#include "Twips.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orv::viewing {

LogListView::LogListView(RecordListModel* model, QWidget* parent) : QTreeView(parent), model_(model)
{
    setModel(model_);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsClickable(true);
    header()->setSectionsMovable(false);
    header()->setSortIndicatorShown(true);
    showSortIndicator();
    for (int column = 0; column < RecordListModel::kColumnCount; ++column)
        applyColumnWidth(column, model_->columnWidth(column));

    connect(model_, &RecordListModel::columnWidthChanged, this, &LogListView::applyColumnWidth);
    connect(header(), &QHeaderView::sectionResized, this, [this](int column, int, int pixels) {
        if (!applyingWidth_) model_->setColumnWidth(column, pixelsToTwips(pixels, logicalDpiX()));
    });
    connect(header(), &QHeaderView::sectionClicked, model_, &RecordListModel::sortByHeaderClick);
    connect(model_, &QAbstractItemModel::layoutChanged, this, &LogListView::showSortIndicator);
}

int LogListView::selectedRow() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void LogListView::selectRow(int row)
{
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(index);
}

void LogListView::applyColumnWidth(int column, int twips)
{
    applyingWidth_ = true;
    header()->resizeSection(column, twipsToPixels(twips, logicalDpiX()));
    applyingWidth_ = false;
}

void LogListView::showSortIndicator()
{
    header()->setSortIndicator(model_->sortColumn(), model_->sortDirection() == SortDirection::Ascending
                                                         ? Qt::AscendingOrder
                                                         : Qt::DescendingOrder);
}

void LogListView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit detailViewRequested();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void LogListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) emit detailViewRequested();
}

void LogListView::mouseReleaseEvent(QMouseEvent* event)
{
    QTreeView::mouseReleaseEvent(event);
    if (event->button() == Qt::RightButton) emit rightButtonReleased(event->globalPosition().toPoint());
}

}  // namespace orv::viewing
