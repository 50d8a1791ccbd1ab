#include "app/grade_chart_view.h"

#include <algorithm>
#include <cmath>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "widgets/dialog_units.h"

namespace vellanor {
namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};

// Thin lines leave out their last pixel and wide ones end round, as the
// window system's pens do; a dash is 18 pixels followed by a gap of 6.
QPen ToQPen(const ChartPen& pen) {
  QPen result(ToQColor(pen.color));
  result.setWidth(pen.width);
  result.setCapStyle(pen.width > 1 ? Qt::RoundCap : Qt::FlatCap);
  result.setJoinStyle(Qt::RoundJoin);
  if (pen.style == ChartPenStyle::Dashed) {
    const qreal width = pen.width > 0 ? pen.width : 1;
    result.setDashPattern({18.0 / width, 6.0 / width});
  }
  return result;
}

// Chart rectangles exclude their right and bottom edges. A stroked QRect
// covers its size plus the pen's pixel, so outlines are given one less.
QRect StrokeRect(const ChartRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
}

QRect FillRect(const ChartRect& rect) {
  return QRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
}

void Paint(QPainter& painter, const ChartFrame& frame) {
  painter.fillRect(FillRect(frame.rect), Qt::white);
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(StrokeRect(frame.rect));
}

void Paint(QPainter& painter, const ChartLine& line) {
  painter.setPen(ToQPen(line.pen));
  painter.drawLine(QPoint(line.from.x, line.from.y), QPoint(line.to.x, line.to.y));
}

void Paint(QPainter& painter, const ChartEllipse& ellipse) {
  painter.setPen(ToQPen(ellipse.pen));
  painter.setBrush(Qt::white);
  painter.drawEllipse(StrokeRect(ellipse.box));
}

void Paint(QPainter& painter, const ChartText& text) {
  const QFont font = GradeChartView::QtFontFor(text.font);
  const QFontMetrics metrics(font);
  const QString string = QString::fromStdString(text.text);
  // An opaque white background behind the text, as wide as the text.
  const QRect box(text.topLeft.x, text.topLeft.y, metrics.horizontalAdvance(string),
                  metrics.height());
  painter.fillRect(box, Qt::white);
  painter.setFont(font);
  painter.setPen(ToQColor(text.color));
  painter.drawText(QPoint(text.topLeft.x, text.topLeft.y + metrics.ascent()), string);
}

}  // namespace

GradeChartView::GradeChartView(QWidget* frame, double scale)
    : QWidget(frame),
      frame_(frame),
      scale_(scale > 0 ? scale : 1.0),
      baseFrame_(frame->geometry()) {
  setObjectName(QStringLiteral("gradeChart"));
  setGeometry(frame->rect());
  frame->installEventFilter(this);
}

void GradeChartView::SetPrimitives(std::vector<ChartPrimitive> primitives) {
  primitives_ = std::move(primitives);
  update();
}

ChartRect GradeChartView::FrameRect() const {
  const QRect& frame = baseFrame_;
  auto unscale = [this](int pixels) { return static_cast<int>(pixels / scale_ + 0.5); };
  return {unscale(frame.left()), unscale(frame.top()), unscale(frame.left() + frame.width()),
          unscale(frame.top() + frame.height())};
}

QFont GradeChartView::QtFontFor(const ChartFont& font) {
  QFont result(widgets::FontFamilyFor(font.family));
  result.setItalic(font.italic);
  result.setStyleStrategy(QFont::PreferDefault);
  // The largest pixel size whose ascent and descent fit the cell.
  for (int pixels = font.cellHeight; pixels > 1; --pixels) {
    result.setPixelSize(pixels);
    if (QFontMetrics(result).height() <= font.cellHeight) {
      break;
    }
  }
  return result;
}

void GradeChartView::paintEvent(QPaintEvent*) {
  if (primitives_.empty()) {
    return;
  }
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  // The primitives are in the window's client coordinates at the template's
  // size; this view starts where the frame does. A frame grown with the
  // window shows the chart enlarged as much as it fits, proportions kept,
  // centred, inside an outline along the frame's own edges.
  const double grow = std::min(static_cast<double>(width()) / baseFrame_.width(),
                               static_cast<double>(height()) / baseFrame_.height());
  const bool grown = size() != baseFrame_.size();
  if (grown) {
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.translate(std::round((width() - grow * baseFrame_.width()) / 2),
                      std::round((height() - grow * baseFrame_.height()) / 2));
    painter.scale(grow, grow);
  }
  painter.translate(-baseFrame_.topLeft());
  painter.scale(scale_, scale_);
  for (const ChartPrimitive& primitive : primitives_) {
    if (grown && std::holds_alternative<ChartFrame>(primitive)) {
      continue;  // already drawn along the whole frame
    }
    std::visit(Overloaded{[&painter](const auto& shape) { Paint(painter, shape); }}, primitive);
  }
}

bool GradeChartView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == frame_ && event->type() == QEvent::Resize) {
    setGeometry(frame_->rect());
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vellanor
