#include "model/averages.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/gradebook.h"
#include "model/records.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;
using test::Student;

constexpr float kAbs = -1.0f;

// A class whose counts follow the marks of its first student.
ClassRecord ClassOf(std::vector<StudentRecord> students) {
  ClassRecord record;
  if (!students.empty()) {
    for (const GradeRecord& mark : students.front().grades) {
      if (mark.Category() >= 0) {
        ++record.gradeCount[mark.Category()];
      }
    }
  }
  record.students = std::move(students);
  record.studentCount = static_cast<std::int16_t>(record.students.size());
  return record;
}

std::uint32_t Bits(float value) {
  return std::bit_cast<std::uint32_t>(value);
}

TEST(RecomputeClassTest, WeightsMarksByCoefficientAndLeavesAbsencesOut) {
  ClassRecord record = ClassOf({
      Student({Mark(12, 1, 0, 1), Mark(15, 1, 0, 2), Mark(kAbs, 1, 0, 4), Mark(9, 2, 1, 1)}),
      Student({Mark(6, 1, 0, 1), Mark(kAbs, 1, 0, 2), Mark(20, 1, 0, 4), Mark(13, 2, 1, 1)}),
  });
  RecomputeClass(record);

  const StudentRecord& first = record.students[0];
  EXPECT_FLOAT_EQ(first.average[0], 14.0f);  // (12 + 30) / 3, the absence counts nowhere
  EXPECT_FLOAT_EQ(first.average[3], 9.0f);
  // Categories without columns keep 0, for the students and the class.
  for (int c : {1, 2, 4, 5}) {
    EXPECT_EQ(Bits(first.average[c]), 0u) << c;
    EXPECT_EQ(Bits(record.average[c]), 0u) << c;
  }
  EXPECT_FLOAT_EQ(record.students[1].average[0], 17.2f);  // (6 + 80) / 5

  // Column means over the present students, in the students' order of assessments.
  ASSERT_EQ(record.columns.size(), 4u);
  EXPECT_FLOAT_EQ(record.columns[0].value, 9.0f);
  EXPECT_FLOAT_EQ(record.columns[1].value, 15.0f);
  EXPECT_FLOAT_EQ(record.columns[2].value, 20.0f);
  EXPECT_FLOAT_EQ(record.columns[3].value, 11.0f);
  // Class average: means weighted by their coefficients (9 + 30 + 80) / 7.
  EXPECT_FLOAT_EQ(record.average[0], 17.0f);
  EXPECT_FLOAT_EQ(record.average[3], 11.0f);
}

TEST(RecomputeClassTest, ComputesInThirtyTwoBitFloats) {
  // In double precision this average would round to 0x40A1999A.
  ClassRecord record =
      ClassOf({Student({Mark(5.0f, 1, 0, 1), Mark(5.0f, 1, 0, 2), Mark(5.1f, 1, 0, 3)})});
  RecomputeClass(record);
  EXPECT_EQ(Bits(record.students[0].average[0]), 0x40A19999u);
}

TEST(RecomputeClassTest, AssessmentMissedByEveryoneStaysAbsent) {
  ClassRecord record = ClassOf({
      Student({Mark(10, 1, 0, 2, "DS1"), Mark(kAbs, 1, 0, 1, "DS2")}),
      Student({Mark(14, 1, 0, 2, "DS1"), Mark(kAbs, 1, 0, 1, "DS2")}),
  });
  RecomputeClass(record);
  ASSERT_EQ(record.columns.size(), 2u);
  EXPECT_FLOAT_EQ(record.columns[0].value, 12.0f);
  EXPECT_EQ(Bits(record.columns[1].value), 0xBF800000u);
  EXPECT_EQ(record.columns[1].info.Str(), "DS2");
  EXPECT_FLOAT_EQ(record.average[0], 12.0f);  // not lowered by the missed assessment
}

TEST(RecomputeClassTest, UndefinedAveragesAreNaNNotZero) {
  ClassRecord record = ClassOf({
      Student({Mark(kAbs, 1, 0), Mark(kAbs, 1, 0), Mark(12, 1, 1, 0)}),
      Student({Mark(15, 1, 0), Mark(kAbs, 1, 0), Mark(8, 1, 1, 0)}),
  });
  RecomputeClass(record);
  EXPECT_TRUE(std::isnan(record.students[0].average[0]));  // absent on every written T1
  EXPECT_FLOAT_EQ(record.students[1].average[0], 15.0f);
  EXPECT_TRUE(std::isnan(record.students[0].average[1]));  // coefficient 0
  // A coefficient of 0 leaves the last student's mark as the column's value.
  EXPECT_FLOAT_EQ(record.columns[2].value, 8.0f);
  EXPECT_TRUE(std::isnan(record.average[1]));
  EXPECT_FLOAT_EQ(record.average[0], 15.0f);

  ClassRecord allAbsent = ClassOf({Student({Mark(kAbs, 3, 1)}), Student({Mark(kAbs, 3, 1)})});
  RecomputeClass(allAbsent);
  EXPECT_TRUE(std::isnan(allAbsent.average[5]));
  EXPECT_EQ(Bits(allAbsent.average[4]), 0u);
}

