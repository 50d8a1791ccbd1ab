#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "model/gradebook.h"
#include "model/records.h"
#include "support/fake_main_window.h"
#include "support/qt_events.h"
#include "support/record_builders.h"

// Records and helpers shared by the record dialogs' tests.

namespace vellanor::test {

// A class and a student with every text filled in, as the dialogs show them.
inline ClassRecord Classroom(const char* name, const char* year) {
  ClassRecord record = Class(name, year);
  record.info = "Salle 12";
  return record;
}

inline StudentRecord Pupil(const char* name, const char* firstName, int sex,
                           std::vector<GradeRecord> grades = {}) {
  StudentRecord student = Student(name, firstName, sex, std::move(grades));
  student.birthDate = "12/03/1992";
  student.birthPlace = "Lyon";
  student.info = "Demi-pensionnaire";
  return student;
}

// "4e B": two written T1 assessments (coefficients 1 and 2) and two
// students, averages as stored after a recomputation.
inline ClassRecord FourthB() {
  ClassRecord record = Classroom("4e B", "2004 - 2005");
  record.gradeCount = {2, 0, 0, 0, 0, 0};
  record.columns = {Mark(13, 1, 0, 1, "DS"), Mark(15, 1, 0, 2, "DS")};
  record.average = {14.333333f, 0, 0, 0, 0, 0};
  StudentRecord martin =
      Pupil("Martin", "Julie", 0, {Mark(10, 1, 0, 1, "DS"), Mark(12, 1, 0, 2, "DS")});
  martin.average = {11.333333f, 0, 0, 0, 0, 0};
  StudentRecord durand =
      Pupil("Durand", "Paul", 1, {Mark(16, 1, 0, 1, "DS"), Mark(18, 1, 0, 2, "DS")});
  durand.average = {17.333334f, 0, 0, 0, 0, 0};
  EXPECT_EQ(AppendStudent(record, martin), AppendResult::Done);
  EXPECT_EQ(AppendStudent(record, durand), AppendResult::Done);
  return record;
}

}  // namespace vellanor::test
