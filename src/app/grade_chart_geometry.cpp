#include "app/grade_chart_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "model/gradebook.h"

namespace vellanor {
namespace {

constexpr ChartColor kAxisColor = kChartAxisColor;
constexpr ChartColor kPassLineColor = kChartPassLineColor;
constexpr ChartColor kColumnMarkColor{100, 140, 210};
constexpr std::array<ChartColor, 3> kTrimesterColors{TrimesterColor(1), TrimesterColor(2),
                                                     TrimesterColor(3)};

constexpr ChartPen kAxisPen{kAxisColor, 2, ChartPenStyle::Solid};
constexpr ChartPen kGradeMarkPen{kAxisColor, 1, ChartPenStyle::Solid};
constexpr ChartPen kPassLinePen{kPassLineColor, 1, ChartPenStyle::Dashed};
constexpr ChartPen kColumnMarkPen{kColumnMarkColor, 1, ChartPenStyle::Solid};

// Both charts share the horizontal extent; the written chart stands above
// the oral one. A mark of 20 lies 100 pixels above its axis.
constexpr int kAxisLeft = 330;
constexpr int kAxisLength = 380;
constexpr int kWrittenAxisY = 410;
constexpr int kOralAxisY = 520;
constexpr int kPixelsPerPoint = 5;
constexpr int kPointRadius = 4;

class ChartBuilder {
 public:
  explicit ChartBuilder(std::vector<ChartPrimitive>& out) : out_(out) {}

  void Line(const ChartPen& pen, int x1, int y1, int x2, int y2) {
    out_.push_back(ChartLine{pen, {x1, y1}, {x2, y2}});
  }
  void Ring(const ChartPen& pen, ChartPoint centre) {
    out_.push_back(ChartEllipse{pen,
                                {centre.x - kPointRadius, centre.y - kPointRadius,
                                 centre.x + kPointRadius, centre.y + kPointRadius}});
  }
  void Text(int x, int y, const char* text, ChartColor color) {
    out_.push_back(ChartText{{x, y}, text, color, ChartFont{}});
  }
  void Frame(const ChartRect& rect) { out_.push_back(ChartFrame{rect}); }

