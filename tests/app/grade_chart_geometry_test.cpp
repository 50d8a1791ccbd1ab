#include "app/grade_chart_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/records.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;
using test::Student;

constexpr float kAbs = -1.0f;
const ChartRect kFrame{300, 290, 730, 560};
const ChartColor kT1{100, 140, 210};
const ChartColor kT2{210, 100, 201};
const ChartColor kT3{250, 180, 45};

// One class with one student; the class's grade columns are the student's marks.
Gradebook BookWith(std::vector<GradeRecord> marks, PerCategory<std::int16_t> counts) {
  ClassRecord record;
  record.gradeCount = counts;
  record.students = {Student(marks)};
  record.columns = std::move(marks);
  record.studentCount = 1;
  Gradebook book;
  book.classes = {record};
  return book;
}

std::vector<ChartPrimitive> Chart(const Gradebook& book, int mode, bool isClass = true,
                                  int studentPosition = 0, int classPosition = 0) {
  const TreeSelection selection = isClass
                                      ? TreeSelection::ClassItem(classPosition)
                                      : TreeSelection::StudentItem(classPosition, studentPosition);
  return BuildGradeChart(book, mode, selection, kFrame);
}

// Lines and rings drawn with one colour and width, in drawing order, each as
// "L x1 y1 x2 y2" or "O cx cy".
std::vector<std::string> Drawn(const std::vector<ChartPrimitive>& chart, ChartColor color,
                               int width = 1) {
  std::vector<std::string> drawn;
  for (const ChartPrimitive& p : chart) {
    if (const auto* line = std::get_if<ChartLine>(&p)) {
      if (line->pen.color == color && line->pen.width == width) {
        drawn.push_back("L " + std::to_string(line->from.x) + " " + std::to_string(line->from.y) +
                        " " + std::to_string(line->to.x) + " " + std::to_string(line->to.y));
      }
    } else if (const auto* ring = std::get_if<ChartEllipse>(&p)) {
      if (ring->pen.color == color && ring->pen.width == width) {
        EXPECT_EQ(ring->box.right - ring->box.left, 8);
        EXPECT_EQ(ring->box.bottom - ring->box.top, 8);
        drawn.push_back("O " + std::to_string(ring->box.left + 4) + " " +
                        std::to_string(ring->box.top + 4));
      }
    }
  }
  return drawn;
}

std::vector<std::string> Texts(const std::vector<ChartPrimitive>& chart) {
  std::vector<std::string> texts;
  for (const ChartPrimitive& p : chart) {
    if (const auto* text = std::get_if<ChartText>(&p)) {
      EXPECT_EQ(text->font.family, "arial");
      EXPECT_EQ(text->font.cellHeight, 15);
      EXPECT_TRUE(text->font.italic);
      texts.push_back(text->text + " " + std::to_string(text->topLeft.x) + " " +
                      std::to_string(text->topLeft.y) + " " + std::to_string(text->color.red));
    }
  }
  return texts;
}

TEST(GradeChartTest, FixedPartsWithoutData) {
  const Gradebook empty;
  const std::vector<ChartPrimitive> chart = Chart(empty, 1);
  ASSERT_EQ(chart.size(), 1u + 12u + 14u + 2u + 2u);
  EXPECT_EQ(std::get<ChartFrame>(chart[0]).rect, kFrame);

  const ChartLine& first = std::get<ChartLine>(chart[1]);
  EXPECT_EQ(first.pen, (ChartPen{{20, 150, 100}, 2, ChartPenStyle::Solid}));
  const std::vector<std::string> axes = Drawn(chart, {20, 150, 100}, 2);
  ASSERT_EQ(axes.size(), 12u);
  EXPECT_EQ(axes[0], "L 330 410 710 410");
  EXPECT_EQ(axes[3], "L 330 520 330 420");
  EXPECT_EQ(axes[4], "L 325 320 330 310");
  EXPECT_EQ(axes[11], "L 700 525 710 520");

  const std::vector<std::string> ticks = Drawn(chart, {20, 150, 100}, 1);
  ASSERT_EQ(ticks.size(), 14u);
  EXPECT_EQ(ticks[0], "L 326 330 332 330");
  EXPECT_EQ(ticks[1], "L 326 440 332 440");
  EXPECT_EQ(ticks[6], "L 326 370 332 370");  // 4 is left out: 3 then 5
  EXPECT_EQ(ticks[13], "L 326 510 332 510");

  const ChartLine& pass = std::get<ChartLine>(chart[27]);
  EXPECT_EQ(pass.pen, (ChartPen{{0, 200, 110}, 1, ChartPenStyle::Dashed}));
  EXPECT_EQ(pass.from, (ChartPoint{330, 360}));
  EXPECT_EQ(std::get<ChartLine>(chart[28]).to, (ChartPoint{710, 470}));

  EXPECT_EQ(Texts(chart), (std::vector<std::string>{"Ecrit 700 310 20", "Oral 700 430 20"}));
  EXPECT_EQ(
      Texts(Chart(empty, 0)),
      (std::vector<std::string>{"Ecrit 700 310 20", "Oral 700 430 20", "Trimestre 1 510 530 100",
                                "Trimestre 2 580 530 210", "Trimestre 3 650 530 250"}));
}

