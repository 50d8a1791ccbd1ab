#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "consistency_check.h"
#include "model/averages.h"
#include "model/database_codec.h"
#include "model/gradebook.h"
#include "support/record_builders.h"

namespace vellanor::inspect {
namespace {

using test::Class;
using test::Mark;
using test::Student;

// A recomputed class of two students with one written T1 assessment.
ClassRecord FreshClass() {
  ClassRecord record =
      Class("4e B", "", {Student("Dupont", "L\xE9o"), Student("Martin", "L\xE9o")});
  EXPECT_EQ(AppendGradeColumn(record, {Mark(10, 1, 0, 2), Mark(14, 1, 0, 2)}), AppendResult::Done);
  RecomputeClass(record);
  return record;
}

std::string Check(const Gradebook& book, CheckSummary* summary = nullptr) {
  std::ostringstream out;
  const CheckSummary result = CheckGradebook(book, out);
  if (summary != nullptr) {
    *summary = result;
  }
  return out.str();
}

TEST(CheckTest, AFreshlyRecomputedGradebookIsClean) {
  Gradebook book;
  book.classes = {FreshClass(), ClassRecord{}};
  // An average left undefined (NaN) by the recomputation is not stale.
  book.classes[0].students[0].grades[0].value = kAbsenceValue;
  RecomputeClass(book.classes[0]);
  EXPECT_EQ(Check(book), "2 classes, 2 students, 2 marks: 0 invariant faults, 0 stale averages\n");
}

TEST(CheckTest, ReportsEachStaleAverageAndColumnWithBothValues) {
  Gradebook book;
  book.classes = {FreshClass()};
  // A student appended without recomputing, as the new-student dialog does.
  const StudentRecord late = Student("Bernard", "Zo\xE9", 0, {Mark(18, 1, 0, 2)});
  ASSERT_EQ(AppendStudent(book.classes[0], late), AppendResult::Done);

  CheckSummary summary;
  const std::string report = Check(book, &summary);
  EXPECT_EQ(summary.invariantFaults, 0u);
  EXPECT_EQ(summary.staleValues, 3u);  // her average, the column mean, the class average
  EXPECT_NE(report.find("class 0 \"4e B\", student 2 \"Bernard, Zoé\", Ecrit T1: stored 0, "
                        "recomputed 18\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("class 0 \"4e B\", grade column 0: stored 12, recomputed 14\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("class 0 \"4e B\", Ecrit T1: stored 12, recomputed 14\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("1 classes, 3 students, 3 marks: 0 invariant faults, 3 stale averages\n"),
            std::string::npos);
}

TEST(CheckTest, InvariantFaultsFailTheCheckAndStaleAveragesDoNot) {
  Gradebook stale;
  stale.classes = {FreshClass()};
  stale.classes[0].average[0] = 11.0f;
  std::ofstream("Stale.db", std::ios::binary)
      .write(reinterpret_cast<const char*>(EncodeDatabase(stale).data()),
             static_cast<std::streamsize>(EncodeDatabase(stale).size()));
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(RunCommandLine({"--check", "Stale.db"}, out, err), 0);
  EXPECT_NE(out.str().find("0 invariant faults, 1 stale averages"), std::string::npos);

  // Readable, but the second student's mark is of another kind than its column.
  Gradebook broken = stale;
  broken.classes[0].students[1].grades[0].kind = 1;
  const auto bytes = EncodeDatabase(broken);
  std::ofstream("Broken.db", std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  std::ostringstream brokenOut;
  EXPECT_EQ(RunCommandLine({"--check", "Broken.db"}, brokenOut, err), 1);
  EXPECT_NE(brokenOut.str().find("class 0 \"4e B\": invariant fault: "), std::string::npos)
      << brokenOut.str();
  EXPECT_NE(brokenOut.str().find("1 invariant faults"), std::string::npos);

  std::ostringstream missingOut;
  std::ostringstream missingErr;
  EXPECT_EQ(RunCommandLine({"--check", "Missing.db"}, missingOut, missingErr), 1);
  EXPECT_NE(missingErr.str().find("no such file"), std::string::npos);
}

TEST(CheckTest, MarksAndCoefficientsThatAreNotFiniteAreInvariantFaults) {
  const float infinity = std::numeric_limits<float>::infinity();
  Gradebook book;
  book.classes = {FreshClass(), FreshClass(), FreshClass()};
  book.classes[0].students[1].grades[0].value = infinity;
  book.classes[1].students[0].grades[0].value = std::numeric_limits<float>::quiet_NaN();
  // Coefficient of a column and of its marks alike, so only finiteness is at fault.
  book.classes[2].columns[0].coefficient = infinity;
  for (StudentRecord& student : book.classes[2].students) {
    student.grades[0].coefficient = infinity;
  }
  CheckSummary summary;
  const std::string report = Check(book, &summary);
  EXPECT_EQ(summary.invariantFaults, 3u);
  EXPECT_NE(report.find("class 0 \"4e B\": invariant fault: student 1, mark 0 is not a finite "
                        "number\n"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("class 2 \"4e B\": invariant fault: grade column 0 has a coefficient "
                        "that is not finite\n"),
            std::string::npos)
      << report;
}

}  // namespace
}  // namespace vellanor::inspect
