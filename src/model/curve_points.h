#pragma once

#include <vector>

#include "model/records.h"

namespace vellanor {

// Where a chart puts the marks of one category: the first point at `left`,
// the points spread over `length` pixels, and the row of a mark
// `axisRow + rowsPerPoint * mark`, truncated towards zero (rowsPerPoint is
// negative where rows grow downwards).
struct CurveScale {
  int left = 0;
  int length = 0;
  double axisRow = 0.0;
  double rowsPerPoint = 0.0;
};

struct CurvePoint {
  int x = 0;
  int y = 0;
  bool operator==(const CurvePoint&) const = default;
};

// The points of one curve, shared by the main window's chart and the reports'
// pictures: the present marks of `category` in list order, at most `count` of
// them, spaced by length / (count - 1) whole pixels. An absent mark (or a NaN
// of a damaged file) takes no slot; absurd marks stay within a range a
// painter can clip.
std::vector<CurvePoint> CurvePoints(const std::vector<GradeRecord>& grades, int category, int count,
                                    const CurveScale& scale);

}  // namespace vellanor
