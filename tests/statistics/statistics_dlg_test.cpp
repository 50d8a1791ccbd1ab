#include "statistics/statistics_dlg.h"

#include <gtest/gtest.h>

#include <QRadioButton>

#include "model/averages.h"
#include "statistics/histogram_view.h"
#include "support/fake_main_window.h"
#include "support/record_builders.h"
#include "widgets/combo_list.h"
#include "widgets/report_list.h"

namespace vellanor {
namespace {

using test::Mark;

// "4e B": written T1 "DS1" with 4, 10 and 20; oral T2 one column without
// text where the third student was absent. "3e A": no grade column.
std::vector<ClassRecord> TwoClasses() {
  ClassRecord fourth = test::Class("4e B", "2026 - 2027",
                                   {test::Student("Martin", "Zo\xE9"), test::Student("Roy", "Eva"),
                                    test::Student("Petit", "Lou")});
  EXPECT_EQ(AppendGradeColumn(fourth, {Mark(4, 1, 0, 2, "DS1"), Mark(10, 1, 0, 2, "DS1"),
                                       Mark(20, 1, 0, 2, "DS1")}),
            AppendResult::Done);
  EXPECT_EQ(AppendGradeColumn(fourth, {Mark(12, 2, 1), Mark(13.5f, 2, 1), Mark(-1, 2, 1)}),
            AppendResult::Done);
  RecomputeClass(fourth);
  return {fourth, test::Class("3e A", "2026 - 2027", {test::Student("Blanc", "Jo")})};
}

std::vector<QString> Row(const widgets::ReportList& table, int row) {
  std::vector<QString> cells;
  for (int column = 0; column < table.columnCount(); ++column) {
    cells.push_back(table.ItemText(row, column));
  }
  return cells;
}

TEST(StatisticsDlgTest, ShowsTheChosenCategoryAndTheHistogramOfTheSelectedRow) {
  test::FakeMainWindow main;
  test::Prepare(main, TwoClasses());
  CStatisticsDlg dialog(main, 1.0);
  dialog.show();
  auto& table = dialog.Bind<widgets::ReportList>(res::kCtlStatsTable);

  // Written T1 of the first class at first, its first row selected.
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(Row(table, 0), (std::vector<QString>{"DS1", "2,00", "3", "0", "4,00", "20,00", "11,33",
                                                 "10,00", "6,60"}));
  EXPECT_EQ(Row(table, 1).front(), "Moyennes des élèves");
  EXPECT_EQ(table.SelectedRow(), 0);
  EXPECT_EQ(dialog.Histogram().Bands(), (std::array<int, 7>{0, 1, 0, 1, 0, 0, 1}));

  dialog.Bind<QRadioButton>(res::kCtlStatsTrimester2).click();
  dialog.Bind<QRadioButton>(res::kCtlStatsOral).click();
  ASSERT_EQ(table.rowCount(), 2);
  EXPECT_EQ(Row(table, 0), (std::vector<QString>{"Note 1", "1,00", "2", "1", "12,00", "13,50",
                                                 "12,75", "12,75", "0,75"}));
  table.SelectRow(1);  // the averages: the absent student has none
  EXPECT_EQ(Row(table, 1)[2], "2");
  EXPECT_EQ(Row(table, 1)[3], "1");
  EXPECT_EQ(dialog.Histogram().Bands(), (std::array<int, 7>{0, 0, 0, 0, 2, 0, 0}));

  // A class without grade columns: only its averages row, every student without one.
  dialog.Bind<widgets::ComboList>(res::kCtlStatsClassList).setCurrentIndex(1);
  ASSERT_EQ(table.rowCount(), 1);
  EXPECT_EQ(Row(table, 0),
            (std::vector<QString>{"Moyennes des élèves", "", "0", "1", "", "", "", "", ""}));
  EXPECT_EQ(dialog.Histogram().Bands(), (std::array<int, 7>{}));
}

}  // namespace
}  // namespace vellanor
