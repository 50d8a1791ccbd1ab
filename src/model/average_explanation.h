#pragma once

#include <string>

#include "model/records.h"

namespace vellanor {

// How a student's average of one category comes about, as one UTF-8 line:
//   "(20,00 × 2,00 + 18,00 × 1,00) / 3,00 = 19,33 ; 1 absence non comptée"
// The marks of the category in the order of the grade list, each times its
// coefficient, over the sum of the coefficients of the marks counted, then
// the result, computed in 32-bit floats exactly as RecomputeClass computes
// it. Absences are counted aside ("2 absences non comptées"); a category
// whose every mark is absent reads "aucune note (2 absences)". When the
// stored average prints otherwise than the result (it was stored before a
// change that did not recompute the class), the line ends with
// "moyenne enregistrée 12,00, recalculée 12,50".
std::string ExplainAverage(const StudentRecord& student, int category);

}  // namespace vellanor
