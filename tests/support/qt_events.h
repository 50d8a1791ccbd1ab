#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>

// Driving windows as a person does. A click is a press, a turn of the event
// loop (where whatever the press set off runs: focus moves, queued calls),
// then a release; QTest::mouseClick sends both at once and hides faults
// that happen in between.

namespace vellanor::test {

// Shows a window as the active one, so that the focus moves as for a person
// using it.
inline void ShowActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// A click of `button` at `point` (the widget's left middle by default).
inline void PressThenRelease(QWidget* widget, Qt::MouseButton button = Qt::LeftButton,
                             QPoint point = {}) {
  if (point.isNull()) {
    point = QPoint(5, widget->height() / 2);
  }
  QTest::mousePress(widget, button, {}, point);
  QCoreApplication::processEvents();
  QTest::mouseRelease(widget, button, {}, point);
}

}  // namespace vellanor::test
