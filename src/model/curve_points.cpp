#include "model/curve_points.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace vellanor {

std::vector<CurvePoint> CurvePoints(const std::vector<GradeRecord>& grades, int category, int count,
                                    const CurveScale& scale) {
  std::vector<CurvePoint> points;
  if (count <= 0) {
    return points;
  }
  constexpr double kLimit = 100000.0;
  const int step = count == 1 ? 0 : scale.length / (count - 1);
  points.reserve(std::min(grades.size(), static_cast<std::size_t>(count)));
  for (const GradeRecord& grade : grades) {
    if (static_cast<int>(points.size()) >= count) {
      break;
    }
    if (grade.Category() != category || IsAbsent(grade.value) || std::isnan(grade.value)) {
      continue;
    }
    const double row = std::clamp(
        scale.axisRow + scale.rowsPerPoint * static_cast<double>(grade.value), -kLimit, kLimit);
    points.push_back({scale.left + static_cast<int>(points.size()) * step, static_cast<int>(row)});
  }
  return points;
}

}  // namespace vellanor
