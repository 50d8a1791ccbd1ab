#pragma once

#include <QWidget>

// A tooltip window of our own drawing: a rounded balloon with a stem that
// points at the mouse, its text word-wrapped to a maximum width. Plain
// (not balloon) tips are drawn as a rectangle without a stem.

namespace vellanor::widgets {

class BalloonTip : public QWidget {
  Q_OBJECT

 public:
  // A top-level tip window owned by `owner` (deleted with it).
  explicit BalloonTip(QWidget* owner);

  void SetText(const QString& text);
  QString Text() const { return text_; }
  // The widest the tip gets, in pixels; longer texts wrap.
  void SetMaxWidth(int pixels);
  int MaxWidth() const { return maxWidth_; }
  void SetBalloon(bool balloon);
  bool IsBalloon() const { return balloon_; }

  // Shows the tip with its stem at `anchor` (global coordinates), below it
  // or, near the bottom of the screen, above it.
  void ShowAt(QPoint anchor);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Relayout();
  QRect BodyRect() const;

  QString text_;
  int maxWidth_ = 400;
  bool balloon_ = true;
  bool stemUp_ = true;  // the stem on top, pointing up at the anchor
  int stemX_ = 16;      // where the stem meets the body
  QSize textSize_;
};

}  // namespace vellanor::widgets
