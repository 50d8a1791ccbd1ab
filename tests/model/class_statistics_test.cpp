#include "model/class_statistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "model/averages.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;
using test::Student;

constexpr float kAbs = -1.0f;

// Written T1: "DS1; rattrapage" (coefficient 2) with 8, 12, abs, 15 (odd
// count), then a column without information (coefficient 1) with 10, 4, 16,
// 20 (even count); oral T2: one column every student missed.
ClassRecord SmallClass() {
  ClassRecord record = test::Class("4e B");
  const float first[] = {8, 12, kAbs, 15};
  const float second[] = {10, 4, 16, 20};
  for (int i = 0; i < 4; ++i) {
    StudentRecord student = Student({Mark(first[i], 1, 0, 2, "DS1; rattrapage"),
                                     Mark(second[i], 1, 0, 1), Mark(kAbs, 2, 1, 1, "Oral")});
    EXPECT_EQ(AppendStudent(record, std::move(student)), AppendResult::Done);
  }
  record.gradeCount = {2, 0, 0, 1, 0, 0};
  RecomputeClass(record);
  return record;
}

TEST(ClassStatisticsTest, FiguresOfEachColumnAndOfTheAveragesByHand) {
  const ClassRecord record = SmallClass();
  const CategoryStatistics written = StatisticsOfCategory(record, 0);
  ASSERT_EQ(written.columns.size(), 2u);
  const MarkStatistics& odd = written.columns[0].marks;
  EXPECT_EQ(written.columns[0].title, "DS1; rattrapage");
  EXPECT_EQ(odd.marks, 3);
  EXPECT_EQ(odd.absents, 1);
  EXPECT_DOUBLE_EQ(odd.mean, 35.0 / 3);
  EXPECT_DOUBLE_EQ(odd.median, 12.0);
  EXPECT_NEAR(odd.deviation, std::sqrt(74.0 / 9), 1e-12);  // population, not sample
  EXPECT_EQ(odd.bands, (std::array<int, 7>{0, 0, 1, 0, 1, 1, 0}));

  const MarkStatistics& even = written.columns[1].marks;
  EXPECT_EQ(written.columns[1].title, "Note 2");
  EXPECT_DOUBLE_EQ(even.median, 13.0);  // (10 + 16) / 2
  EXPECT_DOUBLE_EQ(even.deviation, std::sqrt(36.75));
  // A mark on a boundary goes up; 20 goes to the last band.
  EXPECT_EQ(even.bands, (std::array<int, 7>{0, 1, 0, 1, 0, 0, 2}));

  // Averages 26/3, 28/3, 16 and 50/3: every student has a mark.
  EXPECT_EQ(written.averages.marks, 4);
  EXPECT_EQ(written.averages.absents, 0);
  EXPECT_NEAR(written.averages.minimum, 26.0 / 3, 1e-6);

  // A NaN mark of a damaged file counts as an absence.
  const MarkStatistics withNan = StatisticsOf({NAN, 3.0, NAN, 1.0}, 1);
  EXPECT_EQ(withNan.marks, 2);
  EXPECT_EQ(withNan.absents, 3);
  EXPECT_DOUBLE_EQ(withNan.median, 2.0);

  const std::vector<std::string> expected{
      "catégorie;intitulé;coefficient;notes;absents;min;max;moyenne;médiane;écart-type",
      "Ecrit T1;\"DS1; rattrapage\";2,00;3;1;8,00;15,00;11,67;12,00;2,87",
      "Ecrit T1;Note 2;1,00;4;0;4,00;20,00;12,50;13,00;6,06",
      "Ecrit T1;moyennes des élèves;;4;0;8,67;16,67;12,67;12,67;3,68",
      "Oral T2;Oral;1,00;0;4;;;;;",
      "Oral T2;moyennes des élèves;;0;4;;;;;",
  };
  EXPECT_EQ(StatisticsTable(record), expected);
}

TEST(ClassStatisticsTest, RangeAndRanksShareTiesAndLeaveOutStudentsWithoutMarks) {
  ClassRecord record = test::Class("3e A");
  const float marks[] = {14, 12, 14, kAbs, 9};
  for (const float mark : marks) {
    EXPECT_EQ(AppendStudent(record, Student({Mark(mark, 1, 0)})), AppendResult::Done);
  }
  record.gradeCount = {1, 0, 0, 0, 0, 0};
  RecomputeClass(record);
  // Added after the assessment and never recomputed: absent, average 0.
  record.students[3].average[0] = 0.0f;

  const std::optional<AverageRange> range = RangeOfAverages(record, 0);
  ASSERT_TRUE(range);
  EXPECT_EQ(range->lowest, 9.0f);
  EXPECT_EQ(range->highest, 14.0f);
  std::vector<std::string> ranks;
  for (const StudentRecord& student : record.students) {
    const std::optional<Rank> rank = RankOf(record, student, 0);
    ranks.push_back(rank ? std::to_string(rank->rank) + "/" + std::to_string(rank->of) : "");
  }
  EXPECT_EQ(ranks, (std::vector<std::string>{"1/4", "3/4", "1/4", "", "4/4"}));

  // A category without columns has neither.
  EXPECT_FALSE(RangeOfAverages(record, 1));
  EXPECT_FALSE(RankOf(record, record.students[0], 1));
}

}  // namespace
}  // namespace vellanor