TEST(RecomputeClassTest, RebuildsColumnsFromTheLastStudentsMarks) {
  ClassRecord record = ClassOf({
      Student({Mark(10, 2, 1, 3, "Exposé"), Mark(11, 1, 0, 1, "DS")}),
      Student({Mark(kAbs, 2, 1, 3, ""), Mark(13, 1, 0, 1, "DS")}),  // added after the first test
  });
  record.columns = {Mark(1, 1, 0), Mark(2, 1, 0), Mark(3, 1, 0), Mark(4, 1, 0), Mark(5, 1, 0)};
  RecomputeClass(record);

  ASSERT_EQ(record.columns.size(), 2u);
  const GradeRecord& oral = record.columns[0];
  EXPECT_EQ(oral.trimester, 2);
  EXPECT_EQ(oral.kind, 1);
  EXPECT_FLOAT_EQ(oral.coefficient, 3.0f);
  EXPECT_FLOAT_EQ(oral.value, 10.0f);
  EXPECT_EQ(oral.info.Str(), "");  // the last student's text
  EXPECT_EQ(record.columns[1].info.Str(), "DS");
  EXPECT_FLOAT_EQ(record.columns[1].value, 12.0f);
}

TEST(RecomputeClassTest, StudentWithFewerMarksContributesNothingThere) {
  ClassRecord record = ClassOf({
      Student({Mark(10, 1, 0), Mark(16, 1, 0, 1, "B")}),
      Student({Mark(14, 1, 0)}),
  });
  RecomputeClass(record);
  ASSERT_EQ(record.columns.size(), 2u);
  EXPECT_FLOAT_EQ(record.columns[0].value, 12.0f);
  EXPECT_FLOAT_EQ(record.columns[1].value, 16.0f);
  EXPECT_EQ(record.columns[1].info.Str(), "B");
  EXPECT_FLOAT_EQ(record.students[1].average[0], 14.0f);
}

TEST(RecomputeClassTest, ClassWithoutStudentsKeepsItsColumns) {
  ClassRecord record;
  record.gradeCount = {2, 0, 0, 1, 0, 0};
  record.average = {7, 7, 7, 7, 7, 7};
  record.columns = {Mark(11, 1, 0, 2, "A"), Mark(9, 2, 1, 1, "B"), Mark(13, 1, 0, 1, "C")};
  const std::vector<GradeRecord> before = record.columns;
  RecomputeClass(record);
  EXPECT_EQ(record.columns, before);
  EXPECT_FLOAT_EQ(record.average[0], 35.0f / 3.0f);
  EXPECT_FLOAT_EQ(record.average[3], 9.0f);
  EXPECT_EQ(Bits(record.average[1]), 0u);

  // A list that does not fit the counts keeps what fits, in order, and gets
  // absent columns of coefficient 1 for the categories it lacks.
  record.gradeCount = {1, 0, 0, 1, 0, 2};
  record.columns = {Mark(11, 1, 0, 2, "A"), Mark(12, 1, 0), Mark(5, 4, 0), Mark(14, 3, 1)};
  RecomputeClass(record);
  ASSERT_EQ(record.columns.size(), 4u);
  EXPECT_EQ(record.columns[0].info.Str(), "A");
  EXPECT_FLOAT_EQ(record.columns[1].value, 14.0f);
  EXPECT_EQ(record.columns[1].Category(), 5);
  EXPECT_EQ(record.columns[2].Category(), 3);
  EXPECT_EQ(Bits(record.columns[2].value), 0xBF800000u);
  EXPECT_FLOAT_EQ(record.columns[2].coefficient, 1.0f);
  EXPECT_EQ(record.columns[3].Category(), 5);
  EXPECT_FLOAT_EQ(record.average[0], 11.0f);
  EXPECT_TRUE(std::isnan(record.average[3]));
  EXPECT_FLOAT_EQ(record.average[5], 14.0f);
}

TEST(RecomputeClassTest, MarksOfNoCategoryAreIgnoredSafely) {
  ClassRecord record = ClassOf(
      {Student({Mark(10, 1, 0), Mark(18, 4, 0), Mark(2, 1, 7), Mark(4, 0, 1), Mark(6, -3, 0)})});
  record.gradeCount[0] = 5;  // as a damaged file may claim
  RecomputeClass(record);
  EXPECT_FLOAT_EQ(record.students[0].average[0], 10.0f);
  EXPECT_FLOAT_EQ(record.average[0], 10.0f);
  ASSERT_EQ(record.columns.size(), 5u);  // one entry per position all the same
  EXPECT_EQ(record.columns[1].trimester, 4);

  // Counts summing to zero or less give an empty list of grade columns.
  record.gradeCount = {3, -3, 0, 0, 0, 0};
  RecomputeClass(record);
  EXPECT_TRUE(record.columns.empty());
  record.gradeCount = {-2, 0, 0, 0, 0, 0};
  RecomputeClass(record);
  EXPECT_TRUE(record.columns.empty());
  EXPECT_EQ(Bits(record.average[0]), 0u);
}

}  // namespace
}  // namespace vellanor
