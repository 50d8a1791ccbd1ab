#include "widgets/splash_wnd.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "resources/images.h"

namespace vellanor::widgets {

CSplashWnd::CSplashWnd(int bitmapId, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      bitmap_(res::BitmapById(bitmapId)) {
  setObjectName(QStringLiteral("splash"));
  setAttribute(Qt::WA_OpaquePaintEvent, !bitmap_.isNull());
  setCursor(Qt::ArrowCursor);
  setFixedSize(bitmap_.isNull() ? QSize(0, 0) : bitmap_.deviceIndependentSize().toSize());
}

void CSplashWnd::ShowSplash() {
  CenterOnScreen();
  show();
}

void CSplashWnd::HideSplash() {
  mayClose_ = true;
  close();
}

void CSplashWnd::CenterOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    return;
  }
  QRect frame(QPoint(0, 0), size());
  frame.moveCenter(screen->availableGeometry().center());
  move(frame.topLeft());
}

void CSplashWnd::paintEvent(QPaintEvent*) {
  if (bitmap_.isNull()) {
    return;
  }
  QPainter painter(this);
  painter.drawPixmap(0, 0, bitmap_);
}

void CSplashWnd::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  event->accept();
  // The window manager moves the window when it can; otherwise it follows
  // the mouse until the button is released.
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) {
    return;
  }
  dragging_ = true;
  dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CSplashWnd::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_ && (event->buttons() & Qt::LeftButton)) {
    move(event->globalPosition().toPoint() - dragOffset_);
    event->accept();
    return;
  }
  QWidget::mouseMoveEvent(event);
}

void CSplashWnd::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    dragging_ = false;
  }
  QWidget::mouseReleaseEvent(event);
}

void CSplashWnd::closeEvent(QCloseEvent* event) {
  // Alt+F4 and the like: the picture stays until the program lets it go.
  if (mayClose_) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace vellanor::widgets
