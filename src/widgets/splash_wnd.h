#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

// The start-up picture: a borderless window centred on the screen, without a
// task-bar entry, that the user can drag with the left button but not close.
// Only the program closes it (HideSplash), when the main window has closed.

namespace vellanor::widgets {

class CSplashWnd : public QWidget {
  Q_OBJECT

 public:
  // The bitmap resource to show; a missing picture gives an empty window.
  explicit CSplashWnd(int bitmapId, QWidget* parent = nullptr);

  // Shows the window centred on the screen's work area.
  void ShowSplash();
  // Allows the window to close, then closes it.
  void HideSplash();
  bool MayClose() const { return mayClose_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void CenterOnScreen();

  bool mayClose_ = false;
  QPixmap bitmap_;
  bool dragging_ = false;
  QPoint dragOffset_;  // from the window's corner to the mouse
};

}  // namespace vellanor::widgets
