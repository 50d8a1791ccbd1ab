#include "reports/chart_picture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;

using Rgb = std::tuple<int, int, int>;

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kGrey{100, 100, 100};
constexpr Rgb kTick{70, 70, 70};
constexpr Rgb kPassLine{250, 150, 0};
constexpr Rgb kWritten1{0, 6, 250};
constexpr Rgb kOral1{0, 200, 250};
constexpr Rgb kWritten2{250, 0, 20};
constexpr Rgb kOral2{250, 90, 90};
constexpr Rgb kWritten3{0, 185, 30};
constexpr Rgb kOral3{98, 250, 98};

constexpr std::size_t kDigitsStart = 321;

int HexByte(const std::string& text, std::size_t at) {
  return std::stoi(text.substr(at, 2), nullptr, 16);
}

// The colour of canvas pixel (x, y), read back from the picture's digits:
// blue, green, red, rows from canvas row 0.
Rgb PixelAt(const std::string& picture, int x, int y) {
  const std::size_t at = kDigitsStart + (static_cast<std::size_t>(y) * 400 + x) * 6;
  return {HexByte(picture, at + 4), HexByte(picture, at + 2), HexByte(picture, at)};
}

std::set<Rgb> Colours(const std::string& picture, int left = 0, int top = 0, int right = 400,
                      int bottom = 200) {
  std::set<Rgb> colours;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      colours.insert(PixelAt(picture, x, y));
    }
  }
  return colours;
}

// A class whose written T1 category has `marks.size()` columns holding them.
ClassRecord WrittenT1(const std::vector<float>& marks) {
  ClassRecord record = test::Class("4e B");
  for (float mark : marks) {
    record.columns.push_back(Mark(mark, 1, 0));
  }
  record.gradeCount[0] = static_cast<std::int16_t>(marks.size());
  return record;
}

std::string Chart(const ClassRecord& record, int trimester = 1) {
  return MakeChartPicture(record, record.columns, trimester);
}

TEST(ChartPictureTest, PictureGroupHasItsFixedBytesAroundThePixelDigits) {
  const std::string picture = Chart(WrittenT1({12.5f, 14}));
  ASSERT_EQ(picture.size(), 480374u);
  EXPECT_EQ(picture.substr(0, kDigitsStart),
            "\n{\\pict\\wmetafile8\\picw10582\\pich5292\\picwgoal5999\\pichgoal3000 \n"
            "01000900000306d501000000e2d4010000000400000003010800050000000b0200000000050000 \n"
            "000c02c800900105000000070104000000e2d40100430f2000cc000000c800900100000000c800 \n"
            "9001000000002800000090010000c8000000010018000000000080a90300c40e0000c40e000000 \n"
            "00000000000000 \n");
  EXPECT_EQ(picture.substr(kDigitsStart + 480000),
            "05000000070101000000030000000000 \n}\\lang1024\\f0\\par \n");
  const std::string digits = picture.substr(kDigitsStart, 480000);
  EXPECT_EQ(digits.find_first_not_of("0123456789ABCDEF"), std::string::npos);
  // Only the pixels differ from one chart to another.
  const std::string empty = Chart(WrittenT1({}), 7);
  EXPECT_EQ(empty.size(), 480374u);
  EXPECT_EQ(empty.substr(0, kDigitsStart), picture.substr(0, kDigitsStart));
}

TEST(ChartPictureTest, PointsAreSpacedByTheCategoryCountAndRisePerMark) {
  // One column: a ring at x = 15 and no line.
  const std::string one = Chart(WrittenT1({12.5f}));
  EXPECT_EQ(PixelAt(one, 12, 121), kWritten1);
  EXPECT_EQ(PixelAt(one, 18, 121), kWritten1);
  EXPECT_EQ(PixelAt(one, 30, 121), kWhite);

  // Two columns: x = 15 and x = 385, joined.
  const std::string two = Chart(WrittenT1({12.5f, 12.5f}));
  EXPECT_EQ(PixelAt(two, 382, 121), kWritten1);
  EXPECT_EQ(PixelAt(two, 384, 121), kWritten1);
  EXPECT_EQ(PixelAt(two, 200, 121), kWritten1);

  // Four columns: the step is 370 div 3 = 123; a mark of 12.5 at row 121.
  const std::string four = Chart(WrittenT1({12.5f, 2, 12.5f, 12.5f}));
  for (int x : {138, 261, 384}) {
    EXPECT_EQ(PixelAt(four, x - 3, x == 138 ? 32 : 121), kWritten1) << x;
  }
  EXPECT_EQ(PixelAt(four, 261, 118), kWritten1);  // the ring's top and bottom
  EXPECT_EQ(PixelAt(four, 261, 124), kWritten1);
  EXPECT_EQ(PixelAt(four, 261, 126), kWhite);

  // An absence takes no slot: the two marks stand at x = 15 and 200.
  const std::string absent = Chart(WrittenT1({-1, 12.5f, 12.5f}));
  EXPECT_EQ(PixelAt(absent, 197, 121), kWritten1);
  EXPECT_EQ(PixelAt(absent, 100, 121), kWritten1);
  EXPECT_EQ(PixelAt(absent, 382, 121), kWhite);
  EXPECT_EQ(PixelAt(absent, 300, 121), kWhite);
}

