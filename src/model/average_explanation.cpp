#include "model/average_explanation.h"

#include <limits>

#include "model/format.h"

namespace vellanor {
namespace {

std::string Absences(int count, const char* one, const char* many) {
  return std::to_string(count) + (count == 1 ? one : many);
}

}  // namespace

std::string ExplainAverage(const StudentRecord& student, int category) {
  std::string terms;
  int absences = 0;
  // The same float sums, in the same order, as RecomputeClass.
  float total = 0.0f;
  float weight = 0.0f;
  for (const GradeRecord& mark : student.grades) {
    if (mark.Category() != category) {
      continue;
    }
    if (IsAbsent(mark.value)) {
      ++absences;
      continue;
    }
    total += mark.value * mark.coefficient;
    weight += mark.coefficient;
    if (!terms.empty()) {
      terms += " + ";
    }
    terms += FormatMarkWithComma(mark.value) + " × " + FormatAverageWithComma(mark.coefficient);
  }
  const float recomputed =
      weight != 0.0f ? total / weight : std::numeric_limits<float>::quiet_NaN();

  std::string line;
  if (terms.empty()) {
    line = "aucune note";
    if (absences > 0) {
      line += " (" + Absences(absences, " absence)", " absences)");
    }
  } else {
    line = "(" + terms + ") / " + FormatAverageWithComma(weight) + " = " +
           FormatAverageWithComma(recomputed);
    if (absences > 0) {
      line += " ; " + Absences(absences, " absence non comptée", " absences non comptées");
    }
  }
  const std::string stored = FormatAverageWithComma(student.average[category]);
  if (stored != FormatAverageWithComma(recomputed)) {
    line +=
        " ; moyenne enregistrée " + stored + ", recalculée " + FormatAverageWithComma(recomputed);
  }
  return line;
}

}  // namespace vellanor
