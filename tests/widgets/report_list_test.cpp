#include "widgets/report_list.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>

namespace vellanor::widgets {
namespace {

TEST(ReportListTest, ColumnsRowsAndCells) {
  ReportList list;
  list.resize(372, 253);
  EXPECT_EQ(list.HitTestColumn(QPoint(10, 40)), -1);
  EXPECT_EQ(list.InsertColumn(0, "Informations", 150), 0);
  EXPECT_EQ(list.InsertColumn(5, QString::fromUtf8("Données"), 1000), 1);  // clamped
  EXPECT_EQ(list.columnCount(), 2);
  EXPECT_EQ(list.columnWidth(0), 150);
  EXPECT_EQ(list.horizontalHeaderItem(1)->text(), QString::fromUtf8("Données"));

  EXPECT_EQ(list.InsertRow(0, "Nom: "), 0);
  EXPECT_EQ(list.InsertRow(1, "Informations: "), 1);
  EXPECT_EQ(list.InsertRow(99, "Année: "), 2);
  list.SetItemText(0, 1, "4e B");
  list.SetItemText(7, 1, "ignored");
  EXPECT_EQ(list.ItemText(0, 0), "Nom: ");
  EXPECT_EQ(list.ItemText(0, 1), "4e B");
  EXPECT_EQ(list.ItemText(1, 1), "");
  EXPECT_EQ(list.ItemText(9, 9), "");

  EXPECT_EQ(list.SelectedRow(), -1);
  list.SelectRow(2);
  EXPECT_EQ(list.SelectedRow(), 2);
  EXPECT_FALSE(list.EnsureVisible(3));
  EXPECT_TRUE(list.EnsureVisible(2));

  EXPECT_FALSE(list.DeleteColumn(2));
  EXPECT_TRUE(list.DeleteColumn(0));
  EXPECT_EQ(list.ItemText(0, 0), "4e B");
  list.DeleteAllRows();
  list.DeleteAllColumns();
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(list.columnCount(), 0);
}

TEST(ReportListTest, CellRectanglesAndColumnHitTest) {
  ReportList list;
  list.resize(372, 253);
  for (int i = 0; i < 6; ++i) {
    list.InsertColumn(i, QString("Col %1").arg(i), 61);
  }
  for (int r = 0; r < 3; ++r) {
    list.InsertRow(r, "x");
  }
  list.show();
  const QRect cell = list.CellRect(2, 1);
  const QRect first = list.CellRect(0, 0);
  EXPECT_EQ(cell.width(), 61);
  EXPECT_EQ(cell.left() - first.left(), 61);
  // Below the header: the rectangle is in the list's own coordinates.
  EXPECT_GE(first.top(), list.horizontalHeader()->height());
  EXPECT_EQ(cell.top(), first.top() + 2 * first.height());
  EXPECT_TRUE(list.CellRect(3, 0).isEmpty());

  // Near either edge of a column counts as that column; right of the last
  // column counts as the last.
  const int y = first.center().y();
  EXPECT_EQ(list.HitTestColumn(QPoint(cell.left() + 1, y)), 1);
  EXPECT_EQ(list.HitTestColumn(QPoint(cell.right() - 1, y)), 1);
  EXPECT_EQ(list.HitTestColumn(QPoint(cell.right() + 2, y)), 2);
  EXPECT_EQ(list.HitTestColumn(QPoint(first.left() + 1, y)), 0);
  list.setColumnWidth(5, 10);
  EXPECT_EQ(list.HitTestColumn(QPoint(list.width() - 5, y)), 5);

  // Horizontal scrolling shifts the columns.
  list.setColumnWidth(5, 300);
  QCoreApplication::processEvents();  // lays out the scroll bars
  list.horizontalScrollBar()->setValue(61);
  EXPECT_EQ(list.HitTestColumn(QPoint(first.left() + 1, y)), 1);
}

}  // namespace
}  // namespace vellanor::widgets
