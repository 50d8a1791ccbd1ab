#include "widgets/report_list.h"

#include <algorithm>

#include <QHeaderView>

namespace vellanor::widgets {

ReportList::ReportList(QWidget* parent) : QTableWidget(parent) {
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setMinimumSectionSize(0);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setShowGrid(false);
  setTabKeyNavigation(false);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  const int rowHeight = fontMetrics().height() + 3;
  verticalHeader()->setMinimumSectionSize(rowHeight);
  verticalHeader()->setDefaultSectionSize(rowHeight);
}

int ReportList::InsertColumn(int position, const QString& title, int widthPx) {
  position = std::clamp(position, 0, columnCount());
  insertColumn(position);
  auto* header = new QTableWidgetItem(title);
  header->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setHorizontalHeaderItem(position, header);
  setColumnWidth(position, std::max(0, widthPx));
  return position;
}

bool ReportList::DeleteColumn(int position) {
  if (position < 0 || position >= columnCount()) {
    return false;
  }
  removeColumn(position);
  return true;
}

void ReportList::DeleteAllColumns() {
  setColumnCount(0);
}

int ReportList::InsertRow(int position, const QString& text) {
  position = std::clamp(position, 0, rowCount());
  insertRow(position);
  if (columnCount() > 0) {
    setItem(position, 0, new QTableWidgetItem(text));
  }
  return position;
}

void ReportList::DeleteAllRows() {
  setRowCount(0);
}

void ReportList::SetItemText(int row, int column, const QString& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
    return;
  }
  if (QTableWidgetItem* cell = item(row, column)) {
    cell->setText(text);
  } else {
    setItem(row, column, new QTableWidgetItem(text));
  }
}

QString ReportList::ItemText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell == nullptr ? QString() : cell->text();
}

int ReportList::SelectedRow() const {
  const QList<QModelIndex> rows = selectionModel()->selectedRows();
  if (rows.isEmpty()) {
    return -1;
  }
  int first = rows.front().row();
  for (const QModelIndex& index : rows) {
    first = std::min(first, index.row());
  }
  return first;
}

void ReportList::SelectRow(int row) {
  if (row < 0 || row >= rowCount()) {
    clearSelection();
    return;
  }
  selectRow(row);
}

bool ReportList::EnsureVisible(int row) {
  if (row < 0 || row >= rowCount() || columnCount() == 0) {
    return false;
  }
  scrollTo(model()->index(row, 0), QAbstractItemView::EnsureVisible);
  return true;
}

QRect ReportList::CellRect(int row, int column) const {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) {
    return {};
  }
  const QRect inViewport = visualRect(model()->index(row, column));
  return inViewport.translated(viewport()->mapTo(this, QPoint(0, 0)));
}

int ReportList::HitTestColumn(QPoint point) const {
  if (columnCount() == 0) {
    return -1;
  }
  const int x = viewport()->mapFrom(this, point).x();
  const int column = columnAt(x);
  if (column >= 0) {
    return column;
  }
  // Left of everything cannot happen inside the list; right of the last
  // column counts as the last one.
  return x < 0 ? horizontalHeader()->logicalIndex(0)
               : horizontalHeader()->logicalIndex(columnCount() - 1);
}

}  // namespace vellanor::widgets
