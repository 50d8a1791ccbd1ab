#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/gradebook.h"
#include "model/records.h"

// What validating the grade-entry window does to a class: adding a grade
// column from typed marks, storing one student's retyped marks, and the texts
// of the questions and refusals that go with them. Typed texts are
// Windows-1252, as read from the window's fields and cells.

namespace vellanor {

struct NewGradeColumn {
  float coefficient = 1.0f;
  Trimester trimester = 1;
  std::uint8_t kind = kWritten;
  std::string info;  // the assessment's information text
};

// Appends one grade column to the class: student j gets the mark typed in
// markTexts[j] (ParseMark), with the column's kind, trimester, coefficient
// and information text. Refused (LimitReached) when the class would count
// more than 32767 grade columns; Mismatch when the texts do not match the
// students. Nothing changes unless the result is Done. The caller then
// recomputes the class.
AppendResult AddGradeColumn(ClassRecord& record, const NewGradeColumn& column,
                            const std::vector<std::string>& markTexts);

// Stores the marks retyped for one student: the j-th mark of category k takes
// ParseMark(cellText(j, k)). Only the values change; marks without a typed
// cell and cells without a mark are left alone.
void StoreTypedMarks(StudentRecord& student,
                     const std::function<std::string(int row, int category)>& cellText);

// "Etes vous sûr de vouloir effacer cette note écrite du 1er trimestre?" and
// its five siblings.
std::string DeletionQuestion(int category);

// The refusal shown when a class already holds the most grade columns a file
// can count.
std::string GradeLimitText(const ClassRecord& record);

}  // namespace vellanor
