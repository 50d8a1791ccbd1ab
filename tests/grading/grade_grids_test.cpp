#include "grading/grade_grids.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "grading/grade_changes.h"
#include "model/averages.h"
#include "support/record_builders.h"

// What the grade-entry window's grids show and what validating does to a
// class, without a window.

namespace vellanor {
namespace {

using test::Mark;
using Rows = std::vector<std::vector<std::string>>;

std::vector<std::string> Titles(const GridContent& grid) {
  std::vector<std::string> titles;
  for (const GridColumn& column : grid.columns) {
    titles.push_back(column.title);
  }
  return titles;
}

// Two students; written T1: two columns, oral T2: one column.
ClassRecord SmallClass() {
  ClassRecord record = test::Class(
      "4e B", "2004 - 2005", {test::Student("Martin", "Julie"), test::Student("Roux", "L\xE9o")});
  EXPECT_EQ(AppendGradeColumn(record, {Mark(12, 1, 0), Mark(-1, 1, 0)}), AppendResult::Done);
  EXPECT_EQ(AppendGradeColumn(record, {Mark(9, 2, 1), Mark(11.5f, 2, 1)}), AppendResult::Done);
  EXPECT_EQ(AppendGradeColumn(record, {Mark(14, 1, 0), Mark(16, 1, 0)}), AppendResult::Done);
  RecomputeClass(record);
  return record;
}

TEST(GradeGridsTest, EachLayoutShowsItsColumnsAndCells) {
  const ClassRecord record = SmallClass();

  // A student's marks, each category from the top of its column; the counts
  // decide the rows, so a mark below them (a damaged file) is not shown.
  std::vector<GradeRecord> grades = record.students[1].grades;
  grades.push_back(Mark(20, 1, 0));
  const GridContent categories = CategoryGrid(record.gradeCount, grades);
  EXPECT_EQ(Titles(categories), (std::vector<std::string>{"Ecrit T1", "Oral T1", "Ecrit T2",
                                                          "Oral T2", "Ecrit T3", "Oral T3"}));
  EXPECT_EQ(categories.cells,
            (Rows{{"abs", "", "", "11.50", "", ""}, {"16.00", "", "", "", "", ""}}));

  // Averages where the class has columns; an undefined one reads "abs".
  ClassRecord absent = record;
  absent.students[1].average[3] = NAN;
  EXPECT_EQ(AllStudentsGrid(absent).cells, (Rows{{"Martin, Julie", "13.00", "", "", "9.00", "", ""},
                                                 {"Roux, Léo", "16.00", "", "", "abs", "", ""}}));

  const GridContent compared = CompareGrid(record, 1, kWritten);
  EXPECT_EQ(Titles(compared), (std::vector<std::string>{"Nom des élèves", "Note 1", "Note 2"}));
  EXPECT_EQ(compared.cells,
            (Rows{{"Martin, Julie", "12.00", "14.00"}, {"Roux, Léo", "abs", "16.00"}}));
  EXPECT_EQ(Titles(CompareGrid(record, 4, kWritten)), (std::vector<std::string>{"Nom des élèves"}));

  const GridContent adding = AddingGrid(record);
  EXPECT_EQ(Titles(adding), (std::vector<std::string>{"4e B, année 2004 - 2005", "Notes"}));
  EXPECT_EQ(adding.columns[0].width, 250);
  EXPECT_EQ(adding.cells, (Rows{{"Martin, Julie", ""}, {"Roux, Léo", ""}}));
}

TEST(GradeChangesTest, AddingAColumnAndStoringRetypedMarks) {
  ClassRecord record = SmallClass();
  NewGradeColumn column;
  column.coefficient = 2.5f;
  column.trimester = 3;
  column.kind = kOral;
  column.info = "Expos\xE9";
  EXPECT_EQ(AddGradeColumn(record, column, {"12,5"}), AppendResult::Mismatch);
  ASSERT_EQ(AddGradeColumn(record, column, {"12,5", "Absent"}), AppendResult::Done);
  EXPECT_EQ(record.gradeCount[5], 1);
  const GradeRecord& added = record.students[0].grades.back();
  EXPECT_EQ(added.value, 12.5f);
  EXPECT_EQ(added.coefficient, 2.5f);
  EXPECT_EQ(added.trimester, 3);
  EXPECT_EQ(added.kind, kOral);
  EXPECT_EQ(added.info.Str(), "Expos\xE9");
  EXPECT_TRUE(IsAbsent(record.students[1].grades.back().value));

  // Row j of column k is the j-th mark of category k; only values change.
  StoreTypedMarks(record.students[0], [](int row, int category) {
    return category == 0 ? std::to_string(row + 5) : std::string("x");
  });
  const std::vector<GradeRecord>& marks = record.students[0].grades;
  EXPECT_EQ(marks[0].value, 5.0f);
  EXPECT_EQ(marks[2].value, 6.0f);
  EXPECT_EQ(marks[1].value, 0.0f);  // oral T2 read "x"
  EXPECT_EQ(marks[1].coefficient, 1.0f);
  EXPECT_EQ(marks[3].info.Str(), "Expos\xE9");
}

TEST(GradeChangesTest, QuestionsNameTheKindAndTheTrimester) {
  EXPECT_EQ(DeletionQuestion(0),
            "Etes vous sûr de vouloir effacer cette note écrite du 1er trimestre?");
  EXPECT_EQ(DeletionQuestion(3),
            "Etes vous sûr de vouloir effacer cette note orale du 2nd trimestre?");
  EXPECT_EQ(DeletionQuestion(4),
            "Etes vous sûr de vouloir effacer cette note écrite du 3eme trimestre?");
  EXPECT_EQ(DeletionQuestion(6), "");
}

}  // namespace
}  // namespace vellanor
