#pragma once

#include <array>

#include <QWidget>

#include "model/class_statistics.h"

namespace vellanor {

// A histogram of marks in the bands of BandOf: one bar per band in the
// colour of a trimester, its count above it and the band below it, over an
// axis in the grade chart's colours with the pass mark (the 10 between the
// third and fourth bars) dashed. It lies over a white frame and follows the
// frame's size, so it grows with a window that grows.
class HistogramView : public QWidget {
  Q_OBJECT

 public:
  explicit HistogramView(QWidget* frame);

  void SetBands(const std::array<int, kBandCount>& bands, int trimester);
  const std::array<int, kBandCount>& Bands() const { return bands_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<int, kBandCount> bands_{};
  int trimester_ = 1;
};

}  // namespace vellanor
