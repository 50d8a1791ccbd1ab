#pragma once

#include <cstddef>
#include <ostream>

#include "model/records.h"

namespace vellanor::inspect {

struct CheckSummary {
  std::size_t classes = 0;
  std::size_t students = 0;
  std::size_t marks = 0;
  std::size_t invariantFaults = 0;  // rules whose breach makes data wrong or unreadable
  std::size_t staleValues = 0;      // stored averages or columns a recomputation would change
};

// Checks every class against the data model's rules and compares every
// stored average and grade column with a fresh recomputation of a copy,
// writing one line per difference on `out`. Stale values are normal after a
// student is added or duplicated (the class is not recomputed then), so they
// are reported apart from the faults.
CheckSummary CheckGradebook(const Gradebook& book, std::ostream& out);

}  // namespace vellanor::inspect
