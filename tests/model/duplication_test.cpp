#include "model/duplication.h"

#include <gtest/gtest.h>

#include <string>

#include "model/records.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

TEST(CopyNameTest, AppendsCopieWithinThirtyTwoBytes) {
  EXPECT_EQ(CopyName(TextField<32>("4e B")).Str(), "4e B copie");
  EXPECT_EQ(CopyName(TextField<32>("")).Str(), " copie");

  const std::string thirty = "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC9\xE8\xE0\xE7";
  const TextField<32> copy = CopyName(TextField<32>(thirty));
  EXPECT_EQ(copy.Str(), thirty + " c");
  EXPECT_EQ(copy.Bytes()[31], 'c');  // the field is full: no terminating NUL

  const std::string full(32, 'N');
  EXPECT_EQ(CopyName(TextField<32>(full)).Str(), full);
}

TEST(CopyOfRecordTest, KeepsEveryFieldButTheNameAndIsIndependent) {
  const GradeRecord mark = test::Mark(12.5f, 3, 1, 2.0f, "Exposé");

  StudentRecord student;
  student.name = "Martin";
  student.firstName = "Julie";
  student.sex = 2;
  student.birthDate = "1er mai 1990";
  student.birthPlace = "Lyon";
  student.info = "Déléguée";
  student.average = {1, 2, 3, 4, 5, 12.5f};
  student.grades = {mark};

  ClassRecord source;
  source.name = "4e B";
  source.info = "Salle 12";
  source.year = "2004 - 2005";
  source.studentCount = 1;
  source.gradeCount = {0, 0, 0, 0, 0, 1};
  source.average = {0, 0, 0, 0, 0, 12.5f};
  source.students = {student};
  source.columns = {mark};

  ClassRecord copy = CopyOfClass(source);
  EXPECT_EQ(copy.name.Str(), "4e B copie");
  ClassRecord renamedBack = copy;
  renamedBack.name = source.name;
  EXPECT_EQ(renamedBack, source);

  copy.students[0].grades[0].value = 3.0f;
  copy.columns.clear();
  EXPECT_FLOAT_EQ(source.students[0].grades[0].value, 12.5f);
  EXPECT_EQ(source.columns.size(), 1u);

  StudentRecord studentCopy = CopyOfStudent(student);
  EXPECT_EQ(studentCopy.name.Str(), "Martin copie");
  EXPECT_EQ(studentCopy.firstName.Str(), "Julie");
  EXPECT_EQ(studentCopy.average, student.average);
  EXPECT_EQ(studentCopy.grades, student.grades);
  studentCopy.grades[0].info = "changé";
  EXPECT_EQ(student.grades[0].info.Str(), "Exposé");
}

}  // namespace
}  // namespace vellanor
