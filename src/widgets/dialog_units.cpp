#include "widgets/dialog_units.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>

namespace vellanor::widgets {
namespace {

int RoundHalfAway(double value) {
  return static_cast<int>(std::lround(value));
}

}  // namespace

double ScreenScale() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr || screen->logicalDotsPerInch() <= 0) {
    return 1.0;
  }
  return screen->logicalDotsPerInch() / 96.0;
}

int UnitsToPixelsX(int units, double scale) {
  return RoundHalfAway(units * kPixelsPerUnitX * scale);
}

int UnitsToPixelsY(int units, double scale) {
  return RoundHalfAway(units * kPixelsPerUnitY * scale);
}

QRect UnitsToPixels(const res::DuRect& rect, double scale) {
  return QRect(UnitsToPixelsX(rect.x, scale), UnitsToPixelsY(rect.y, scale),
               UnitsToPixelsX(rect.width, scale), UnitsToPixelsY(rect.height, scale));
}

QSize ClientSize(const res::DialogTemplate& dialog, double scale) {
  return QSize(UnitsToPixelsX(dialog.width, scale), UnitsToPixelsY(dialog.height, scale));
}

QString FontFamilyFor(const std::string& face) {
  if (face == "Times New Roman") {
    return QStringLiteral("Liberation Serif");
  }
  if (face == "Courier New") {
    return QStringLiteral("Liberation Mono");
  }
  // "MS Sans Serif", "Arial" and anything unknown.
  return QStringLiteral("Liberation Sans");
}

QFont DialogFont(const res::DialogTemplate& dialog) {
  QFont font(FontFamilyFor(dialog.fontFace));
  font.setPointSize(dialog.pointSize > 0 ? dialog.pointSize : 8);
  return font;
}

}  // namespace vellanor::widgets
