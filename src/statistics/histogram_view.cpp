#include "statistics/histogram_view.h"

#include <algorithm>

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

#include "app/grade_chart_geometry.h"
#include "app/grade_chart_view.h"

namespace vellanor {
namespace {

QString BandLabel(int band) {
  const auto at = static_cast<std::size_t>(band);
  return QStringLiteral("%1–%2").arg(kBandBounds[at]).arg(kBandBounds[at + 1]);
}

}  // namespace

HistogramView::HistogramView(QWidget* frame) : QWidget(frame) {
  setObjectName(QStringLiteral("histogram"));
  setGeometry(frame->rect());
  frame->installEventFilter(this);
}

void HistogramView::SetBands(const std::array<int, kBandCount>& bands, int trimester) {
  bands_ = bands;
  trimester_ = trimester;
  update();
}

bool HistogramView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parent() && event->type() == QEvent::Resize) {
    setGeometry(parentWidget()->rect());
  }
  return QWidget::eventFilter(watched, event);
}

void HistogramView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  const QFontMetrics metrics(font());
  const int margin = 8;
  const int textHeight = metrics.height();
  const int left = margin;
  const int right = width() - margin;
  const int axisY = height() - margin - textHeight;
  const int top = margin + textHeight;
  const int slot = std::max(1, (right - left) / kBandCount);
  const int tallest = std::max(1, *std::max_element(bands_.begin(), bands_.end()));

  painter.setBrush(ToQColor(TrimesterColor(trimester_)));
  for (int band = 0; band < kBandCount; ++band) {
    const int x = left + band * slot;
    const int count = bands_[static_cast<std::size_t>(band)];
    const int barHeight = (axisY - top) * count / tallest;
    painter.setPen(Qt::NoPen);
    if (barHeight > 0) {
      painter.drawRect(x + slot / 8, axisY - barHeight, slot - slot / 4, barHeight);
    }
    painter.setPen(ToQColor(kChartAxisColor));
    painter.drawText(QRect(x, axisY - barHeight - textHeight, slot, textHeight), Qt::AlignCenter,
                     QString::number(count));
    painter.drawText(QRect(x, axisY + 1, slot, textHeight), Qt::AlignCenter, BandLabel(band));
  }
  painter.setPen(QPen(ToQColor(kChartAxisColor), 2));
  painter.drawLine(left, axisY, left + kBandCount * slot, axisY);
  // The pass mark, 10, lies between the third and the fourth bands.
  QPen pass(ToQColor(kChartPassLineColor), 1, Qt::DashLine);
  painter.setPen(pass);
  const int passX = left + 3 * slot;
  painter.drawLine(passX, top, passX, axisY);
}

}  // namespace vellanor
