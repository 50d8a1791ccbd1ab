#pragma once

#include <cstdint>
#include <vector>

#include "model/records.h"

namespace vellanor {

// Lookups by 0-based position. A position that is negative or at or past the
// end finds nothing (nullptr), and the caller then does nothing.
ClassRecord* ClassAt(Gradebook& book, int position);
const ClassRecord* ClassAt(const Gradebook& book, int position);
StudentRecord* StudentAt(ClassRecord& record, int position);
const StudentRecord* StudentAt(const ClassRecord& record, int position);

// n, the number of grade columns of a class: the sum of its six counts, in
// 16-bit signed arithmetic as stored in the file.
std::int16_t GradeColumnCount(const ClassRecord& record);

// Outcome of a change that adds records.
enum class AppendResult {
  Done,
  LimitReached,  // a count would pass 32767; nothing changed
  Mismatch,      // the arguments do not fit the class; nothing changed
};

// Appends a copy of the class (with its lists) at the end of the gradebook.
[[nodiscard]] AppendResult AppendClass(Gradebook& book, const ClassRecord& record);
[[nodiscard]] AppendResult AppendClass(Gradebook& book, ClassRecord&& record);

// Appends a copy of the student at the end of the class and counts it.
[[nodiscard]] AppendResult AppendStudent(ClassRecord& record, const StudentRecord& student);
[[nodiscard]] AppendResult AppendStudent(ClassRecord& record, StudentRecord&& student);

// Appends one mark to the end of every student's grade list (marks[j] goes to
// student j) and counts the new column in its category. All marks must share
// one valid category. The class's list of grade columns is left to the class
// recomputation, which rebuilds it.
[[nodiscard]] AppendResult AppendGradeColumn(ClassRecord& record,
                                             const std::vector<GradeRecord>& marks);

// Removals keep the class's counts in step with its lists. Each returns false
// when the position finds nothing (and then changes nothing).
bool RemoveClass(Gradebook& book, int position);
bool RemoveStudent(ClassRecord& record, int position);

// Removes the grade column that is the `rank`-th (from 0) of its category, in
// the class's list of grade columns and in every student's grade list, and
// lowers the category's count. Returns false when the category has no such
// column (each list then loses the entry it has at that rank, if any).
bool RemoveGradeColumn(ClassRecord& record, int category, int rank);

// Removes every class with all it owns.
void ClearGradebook(Gradebook& book);

// The position in `grades` of the `rank`-th entry of `category`, or -1.
int FindInCategory(const std::vector<GradeRecord>& grades, int category, int rank);

}  // namespace vellanor
