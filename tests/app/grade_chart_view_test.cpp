#include "app/grade_chart_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QRadioButton>

#include "app/main_dlg.h"
#include "support/fake_services.h"
#include "support/record_builders.h"

namespace vellanor {
namespace {

using test::Mark;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kPassLine(0, 200, 110);
const QColor kTrimester1(100, 140, 210);
const QColor kTrimester2(210, 100, 201);

// One class with two written columns in trimester 1 (16 and 8) and one in
// trimester 2 (14): T1 points at (330,330) and (710,370), the T2 point at (330,340).
Gradebook OneClass() {
  ClassRecord record = test::Class("4e B");
  record.gradeCount = {2, 0, 1, 0, 0, 0};
  record.columns = {Mark(16.0f, 1, 0), Mark(8.0f, 1, 0), Mark(14.0f, 2, 0)};
  Gradebook book;
  book.classes = {record};
  return book;
}

// The main window's client area as painted, in client coordinates.
QImage Grab(CMainDlg& dialog) {
  return dialog.ClientArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool AnyPixelOf(const QImage& image, const QRect& area, const QColor& color) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == color) {
        return true;
      }
    }
  }
  return false;
}

TEST(GradeChartViewTest, PaintsTheLastRequestAndKeepsItAcrossRepaints) {
  test::FakeServices services;
  CMainDlg dialog(services.Get(), nullptr, 1.0);
  dialog.GetGradebook() = OneClass();
  dialog.RebuildTree();
  dialog.show();

  // Blank until asked for: the white frame without an outline.
  QImage before = Grab(dialog);
  EXPECT_EQ(before.pixelColor(306, 400), kWhite);
  EXPECT_EQ(before.pixelColor(335, 360), kWhite);

  dialog.ShowInfo(TreeSelection::ClassItem(0));
  for (int pass = 0; pass < 2; ++pass) {
    dialog.ClientArea()->repaint();
    const QImage image = Grab(dialog);
    // The frame's black outline where the frame lies (306, 301, 432 x 254).
    EXPECT_EQ(image.pixelColor(306, 400), kBlack) << pass;
    EXPECT_EQ(image.pixelColor(737, 400), kBlack) << pass;
    EXPECT_EQ(image.pixelColor(500, 301), kBlack) << pass;
    // The first dash of both pass lines runs from x = 330 to 347.
    EXPECT_EQ(image.pixelColor(340, 360), kPassLine) << pass;
    EXPECT_EQ(image.pixelColor(340, 470), kPassLine) << pass;
    // The gap after it is white.
    EXPECT_EQ(image.pixelColor(351, 360), kWhite) << pass;
    // The ring of the mark 8 at (710, 370): outlined in trimester 1's colour,
    // filled white over the line that ends at its centre.
    EXPECT_TRUE(AnyPixelOf(image, QRect(706, 366, 8, 8), kTrimester1)) << pass;
    EXPECT_EQ(image.pixelColor(710, 370), kWhite) << pass;
    // The line between the two points, halfway.
    EXPECT_TRUE(AnyPixelOf(image, QRect(519, 349, 3, 3), kTrimester1)) << pass;
  }

  // Comparison adds trimester 2 and its legend.
  dialog.Bind<QRadioButton>(1076).click();
  const QImage comparison = Grab(dialog);
  EXPECT_TRUE(AnyPixelOf(comparison, QRect(326, 336, 8, 8), kTrimester2));
  EXPECT_TRUE(AnyPixelOf(comparison, QRect(580, 530, 60, 15), kTrimester2));
  // Trimester 2 alone does not show trimester 1's second point.
  dialog.Bind<QRadioButton>(1056).click();
  const QImage second = Grab(dialog);
  EXPECT_FALSE(AnyPixelOf(second, QRect(706, 366, 8, 8), kTrimester1));
  EXPECT_TRUE(AnyPixelOf(second, QRect(326, 336, 8, 8), kTrimester2));
}

TEST(GradeChartViewTest, GrowsWithTheWindowKeepingItsProportions) {
  test::FakeServices services;
  CMainDlg dialog(services.Get(), nullptr, 1.0);
  dialog.GetGradebook() = OneClass();
  dialog.RebuildTree();
  dialog.show();
  dialog.ShowInfo(TreeSelection::ClassItem(0));
  // 400 pixels wider, 300 higher: the chart frame takes three quarters of the
  // width and two thirds of the height gained, and moves by what the tree and
  // the information panel take: (406, 401), 732 x 454. The chart is 1.6944
  // times larger (732 / 432), 12 pixels down to stand in the middle.
  dialog.resize(dialog.size() + QSize(400, 300));
  QApplication::processEvents();
  EXPECT_EQ(dialog.Control(1054)->geometry(), QRect(406, 401, 732, 454));
  EXPECT_EQ(dialog.Control(1055)->geometry().top(), 561 + 300);
  const QImage image = Grab(dialog);
  // The outline along the frame's edges.
  EXPECT_EQ(image.pixelColor(406, 600), kBlack);
  EXPECT_EQ(image.pixelColor(1137, 600), kBlack);
  EXPECT_EQ(image.pixelColor(800, 854), kBlack);
  // The pass line (y = 360 -> 513) and the ring of the mark 8 at (710, 370)
  // -> (1089, 529), wider than at the template size and white inside.
  EXPECT_TRUE(AnyPixelOf(image, QRect(450, 511, 20, 5), kPassLine));
  EXPECT_TRUE(AnyPixelOf(image, QRect(1083, 522, 3, 14), kTrimester1));
  EXPECT_TRUE(AnyPixelOf(image, QRect(1093, 522, 3, 14), kTrimester1));
  EXPECT_EQ(image.pixelColor(1089, 529), kWhite);

  // At 1.5 times the size, the same growth on a frame of 648 x 380 at (459, 451).
  CMainDlg larger(services.Get(), nullptr, 1.5);
  larger.GetGradebook() = OneClass();
  larger.RebuildTree();
  larger.show();
  larger.ShowInfo(TreeSelection::ClassItem(0));
  larger.resize(larger.size() + QSize(400, 300));
  QApplication::processEvents();
  EXPECT_EQ(larger.Control(1054)->geometry(), QRect(559, 551, 948, 580));
  const QImage scaled = Grab(larger);
  EXPECT_EQ(scaled.pixelColor(559, 800), kBlack);
  EXPECT_EQ(scaled.pixelColor(1506, 800), kBlack);
  EXPECT_TRUE(AnyPixelOf(scaled, QRect(560, 552, 946, 578), kTrimester1));
}

TEST(GradeChartViewTest, LabelFontHasAFifteenPixelCell) {
  const QFont font = GradeChartView::QtFontFor(ChartFont{});
  EXPECT_TRUE(font.italic());
  EXPECT_EQ(font.family(), "Liberation Sans");
  EXPECT_LE(QFontMetrics(font).height(), 15);
  QFont larger = font;
  larger.setPixelSize(font.pixelSize() + 1);
  EXPECT_GT(QFontMetrics(larger).height(), 15);
}

}  // namespace
}  // namespace vellanor
