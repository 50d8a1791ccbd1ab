#pragma once

#include <optional>
#include <string>

#include "model/records.h"

namespace vellanor {

// Checks of a class against the rules of the data model. Each returns a short
// English description of the first fault found, for tools and diagnostics.

// What a file needs to be read back: the reader trusts the stored counts, so
// the student list must hold studentCount entries, the list of grade columns
// n entries (n the sum of the six counts), and every student n marks.
std::optional<std::string> FindUnreadableFault(const ClassRecord& record);

// Every rule: the above, counts never negative, the counts per category
// matching the categories of the grade columns, every mark and coefficient a
// finite number, and each mark sharing the
// kind, trimester and coefficient of its grade column.
std::optional<std::string> FindInvariantFault(const ClassRecord& record);

// Position of the first class whose file could not be read back, or -1.
int FirstUnreadableClass(const Gradebook& book);

}  // namespace vellanor
