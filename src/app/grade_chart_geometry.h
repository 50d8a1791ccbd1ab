#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "app/tree_selection.h"
#include "model/records.h"

namespace vellanor {

// The grade chart of the main window as a list of drawing primitives in
// drawing order, in pixels of the main window's client area (y grows
// downwards). The painter draws them one after the other and adds nothing.

struct ChartColor {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  bool operator==(const ChartColor&) const = default;
};

// The chart's colours, which the program's other pictures of marks share.
inline constexpr ChartColor kChartAxisColor{20, 150, 100};
inline constexpr ChartColor kChartPassLineColor{0, 200, 110};
// The colour of a trimester's curve, 1 to 3.
constexpr ChartColor TrimesterColor(int trimester) {
  switch (trimester) {
    case 2:
      return {210, 100, 201};
    case 3:
      return {250, 180, 45};
    default:
      return {100, 140, 210};
  }
}

enum class ChartPenStyle { Solid, Dashed };

struct ChartPen {
  ChartColor color;
  int width = 1;
  ChartPenStyle style = ChartPenStyle::Solid;
  bool operator==(const ChartPen&) const = default;
};

struct ChartPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ChartPoint&) const = default;
};

// Corners of a box; right and bottom lie just outside it, as in the window
// system's rectangles (a box from 10 to 20 is 10 pixels wide).
struct ChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ChartRect&) const = default;
};

// The frame: a one-pixel black outline filled with white, erasing what was
// drawn before.
struct ChartFrame {
  ChartRect rect;
  bool operator==(const ChartFrame&) const = default;
};

struct ChartLine {
  ChartPen pen;
  ChartPoint from;
  ChartPoint to;
  bool operator==(const ChartLine&) const = default;
};

// A point of a curve: a ring outlined with the pen, filled with white.
struct ChartEllipse {
  ChartPen pen;
  ChartRect box;
  bool operator==(const ChartEllipse&) const = default;
};

struct ChartFont {
  std::string family = "arial";
  int cellHeight = 15;  // pixels, the whole character cell
  bool italic = true;
  bool operator==(const ChartFont&) const = default;
};

// A text whose top left corner lies at `topLeft`, on an opaque white
// background.
struct ChartText {
  ChartPoint topLeft;
  std::string text;  // UTF-8
  ChartColor color;
  ChartFont font;
  bool operator==(const ChartText&) const = default;
};

using ChartPrimitive = std::variant<ChartFrame, ChartLine, ChartEllipse, ChartText>;

// Chart modes: one trimester (1 to 3), or the three compared.
inline constexpr int kChartComparison = 0;

// The whole chart: frame, axes, grade marks, pass lines, column marks (one
// trimester only), the curves, the labels and, when comparing, the legend.
// The curves are a class's grade columns (their class means) or the marks of
// one of its students; a selection that finds nothing, or names neither,
// draws no column marks and no curves.
std::vector<ChartPrimitive> BuildGradeChart(const Gradebook& book, int chartMode,
                                            const TreeSelection& selection, const ChartRect& frame);

}  // namespace vellanor
