#include "model/invariants.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/gradebook.h"

namespace vellanor {
namespace {

std::string Count(std::size_t n) {
  return std::to_string(n);
}

std::optional<std::string> CheckCategories(const ClassRecord& record) {
  if (record.studentCount < 0) {
    return "studentCount is negative";
  }
  PerCategory<int> seen{};
  for (const GradeRecord& column : record.columns) {
    const int c = column.Category();
    if (c < 0) {
      return "a grade column belongs to no category";
    }
    ++seen[c];
  }
  for (int c = 0; c < kCategoryCount; ++c) {
    if (record.gradeCount[c] < 0) {
      return "gradeCount[" + std::to_string(c) + "] is negative";
    }
    if (seen[c] != record.gradeCount[c]) {
      return "gradeCount[" + std::to_string(c) + "] is " + std::to_string(record.gradeCount[c]) +
             " but " + std::to_string(seen[c]) + " grade columns of that category";
    }
  }
  return std::nullopt;
}

std::optional<std::string> CheckMarksMatchColumns(const ClassRecord& record) {
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    const auto& grades = record.students[j].grades;
    for (std::size_t i = 0; i < grades.size() && i < record.columns.size(); ++i) {
      const GradeRecord& mark = grades[i];
      const GradeRecord& column = record.columns[i];
      if (mark.kind != column.kind || mark.trimester != column.trimester ||
          !SameBits(mark.coefficient, column.coefficient)) {
        return "student " + Count(j) + ", mark " + Count(i) +
               " differs from its grade column in kind, trimester or coefficient";
      }
    }
  }
  return std::nullopt;
}

// A mark or coefficient past the range of a 32-bit float (or a NaN) makes
// every average it enters infinite or undefined.
std::optional<std::string> CheckFiniteValues(const ClassRecord& record) {
  for (std::size_t i = 0; i < record.columns.size(); ++i) {
    if (!std::isfinite(record.columns[i].coefficient)) {
      return "grade column " + Count(i) + " has a coefficient that is not finite";
    }
  }
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    const auto& grades = record.students[j].grades;
    for (std::size_t i = 0; i < grades.size(); ++i) {
      if (!std::isfinite(grades[i].value) || !std::isfinite(grades[i].coefficient)) {
        return "student " + Count(j) + ", mark " + Count(i) + " is not a finite number";
      }
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> FindUnreadableFault(const ClassRecord& record) {
  const std::size_t students = static_cast<std::size_t>(std::max<int>(0, record.studentCount));
  if (record.students.size() != students) {
    return "studentCount is " + std::to_string(record.studentCount) + " but the class has " +
           Count(record.students.size()) + " students";
  }
  const std::size_t n = static_cast<std::size_t>(std::max<int>(0, GradeColumnCount(record)));
  if (record.columns.size() != n) {
    return "the grade counts sum to " + Count(n) + " but the class has " +
           Count(record.columns.size()) + " grade columns";
  }
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    if (record.students[j].grades.size() != n) {
      return "student " + Count(j) + " has " + Count(record.students[j].grades.size()) +
             " marks for " + Count(n) + " grade columns";
    }
  }
  return std::nullopt;
}

std::optional<std::string> FindInvariantFault(const ClassRecord& record) {
  if (auto fault = FindUnreadableFault(record)) {
    return fault;
  }
  if (auto fault = CheckCategories(record)) {
    return fault;
  }
  if (auto fault = CheckFiniteValues(record)) {
    return fault;
  }
  return CheckMarksMatchColumns(record);
}

int FirstUnreadableClass(const Gradebook& book) {
  for (std::size_t i = 0; i < book.classes.size(); ++i) {
    if (FindUnreadableFault(book.classes[i])) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace vellanor
