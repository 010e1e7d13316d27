#include "RoundListView.h"

#include <QHeaderView>
#include <QMouseEvent>

#include "RoundListDelegate.h"

namespace larkspin {

RoundListView::RoundListView(QWidget* parent) : QTableView(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);  // Tab moves on to the next control
  setSortingEnabled(false);    // a heading click is the window's command, not the view's
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setShowGrid(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setHorizontalHeader(new RoundListHeader(this));
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setItemDelegate(new RoundListDelegate(this));
}

int RoundListView::SelectedRow() const {
  if (!selectionModel()) return -1;
  const QModelIndexList rows = selectionModel()->selectedRows();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void RoundListView::SetSelectedRow(int row) {
  if (!selectionModel() || SelectedRow() == row) return;
  if (row < 0 || !model() || row >= model()->rowCount()) {
    selectionModel()->clearSelection();
    return;
  }
  selectionModel()->select(model()->index(row, 0),
                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void RoundListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
  // In single selection the view moves the current row to a neighbour and selects it; without a
  // selection mode it only moves the current row, which the keyboard starts from.
  const SelectionMode mode = selectionMode();
  setSelectionMode(NoSelection);
  QTableView::rowsAboutToBeRemoved(parent, start, end);
  setSelectionMode(mode);
}

void RoundListView::mouseReleaseEvent(QMouseEvent* event) {
  QTableView::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit mouseClicked();
}

}  // namespace larkspin
