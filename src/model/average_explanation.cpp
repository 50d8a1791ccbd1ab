#include "model/average_explanation.h"

#include "model/averages.h"
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
  // The sums RecomputeClass stores the averages from.
  CategorySums sums;
  for (const GradeRecord& mark : student.grades) {
    if (mark.Category() != category) {
      continue;
    }
    if (IsAbsent(mark.value)) {
      ++absences;
      continue;
    }
    sums.Add(mark);
    if (!terms.empty()) {
      terms += " + ";
    }
    terms += FormatMarkWithComma(mark.value) + " × " + FormatAverageWithComma(mark.coefficient);
  }
  const float recomputed = sums.Average(category);

  std::string line;
  if (terms.empty()) {
    line = "aucune note";
    if (absences > 0) {
      line += " (" + Absences(absences, " absence)", " absences)");
    }
  } else {
    line = "(" + terms + ") / " + FormatAverageWithComma(sums.weight[category]) + " = " +
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
