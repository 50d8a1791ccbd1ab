#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

#include "model/gradebook.h"
#include "model/records.h"

// Builders of the records tests start from. Texts are the stored
// Windows-1252 bytes; every field not named is left as a new record has it.

namespace vellanor::test {

// A mark of a student, or a grade column of a class: value -1 is an absence,
// trimester 1 to 3, kind 0 written or 1 oral.
inline GradeRecord Mark(float value, int trimester, int kind, float coefficient = 1.0f,
                        std::string_view info = "") {
  GradeRecord mark;
  mark.value = value;
  mark.trimester = static_cast<Trimester>(trimester);
  mark.kind = static_cast<std::uint8_t>(kind);
  mark.coefficient = coefficient;
  mark.info = info;
  return mark;
}

// A student (sex 1 is a boy, anything else a girl) with these marks.
inline StudentRecord Student(std::string_view name, std::string_view firstName, int sex = 0,
                             std::vector<GradeRecord> grades = {}) {
  StudentRecord student;
  student.name = name;
  student.firstName = firstName;
  student.sex = static_cast<std::uint8_t>(sex);
  student.grades = std::move(grades);
  return student;
}

// A student known only by these marks.
inline StudentRecord Student(std::vector<GradeRecord> grades) {
  StudentRecord student;
  student.grades = std::move(grades);
  return student;
}

// A class without grade columns, its students appended in order.
inline ClassRecord Class(std::string_view name, std::string_view year = "",
                         std::vector<StudentRecord> students = {}) {
  ClassRecord record;
  record.name = name;
  record.year = year;
  for (StudentRecord& student : students) {
    EXPECT_EQ(AppendStudent(record, std::move(student)), AppendResult::Done);
  }
  return record;
}

}  // namespace vellanor::test