TEST(GradeChartTest, OneTrimesterWithColumnMarksAndCurves) {
  const Gradebook book = BookWith({Mark(10, 1, 0), Mark(12.3f, 1, 1), Mark(20, 1, 0), Mark(0, 1, 1),
                                   Mark(4, 1, 1), Mark(8, 1, 0), Mark(16, 1, 1), Mark(15, 2, 0)},
                                  {3, 4, 1, 0, 0, 0});
  const std::vector<ChartPrimitive> chart = Chart(book, 1);

  // Column marks (oral then written) come first in trimester 1's colour, then the curves.
  EXPECT_EQ(Drawn(chart, kT1),
            (std::vector<std::string>{
                "L 456 518 456 524", "L 582 518 582 524",  // four oral columns: 126 apart
                "L 520 408 520 414",                       // three written columns: 190
                "L 330 360 520 310", "O 330 360", "L 520 310 710 370", "O 520 310", "O 710 370",
                "L 330 458 456 520", "O 330 458", "L 456 520 582 500", "O 456 520",
                "L 582 500 708 440", "O 582 500", "O 708 440"}));
  EXPECT_TRUE(Drawn(chart, kT2).empty());
  // The column marks' pen is solid and 1 pixel wide.
  EXPECT_EQ(std::get<ChartLine>(chart[29]).pen,
            (ChartPen{{100, 140, 210}, 1, ChartPenStyle::Solid}));

  // Trimester 2 has one written column: its point on the vertical axis, no line.
  EXPECT_EQ(Drawn(Chart(book, 2), kT2), (std::vector<std::string>{"O 330 335"}));
}

TEST(GradeChartTest, AbsencesTakeNoSlot) {
  const Gradebook book =
      BookWith({Mark(10, 1, 0), Mark(kAbs, 1, 0), Mark(14, 1, 0)}, {3, 0, 0, 0, 0, 0});
  EXPECT_EQ(Drawn(Chart(book, 1, false), kT1),
            (std::vector<std::string>{"L 520 408 520 414", "L 330 360 520 340", "O 330 360",
                                      "O 520 340"}));
  // Two columns: both ends of the axis, no column mark.
  const Gradebook two = BookWith({Mark(0, 3, 1), Mark(20, 3, 1)}, {0, 0, 0, 0, 0, 2});
  EXPECT_EQ(Drawn(Chart(two, 3), kT3),
            (std::vector<std::string>{"L 330 520 710 420", "O 330 520", "O 710 420"}));
}

TEST(GradeChartTest, ComparisonDrawsEveryTrimesterInItsColourWithoutColumnMarks) {
  const Gradebook book = BookWith({Mark(10, 1, 0), Mark(12, 1, 0), Mark(8, 2, 0), Mark(6, 3, 1),
                                   Mark(18, 2, 0), Mark(14, 2, 0)},
                                  {2, 0, 3, 0, 0, 1});
  const std::vector<ChartPrimitive> chart = Chart(book, 0);
  EXPECT_EQ(Drawn(chart, kT1),
            (std::vector<std::string>{"L 330 360 710 350", "O 330 360", "O 710 350"}));
  EXPECT_EQ(Drawn(chart, kT2),
            (std::vector<std::string>{"L 330 370 520 320", "O 330 370", "L 520 320 710 340",
                                      "O 520 320", "O 710 340"}));
  EXPECT_EQ(Drawn(chart, kT3), (std::vector<std::string>{"O 330 490"}));
  EXPECT_EQ(Texts(chart).size(), 5u);
}

TEST(GradeChartTest, NeverPlacesMoreCurvePointsThanColumns) {
  // Five written T1 marks for a count of 2 (and a hostile count elsewhere).
  const Gradebook book = BookWith(
      {Mark(1, 1, 0), Mark(2, 1, 0), Mark(3, 1, 0), Mark(4, 1, 0), Mark(5, 1, 0), Mark(7, 1, 1)},
      {2, -4, 0, 0, 0, 0});
  EXPECT_EQ(Drawn(Chart(book, 1), kT1),
            (std::vector<std::string>{"L 330 405 710 400", "O 330 405", "O 710 400"}));
}

TEST(GradeChartTest, SelectionThatFindsNothingDrawsNoData) {
  const Gradebook book =
      BookWith({Mark(10, 1, 0), Mark(12, 1, 0), Mark(14, 1, 0)}, {3, 0, 0, 0, 0, 0});
  EXPECT_EQ(Drawn(Chart(book, 1, /*isClass=*/false, /*student=*/0), kT1).size(), 6u);
  for (const auto& chart :
       {Chart(book, 1, false, 1), Chart(book, 1, true, 0, 1), Chart(book, 1, true, 0, -1)}) {
    EXPECT_TRUE(Drawn(chart, kT1).empty());
    EXPECT_EQ(chart.size(), 31u);
  }
  EXPECT_EQ(Chart(book, 0, false, -1).size(), 34u);  // the legend only
}

TEST(GradeChartTest, DamagedValuesStayPaintable) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const Gradebook book = BookWith(
      {Mark(inf, 1, 0), Mark(nan, 1, 0), Mark(-inf, 1, 0), Mark(3e38f, 1, 0)}, {4, 0, 0, 0, 0, 0});
  EXPECT_EQ(Drawn(Chart(book, 1), kT1),
            (std::vector<std::string>{
                "L 456 408 456 414", "L 582 408 582 414", "L 330 -100000 456 100000",
                "O 330 -100000", "L 456 100000 582 -100000", "O 456 100000", "O 582 -100000"}));
}

}  // namespace
}  // namespace vellanor
