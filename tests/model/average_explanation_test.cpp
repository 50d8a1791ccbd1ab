#include "model/average_explanation.h"

#include <gtest/gtest.h>

#include <string>

#include "model/averages.h"
#include "support/record_builders.h"
#include "support/school_year.h"

namespace vellanor {
namespace {

using test::Mark;
using test::Student;

constexpr float kAbs = -1.0f;

// One student in a class whose counts follow the student's marks, its
// averages as RecomputeClass stores them.
StudentRecord Recomputed(std::vector<GradeRecord> marks) {
  ClassRecord record;
  for (const GradeRecord& mark : marks) {
    ++record.gradeCount[static_cast<std::size_t>(mark.Category())];
  }
  record.students = {Student(std::move(marks))};
  record.studentCount = 1;
  RecomputeClass(record);
  return record.students[0];
}

TEST(AverageExplanationTest, MarksTimesCoefficientsOverTheirSumWithAbsencesAside) {
  // Oral marks of the same trimester sit between the written ones and are left out.
  const StudentRecord one = Recomputed({Mark(20, 1, 0, 2), Mark(9, 1, 1, 1), Mark(18, 1, 0, 1),
                                        Mark(kAbs, 1, 0, 4), Mark(15.5f, 1, 0, 3)});
  EXPECT_EQ(ExplainAverage(one, 0),
            "(20,00 × 2,00 + 18,00 × 1,00 + 15,50 × 3,00) / 6,00 = 17,42 ; "
            "1 absence non comptée");
  EXPECT_EQ(ExplainAverage(one, 1), "(9,00 × 1,00) / 1,00 = 9,00");

  // Coefficients with decimals; their sum is the divisor.
  const StudentRecord two = Recomputed(
      {Mark(kAbs, 2, 1, 1), Mark(12, 2, 1, 0.5f), Mark(14, 2, 1, 1.25f), Mark(kAbs, 2, 1, 2)});
  EXPECT_EQ(ExplainAverage(two, 3),
            "(12,00 × 0,50 + 14,00 × 1,25) / 1,75 = 13,43 ; 2 absences non comptées");

  // Absent on every mark: the stored average is undefined and printed "abs".
  const StudentRecord absent = Recomputed({Mark(kAbs, 3, 0, 1), Mark(kAbs, 3, 0, 2)});
  EXPECT_EQ(ExplainAverage(absent, 4), "aucune note (2 absences)");
}

TEST(AverageExplanationTest, AStaleStoredAverageIsToldApart) {
  StudentRecord student = Student({Mark(12, 1, 0), Mark(13, 1, 0)});
  student.average[0] = 12.0f;
  EXPECT_EQ(ExplainAverage(student, 0),
            "(12,00 × 1,00 + 13,00 × 1,00) / 2,00 = 12,50 ; "
            "moyenne enregistrée 12,00, recalculée 12,50");

  // A student added after the assessments: absent on them, average still 0.
  StudentRecord added = Student({Mark(kAbs, 1, 0), Mark(kAbs, 1, 0)});
  EXPECT_EQ(ExplainAverage(added, 0),
            "aucune note (2 absences) ; moyenne enregistrée 0,00, recalculée abs");
}

// The result is computed as RecomputeClass computes it: on a whole school
// year, not one freshly recomputed average reads as stale.
TEST(AverageExplanationTest, AgreesWithEveryRecomputedAverageOfASchoolYear) {
  const Gradebook book = MakeSchoolYear({.classes = 6, .studentsPerClass = 30});
  int explained = 0;
  for (const ClassRecord& record : book.classes) {
    for (const StudentRecord& student : record.students) {
      for (int c = 0; c < kCategoryCount; ++c) {
        const std::string line = ExplainAverage(student, c);
        ASSERT_EQ(line.find("enregistrée"), std::string::npos) << line;
        ++explained;
      }
    }
  }
  EXPECT_EQ(explained, 6 * 30 * 6);
}

}  // namespace
}  // namespace vellanor
