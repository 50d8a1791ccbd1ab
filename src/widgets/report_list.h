#pragma once

#include <QTableWidget>

// A list view in report mode: titled columns of given pixel widths and rows
// of text, selected a whole row at a time. The windows fill it column by
// column and row by row, read cells back, lay an in-place editor over a
// cell and ask which column a click fell in.

namespace vellanor::widgets {

class ReportList : public QTableWidget {
  Q_OBJECT

 public:
  explicit ReportList(QWidget* parent = nullptr);

  // Inserts a left-aligned column at `position` (clamped to the column
  // count) and returns its position.
  int InsertColumn(int position, const QString& title, int widthPx);
  // Removes a column; false when there is none at `position`.
  bool DeleteColumn(int position);
  void DeleteAllColumns();

  // Inserts a row at `position` (clamped to the row count) with `text` in
  // column 0 and returns its position.
  int InsertRow(int position, const QString& text);
  void DeleteAllRows();

  // Cell text; setting a cell outside the grid does nothing, reading one
  // gives an empty text.
  void SetItemText(int row, int column, const QString& text);
  QString ItemText(int row, int column) const;

  // The first selected row, or -1.
  int SelectedRow() const;
  void SelectRow(int row);

  // Scrolls a row into view (a partly visible row is accepted); false for
  // a row that does not exist.
  bool EnsureVisible(int row);
  // A cell's rectangle in this widget's coordinates (header included, as a
  // list view's client area); empty for a cell that does not exist.
  QRect CellRect(int row, int column) const;
  // The column under a point given in this widget's coordinates: columns
  // are laid out from the left with their current widths, shifted by the
  // horizontal scrolling; a point right of the last column counts as the
  // last column. -1 without columns.
  int HitTestColumn(QPoint point) const;

  void SetGridLines(bool on) { setShowGrid(on); }
};

}  // namespace vellanor::widgets
