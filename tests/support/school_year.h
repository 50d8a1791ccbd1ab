#pragma once

#include <cstdint>

#include "model/records.h"

namespace vellanor {

// The size of a generated school year.
struct SchoolYearShape {
  int classes = 200;
  int studentsPerClass = 40;
  int marksPerStudent = 90;  // grade columns of each class, spread over the six categories
  std::uint32_t seed = 2026;
};

// A plausible school year for benchmarks and tests, the same for the same
// shape: French names with accents (Windows-1252), marks from 0 to 20 in
// quarter points with a few absences, coefficients 0.5 to 3, and the averages
// of RecomputeClass. Every class keeps the invariants of the data model.
Gradebook MakeSchoolYear(const SchoolYearShape& shape = {});

}  // namespace vellanor
