#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <QImage>
#include <QPen>
#include <QPoint>
#include <QString>

#include "model/records.h"
#include "reports/merge/template_merge.h"

namespace vellanor {

// The off-screen surface a report chart is drawn on: 400 x 200 pixels of 32
// bits (blue, green, red, unused), canvas row 0 first, y growing downwards.
// Drawing is aliased, so that lines and rings land on whole pixels.
class ChartCanvas {
 public:
  static constexpr int kWidth = 400;
  static constexpr int kHeight = 200;
  // Texts are turned upright in bands of this size.
  static constexpr int kBandWidth = 160;
  static constexpr int kBandHeight = 16;

  // A canvas filled with `color`.
  explicit ChartCanvas(QColor color = Qt::white);

  void DrawLine(const QPen& pen, int x1, int y1, int x2, int y2);
  // An ellipse in the box from (left, top) to (right, bottom), outlined with
  // the pen and filled white.
  void DrawEllipse(const QPen& pen, int left, int top, int right, int bottom);
  void DrawPolyline(const QPen& pen, const std::vector<QPoint>& points);
  // Writes the text in the pen's colour with its top left corner at (x, y),
  // on an opaque white background, then turns the 160 x 16 band from (x, y)
  // upside down, so that the text reads upright once the picture shows
  // canvas row 0 at the bottom.
  void DrawFlippedText(const QPen& pen, int x, int y, const QString& text);

  // Every pixel's blue, green and red bytes as two upper-case hexadecimal
  // digits each, rows from canvas row 0: 480,000 digits.
  void AppendPixelsAsHex(std::string& out) const;
  std::string PixelsAsHex() const;

  const QImage& Image() const { return image_; }

 private:
  QImage image_;
};

// Draws the chart of a grade list (a class's grade columns or a student's
// marks, spaced by the class's grade counts) for trimester 1, 2 or 3, or
// the whole year for 0, and returns it as an RTF picture group: a Windows
// metafile stretching a 24-bit bitmap of the canvas, canvas row 0 at the
// bottom. Always kChartPictureLength characters.
std::string MakeChartPicture(const ClassRecord& record, const std::vector<GradeRecord>& grades,
                             int trimester);
// The same picture appended to `out`: the chart maker of the program.
void AppendChartPicture(std::string& out, const ClassRecord& record,
                        const std::vector<GradeRecord>& grades, int trimester);

}  // namespace vellanor
