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

// Records and helpers shared by the record dialogs' tests.

namespace vellanor::test {

inline GradeRecord Mark(float value, int trimester, int kind, float coefficient) {
  GradeRecord mark;
  mark.value = value;
  mark.trimester = static_cast<Trimester>(trimester);
  mark.kind = static_cast<std::uint8_t>(kind);
  mark.coefficient = coefficient;
  mark.info = "DS";
  return mark;
}

inline StudentRecord Pupil(const char* name, const char* firstName, int sex,
                           std::vector<GradeRecord> grades = {}) {
  StudentRecord student;
  student.name = name;
  student.firstName = firstName;
  student.sex = static_cast<std::uint8_t>(sex);
  student.birthDate = "12/03/1992";
  student.birthPlace = "Lyon";
  student.info = "Demi-pensionnaire";
  student.grades = std::move(grades);
  return student;
}

inline ClassRecord Class(const char* name, const char* year) {
  ClassRecord record;
  record.name = name;
  record.year = year;
  record.info = "Salle 12";
  return record;
}

// "4e B": two written T1 assessments (coefficients 1 and 2) and two
// students, averages as stored after a recomputation.
inline ClassRecord FourthB() {
  ClassRecord record = Class("4e B", "2004 - 2005");
  record.gradeCount = {2, 0, 0, 0, 0, 0};
  record.columns = {Mark(13, 1, 0, 1), Mark(15, 1, 0, 2)};
  record.average = {14.333333f, 0, 0, 0, 0, 0};
  StudentRecord martin = Pupil("Martin", "Julie", 0, {Mark(10, 1, 0, 1), Mark(12, 1, 0, 2)});
  martin.average = {11.333333f, 0, 0, 0, 0, 0};
  StudentRecord durand = Pupil("Durand", "Paul", 1, {Mark(16, 1, 0, 1), Mark(18, 1, 0, 2)});
  durand.average = {17.333334f, 0, 0, 0, 0, 0};
  EXPECT_EQ(AppendStudent(record, martin), AppendResult::Done);
  EXPECT_EQ(AppendStudent(record, durand), AppendResult::Done);
  return record;
}

// Puts the classes into the main window's gradebook and on disk; the save
// made here is not counted.
inline void Prepare(FakeMainWindow& main, std::vector<ClassRecord> classes) {
  for (ClassRecord& record : classes) {
    ASSERT_EQ(AppendClass(main.book, std::move(record)), AppendResult::Done);
  }
  ASSERT_TRUE(main.SaveDatabase("Vellanor.db"));
  main.saves = 0;
}

inline Gradebook OnDisk() {
  FakeMainWindow reader;
  EXPECT_TRUE(reader.LoadDatabase("Vellanor.db"));
  return reader.book;
}

// Shows a dialog as the active window, so that the focus moves as for a
// person using it.
inline void ShowActive(QWidget& dialog) {
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
}

}  // namespace vellanor::test