TEST(ChartPictureTest, AxesTicksAndThePassLineAreDrawnOverTheCurves) {
  const std::string picture = Chart(WrittenT1({10, 10}));
  // The grade 10 lies on the dashed pass line, drawn after the curve.
  EXPECT_EQ(PixelAt(picture, 13, 100), kPassLine);
  EXPECT_EQ(PixelAt(picture, 382, 100), kWritten1);  // beyond the dashes' end
  // Its gaps are filled with the white background, over the curve.
  EXPECT_EQ(Colours(picture, 20, 100, 380, 101), (std::set<Rgb>{kPassLine, kWhite}));
  for (int y : {32, 49, 66, 83, 117, 134, 151, 168}) {
    EXPECT_EQ(PixelAt(picture, 13, y), kTick) << y;
  }
  EXPECT_EQ(PixelAt(picture, 200, 15), kGrey);  // horizontal axis
  EXPECT_EQ(PixelAt(picture, 15, 150), kGrey);  // vertical axis
  // No pixel is a blend: the drawing is aliased, the text too.
  const std::set<Rgb> allowed{kWhite, kGrey, kTick, kPassLine, kWritten1, kOral1};
  for (const Rgb& colour : Colours(picture)) {
    EXPECT_TRUE(allowed.contains(colour))
        << std::get<0>(colour) << "," << std::get<1>(colour) << "," << std::get<2>(colour);
  }
}

TEST(ChartPictureTest, ATrimesterDrawsItsOwnCurvesAndLabelsTheYearAllSix) {
  ClassRecord record = test::Class("4e B");
  record.gradeCount = {2, 2, 2, 2, 2, 2};
  for (int t = 1; t <= 3; ++t) {
    for (int kind = 0; kind <= 1; ++kind) {
      const float mark = static_cast<float>(2 + t + kind);
      record.columns.push_back(Mark(mark, t, kind));
      record.columns.push_back(Mark(mark + 5, t, kind));
    }
  }
  const std::string second = Chart(record, 2);
  const std::set<Rgb> curves = Colours(second, 0, 20, 400, 180);
  EXPECT_TRUE(curves.contains(kWritten2));
  EXPECT_TRUE(curves.contains(kOral2));
  for (const Rgb& other : {kWritten1, kOral1, kWritten3, kOral3}) {
    EXPECT_FALSE(Colours(second).contains(other));
  }
  // Labels along the bottom rows, under the axis, in their curve's colour.
  EXPECT_EQ(Colours(second, 170, 0, 220, 13), (std::set<Rgb>{kWhite, kWritten2}));
  EXPECT_EQ(Colours(second, 220, 0, 270, 13), (std::set<Rgb>{kWhite, kOral2}));
  EXPECT_EQ(Colours(second, 40, 0, 160, 13), (std::set<Rgb>{kWhite}));

  const std::string year = Chart(record, 0);
  const std::set<Rgb> all = Colours(year);
  for (const Rgb& colour : {kWritten1, kOral1, kWritten2, kOral2, kWritten3, kOral3}) {
    EXPECT_TRUE(all.contains(colour));
  }
  EXPECT_EQ(Colours(year, 290, 0, 340, 13), (std::set<Rgb>{kWhite, kWritten3}));
  // Titles differ; the grey texts stay inside their band.
  EXPECT_NE(year.substr(kDigitsStart + 180 * 2400), second.substr(kDigitsStart + 180 * 2400));
  EXPECT_EQ(Colours(year, 30, 160, 400, 180), (std::set<Rgb>{kWhite}));
  EXPECT_TRUE(Colours(year, 30, 180, 190, 196).contains(kGrey));
}

TEST(ChartPictureTest, FlippedTextReadsUprightOnceTheRowsAreShownBottomUp) {
  // An underscore sits below the baseline, in the band's lower half as
  // written; turned over, it lies in the upper rows of the band.
  ChartCanvas canvas;
  const QPen pen(QColor(0, 0, 0));
  canvas.DrawFlippedText(pen, 10, 50, QStringLiteral("_"));
  int firstInk = -1;
  int lastInk = -1;
  for (int y = 40; y < 80; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (canvas.Image().pixel(x, y) != qRgb(255, 255, 255)) {
        firstInk = firstInk < 0 ? y : firstInk;
        lastInk = y;
      }
    }
  }
  EXPECT_GE(firstInk, 50);
  EXPECT_LT(lastInk, 58);
  // A band running off the canvas's edges is cut, not overrun.
  canvas.DrawFlippedText(pen, 390, 190, QStringLiteral("Ecrit3"));
  canvas.DrawFlippedText(pen, -20, -8, QStringLiteral("Ecrit3"));
}

}  // namespace
}  // namespace vellanor