 private:
  std::vector<ChartPrimitive>& out_;
};

void AddAxes(ChartBuilder& chart) {
  static constexpr std::array<std::array<int, 4>, 12> kSegments{{
      {330, 410, 710, 410},  // horizontal axes
      {330, 520, 710, 520},
      {330, 410, 330, 310},  // vertical axes
      {330, 520, 330, 420},
      {325, 320, 330, 310},  // arrow heads of the vertical axes
      {335, 320, 330, 310},
      {325, 430, 330, 420},
      {335, 430, 330, 420},
      {700, 405, 710, 410},  // arrow heads of the horizontal axes
      {700, 415, 710, 410},
      {700, 515, 710, 520},
      {700, 525, 710, 520},
  }};
  for (const auto& s : kSegments) {
    chart.Line(kAxisPen, s[0], s[1], s[2], s[3]);
  }
}

// Ticks at the marks 16, 14, 12, 8, 6, 4 and 2 of both vertical axes.
void AddGradeMarks(ChartBuilder& chart) {
  for (int d : {1, 2, 3, 5, 6, 7, 8}) {
    chart.Line(kGradeMarkPen, 326, 320 + 10 * d, 332, 320 + 10 * d);
    chart.Line(kGradeMarkPen, 326, 430 + 10 * d, 332, 430 + 10 * d);
  }
}

// The mark 10 on both charts.
void AddPassLines(ChartBuilder& chart) {
  chart.Line(kPassLinePen, 330, 360, 710, 360);
  chart.Line(kPassLinePen, 330, 470, 710, 470);
}

// Ticks on a horizontal axis where the inner columns fall; the first and the
// last column lie on the vertical axis and under the arrow.
void AddColumnMarksOnAxis(ChartBuilder& chart, int count, int top, int bottom) {
  if (count <= 2) {
    return;
  }
  const int step = kAxisLength / (count - 1);
  for (int i = 1; i <= count - 2; ++i) {
    const int x = kAxisLeft + i * step;
    chart.Line(kColumnMarkPen, x, top, x, bottom);
  }
}

void AddColumnMarks(ChartBuilder& chart, const PerCategory<std::int16_t>& gradeCount,
                    int trimester) {
  AddColumnMarksOnAxis(chart, gradeCount[CategoryIndex(trimester, kOral)], 518, 524);
  AddColumnMarksOnAxis(chart, gradeCount[CategoryIndex(trimester, kWritten)], 408, 414);
}

// Height of a mark above an axis, truncated towards zero. Absurd marks of a
// damaged file are kept within a range the painter can clip.
int PointY(int axisY, float value) {
  constexpr double kLimit = 100000.0;
  const double y =
      std::clamp(axisY - kPixelsPerPoint * static_cast<double>(value), -kLimit, kLimit);
  return static_cast<int>(y);
}

// One curve: the present marks of one trimester and kind, spaced by the
// category's column count. An absent mark takes no slot; no more points are
// placed than the category has columns.
void AddCurve(ChartBuilder& chart, const std::vector<GradeRecord>& grades, int trimester,
              std::uint8_t kind, int count, int axisY, const ChartPen& pen) {
  if (count <= 0) {
    return;
  }
  const int step = count == 1 ? 0 : kAxisLength / (count - 1);
  std::vector<ChartPoint> points;
  points.reserve(std::min<std::size_t>(static_cast<std::size_t>(count), grades.size()));
  for (const GradeRecord& grade : grades) {
    if (static_cast<int>(points.size()) >= count) {
      break;
    }
    if (grade.trimester != trimester || grade.kind != kind || IsAbsent(grade.value) ||
        std::isnan(grade.value)) {
      continue;
    }
    const int i = static_cast<int>(points.size());
    points.push_back({kAxisLeft + i * step, PointY(axisY, grade.value)});
  }
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    chart.Line(pen, points[k].x, points[k].y, points[k + 1].x, points[k + 1].y);
    chart.Ring(pen, points[k]);
  }
  if (!points.empty()) {
    chart.Ring(pen, points.back());
  }
}

void AddTrimesterCurves(ChartBuilder& chart, const std::vector<GradeRecord>& grades, int trimester,
                        const PerCategory<std::int16_t>& gradeCount) {
  const ChartPen pen{kTrimesterColors[static_cast<std::size_t>(trimester - 1)], 1,
                     ChartPenStyle::Solid};
  AddCurve(chart, grades, trimester, kWritten, gradeCount[CategoryIndex(trimester, kWritten)],
           kWrittenAxisY, pen);
  AddCurve(chart, grades, trimester, kOral, gradeCount[CategoryIndex(trimester, kOral)], kOralAxisY,
           pen);
}

// The grade list the selection names: a class's grade columns or a
// student's marks, or nothing when a position finds nothing.
const std::vector<GradeRecord>* SelectedGrades(const ClassRecord* record,
                                               const TreeSelection& selection) {
  if (record == nullptr) {
    return nullptr;
  }
  if (selection.IsClass()) {
    return &record->columns;
  }
  const StudentRecord* student =
      selection.IsStudent() ? StudentAt(*record, selection.studentPosition) : nullptr;
  return student != nullptr ? &student->grades : nullptr;
}

}  // namespace

std::vector<ChartPrimitive> BuildGradeChart(const Gradebook& book, int chartMode,
                                            const TreeSelection& selection,
                                            const ChartRect& frame) {
  std::vector<ChartPrimitive> out;
  out.reserve(64);
  ChartBuilder chart(out);
  chart.Frame(frame);
  AddAxes(chart);
  AddGradeMarks(chart);
  AddPassLines(chart);

  const ClassRecord* record = ClassAt(book, selection.classPosition);
  const std::vector<GradeRecord>* grades = SelectedGrades(record, selection);
  if (grades != nullptr) {
    if (chartMode >= 1 && chartMode <= 3) {
      AddColumnMarks(chart, record->gradeCount, chartMode);
    }
    for (int t = 1; t <= 3; ++t) {
      if (chartMode == t || chartMode == kChartComparison) {
        AddTrimesterCurves(chart, *grades, t, record->gradeCount);
      }
    }
  }

  chart.Text(700, 310, "Ecrit", kAxisColor);
  chart.Text(700, 430, "Oral", kAxisColor);
  if (chartMode == kChartComparison) {
    chart.Text(510, 530, "Trimestre 1", kTrimesterColors[0]);
    chart.Text(580, 530, "Trimestre 2", kTrimesterColors[1]);
    chart.Text(650, 530, "Trimestre 3", kTrimesterColors[2]);
  }
  return out;
}

}  // namespace vellanor
