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

// The same check, one class at a time, as a file is read.
class GradebookChecker {
 public:
  explicit GradebookChecker(std::ostream& out) : out_(out) {}
  // Checks the next class in file order.
  void Check(const ClassRecord& record);
  // Writes the summary line and returns the counts.
  CheckSummary Finish();

 private:
  std::ostream& out_;
  CheckSummary summary_;
  ClassRecord recomputed_;  // a copy of each class in turn, in the same memory
};

}  // namespace vellanor::inspect
