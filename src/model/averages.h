#pragma once

#include "model/records.h"

namespace vellanor {

// Coefficient-weighted sums of a set of marks, per category: what every
// average is computed from, in 32-bit floats and in the order the marks are
// added, so that an explanation of an average gives the very value stored.
struct CategorySums {
  PerCategory<float> total{};
  PerCategory<float> weight{};

  // Absent marks and marks of no category are left out.
  void Add(const GradeRecord& grade);
  // total / weight of the category; a quiet NaN when its weight is 0 or the
  // category is out of range.
  float Average(int category) const;
};

// Recomputes everything a class stores about its marks, in one pass over
// them: the six averages of each student, the class's list of grade columns
// (one entry per assessment, holding its class mean) and the class's six
// averages. Called after every change of marks or grade columns.
//
// - Absent marks count nowhere. Marks of no category (a trimester outside 1
//   to 3 or a kind other than written or oral, which a file may hold) are left
//   out of every average.
// - A category without grade columns keeps the average 0.
// - An average of a category that has columns but whose coefficients sum to 0
//   (a student absent on all of them, coefficients of 0, an assessment missed
//   by the whole class) is undefined and stored as a quiet NaN, printed "abs".
// - A class without students, or grade columns no student has a mark for,
//   keep their previous entries; see RecomputeClass in averages.cpp.
void RecomputeClass(ClassRecord& record);

}  // namespace vellanor
