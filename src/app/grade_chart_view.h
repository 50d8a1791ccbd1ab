#pragma once

#include <vector>

#include <QColor>
#include <QWidget>

#include "app/grade_chart_geometry.h"

namespace vellanor {

// A chart colour as Qt paints it; also used by the statistics histogram.
inline QColor ToQColor(const ChartColor& color) {
  return QColor(color.red, color.green, color.blue);
}

// The painted grade chart. It lies over the chart's white frame and paints
// the primitives of the last request, given in the main window's client
// coordinates, so the chart survives the window being covered, minimised or
// repainted and stays until the next request. Before any request it paints
// nothing and the white frame shows through.
class GradeChartView : public QWidget {
  Q_OBJECT

 public:
  // `frame` is the chart area, a child of the client area; the view becomes
  // its child and covers it. Client coordinates are multiplied by `scale`.
  GradeChartView(QWidget* frame, double scale);

  void SetPrimitives(std::vector<ChartPrimitive> primitives);
  const std::vector<ChartPrimitive>& Primitives() const { return primitives_; }

  // The frame's rectangle in client coordinates at the template's size, as
  // the chart geometry wants it; a frame that has grown since shows the same
  // chart scaled up to fit.
  ChartRect FrameRect() const;

  // The installed face standing in for the chart's font, at the pixel size
  // whose character cell (ascent + descent) is the font's cell height.
  static QFont QtFontFor(const ChartFont& font);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* frame_;
  double scale_;
  QRect baseFrame_;  // the frame's geometry at the window's template size
  std::vector<ChartPrimitive> primitives_;
};

}  // namespace vellanor
