#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/averages.h"
#include "model/gradebook.h"
#include "support/record_builders.h"

namespace vellanor::test {

// Adds one assessment to a class: marks[j] for student j (-1 absent), then
// recomputes the class as the grade-entry window does.
inline void AddColumn(ClassRecord& record, int trimester, int kind, std::vector<float> marks,
                      float coefficient = 1.0f, const char* info = "") {
  std::vector<GradeRecord> column;
  for (float value : marks) {
    column.push_back(Mark(value, trimester, kind, coefficient, info));
  }
  ASSERT_EQ(AppendGradeColumn(record, column), AppendResult::Done);
  RecomputeClass(record);
}

// A class of four students whose grade columns were created out of category
// order (oral T2, written T1, written T1, oral T1), with an absence, marks
// with more than two decimals nowhere, names that need quoting, and two
// students of the same names.
inline ClassRecord MixedClass() {
  ClassRecord record = Class("4e B", "2026 - 2027",
                             {Student("Martin", "Zo\xE9"), Student("Lef\xE8vre", "Jean; Paul"),
                              Student("O\"Neil", "Ana\xEFs"), Student("Martin", "Zo\xE9")});
  AddColumn(record, 2, 1, {14, 9.5f, 12, 3}, 2.0f, "Expos\xE9");
  AddColumn(record, 1, 0, {12.5f, -1, 7, 20}, 1.0f, "DS 1");
  AddColumn(record, 1, 0, {15, 11, 13.25f, -1}, 3.0f, "Devoir commun");
  AddColumn(record, 1, 1, {16, 8, 10, 0}, 1.0f,
            "R\xE9"
            "citation");
  return record;
}

}  // namespace vellanor::test
