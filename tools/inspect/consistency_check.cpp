#include "consistency_check.h"

#include <charconv>
#include <cmath>
#include <string>

#include "model/averages.h"
#include "model/cp1252.h"
#include "model/format.h"
#include "model/invariants.h"

namespace vellanor::inspect {
namespace {

// The shortest text that reads back to the same float.
std::string FloatText(float value) {
  if (std::isnan(value)) {
    return "nan";
  }
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

// Stored and recomputed values agree when they have the same bits, or are
// both NaN (any NaN payload means the same undefined average).
bool Agree(float stored, float recomputed) {
  return SameBits(stored, recomputed) || (std::isnan(stored) && std::isnan(recomputed));
}

std::string ClassLabel(std::size_t index, const ClassRecord& record) {
  return "class " + std::to_string(index) + " \"" + Cp1252ToUtf8(record.name.View()) + "\"";
}

std::string StudentLabel(std::size_t index, const StudentRecord& student) {
  return "student " + std::to_string(index) + " \"" + Cp1252ToUtf8(student.name.View()) + ", " +
         Cp1252ToUtf8(student.firstName.View()) + "\"";
}

std::size_t CompareAverages(const std::string& owner, const PerCategory<float>& stored,
                            const PerCategory<float>& recomputed, std::ostream& out) {
  std::size_t differences = 0;
  for (int c = 0; c < kCategoryCount; ++c) {
    if (!Agree(stored[c], recomputed[c])) {
      out << owner << ", " << CategoryName(c) << ": stored " << FloatText(stored[c])
          << ", recomputed " << FloatText(recomputed[c]) << "\n";
      ++differences;
    }
  }
  return differences;
}

std::size_t CompareColumns(const std::string& owner, const ClassRecord& stored,
                           const ClassRecord& recomputed, std::ostream& out) {
  std::size_t differences = 0;
  if (stored.columns.size() != recomputed.columns.size()) {
    out << owner << ", grade columns: stored " << stored.columns.size() << ", recomputed "
        << recomputed.columns.size() << "\n";
    ++differences;
  }
  const std::size_t common = std::min(stored.columns.size(), recomputed.columns.size());
  for (std::size_t i = 0; i < common; ++i) {
    const GradeRecord& was = stored.columns[i];
    const GradeRecord& now = recomputed.columns[i];
    const std::string label = owner + ", grade column " + std::to_string(i);
    if (!Agree(was.value, now.value)) {
      out << label << ": stored " << FloatText(was.value) << ", recomputed " << FloatText(now.value)
          << "\n";
      ++differences;
    }
    if (was.kind != now.kind || was.trimester != now.trimester ||
        !Agree(was.coefficient, now.coefficient) || !(was.info == now.info)) {
      out << label << ": stored kind " << int{was.kind} << ", trimester " << was.trimester
          << ", coefficient " << FloatText(was.coefficient) << ", info \""
          << Cp1252ToUtf8(was.info.View()) << "\"; recomputed kind " << int{now.kind}
          << ", trimester " << now.trimester << ", coefficient " << FloatText(now.coefficient)
          << ", info \"" << Cp1252ToUtf8(now.info.View()) << "\"\n";
      ++differences;
    }
  }
  return differences;
}

}  // namespace

void GradebookChecker::Check(const ClassRecord& record) {
  const std::string owner = ClassLabel(summary_.classes++, record);
  summary_.students += record.students.size();
  for (const StudentRecord& student : record.students) {
    summary_.marks += student.grades.size();
  }
  if (const auto fault = FindInvariantFault(record)) {
    out_ << owner << ": invariant fault: " << *fault << "\n";
    ++summary_.invariantFaults;
  }

  recomputed_ = record;
  RecomputeClass(recomputed_);
  for (std::size_t j = 0; j < record.students.size(); ++j) {
    summary_.staleValues +=
        CompareAverages(owner + ", " + StudentLabel(j, record.students[j]),
                        record.students[j].average, recomputed_.students[j].average, out_);
  }
  summary_.staleValues += CompareColumns(owner, record, recomputed_, out_);
  summary_.staleValues += CompareAverages(owner, record.average, recomputed_.average, out_);
}

CheckSummary GradebookChecker::Finish() {
  out_ << summary_.classes << " classes, " << summary_.students << " students, " << summary_.marks
       << " marks: " << summary_.invariantFaults << " invariant faults, " << summary_.staleValues
       << " stale averages\n";
  return summary_;
}

CheckSummary CheckGradebook(const Gradebook& book, std::ostream& out) {
  GradebookChecker checker(out);
  for (const ClassRecord& record : book.classes) {
    checker.Check(record);
  }
  return checker.Finish();
}

}  // namespace vellanor::inspect
