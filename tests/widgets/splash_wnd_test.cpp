#include "widgets/splash_wnd.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

namespace vellanor::widgets {
namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint globalPos, Qt::MouseButtons buttons) {
  const QPointF local = widget.mapFromGlobal(globalPos);
  QMouseEvent event(type, local, QPointF(globalPos), Qt::LeftButton, buttons, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST(SplashWndTest, CentredBorderlessPictureThatOnlyTheProgramCloses) {
  CSplashWnd splash(196);
  splash.ShowSplash();
  EXPECT_EQ(splash.size(), QSize(400, 300));
  EXPECT_TRUE(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_EQ(splash.windowType(), Qt::SplashScreen);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(splash.geometry().center(), screen.center());

  // The user cannot close it.
  EXPECT_FALSE(splash.close());
  EXPECT_TRUE(splash.isVisible());
  splash.HideSplash();
  EXPECT_FALSE(splash.isVisible());
}

TEST(SplashWndTest, DraggedWithTheLeftButton) {
  CSplashWnd splash(196);
  splash.ShowSplash();
  const QPoint start = splash.pos();
  const QPoint grip = splash.mapToGlobal(QPoint(50, 40));
  SendMouse(splash, QEvent::MouseButtonPress, grip, Qt::LeftButton);
  SendMouse(splash, QEvent::MouseMove, grip + QPoint(30, 20), Qt::LeftButton);
  SendMouse(splash, QEvent::MouseButtonRelease, grip + QPoint(30, 20), Qt::NoButton);
  EXPECT_EQ(splash.pos(), start + QPoint(30, 20));
  splash.HideSplash();
}

TEST(SplashWndTest, MissingPictureGivesAnEmptyWindow) {
  CSplashWnd splash(12345);
  EXPECT_EQ(splash.size(), QSize(0, 0));
}

}  // namespace
}  // namespace vellanor::widgets
