#pragma once

#include <array>

#include <QColor>
#include <QIcon>
#include <QPushButton>
#include <QTimer>

// The push button of every dialog: an icon left of its caption, no border,
// a rounded frame in a lightened button face while the mouse is over it or
// while it is pressed, and a balloon tooltip.

namespace vellanor::widgets {

class BalloonTip;

class IconButton : public QPushButton {
  Q_OBJECT

 public:
  // The six colours: background and text while hovered or pressed, idle,
  // and focused.
  enum ColorIndex {
    kHoverBackground = 0,
    kHoverText = 1,
    kIdleBackground = 2,
    kIdleText = 3,
    kFocusBackground = 4,
    kFocusText = 5,
  };
  // Result codes of OffsetColor.
  static constexpr int kOk = 0;
  static constexpr int kInvalidIndex = 3;
  static constexpr int kBadParam = 5;

  explicit IconButton(QWidget* parent = nullptr);
  explicit IconButton(const QString& text, QWidget* parent = nullptr);
  ~IconButton() override;

  // Shows the icon resource `resourceId` (32 x 32) in every state.
  void SetIcon(int resourceId);
  int IconId() const { return iconId_; }
  QSize IconSize() const { return iconSize_; }

  // The rounded hover frame.
  void SetRounded(bool rounded, bool repaint = true);
  bool IsRounded() const { return rounded_; }

  // Lightens (shade > 0) or darkens (shade < 0) colour `index` by the same
  // amount on red, green and blue, cut so that no channel leaves 0..255.
  // Returns kInvalidIndex for an index outside 0..5 and kBadParam for a
  // shade outside -255..255 (nothing changes then), kOk otherwise.
  int OffsetColor(int index, int shade, bool repaint = true);
  QColor Color(int index) const;

  // Tooltips: balloon style, text, on or off. A null text changes nothing.
  void EnableBalloonTooltip();
  void SetTooltipText(const QString& text, bool activate = true);
  void ActivateTooltip(bool active);
  QString TooltipText() const;
  // The tooltip window, once a text was set (nullptr before).
  BalloonTip* Balloon() const { return balloon_; }

  bool IsHovered() const { return mouseOver_; }
  // Whether the dotted focus frame is drawn: the button has the focus and
  // the keyboard brought it there (Tab, Shift+Tab, a mnemonic).
  bool ShowsFocusFrame() const;

  // Where the icon and the caption go on a button of `button` size with an
  // icon of `icon` size (empty for none): the icon 3 px from the left and
  // the caption's area from icon width + 3 to the right edge, or the icon
  // centred without a caption; vertically centred; both shifted by (1, 1)
  // while pressed.
  struct Layout {
    QRect icon;
    QRect caption;
  };
  static Layout ComputeLayout(QSize button, QSize icon, bool hasCaption, bool pressed);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void ResetColors();
  void TrackHover(QPoint pos, Qt::MouseButtons buttons);
  void EndHover();
  void ShowBalloon();
  void HideBalloon();
  void EnsureBalloon();

  std::array<QColor, 6> colors_;
  QIcon icon_;
  QSize iconSize_;
  int iconId_ = 0;
  bool rounded_ = false;
  bool flat_ = true;            // hover tracking on
  bool keyboardFocus_ = false;  // the focus came from the keyboard
  bool mouseOver_ = false;
  bool balloonStyle_ = false;
  bool tooltipActive_ = false;
  BalloonTip* balloon_ = nullptr;
  QTimer wakeUp_;   // the usual delay before a tooltip shows
  QTimer autoPop_;  // and the time it stays
};

// The set-up every dialog gives each of its icon buttons, in this order:
// the icon, the rounded hover frame, the hover background lightened by 30,
// balloon tooltips, and the tooltip text, active.
void SetUpIconButton(IconButton& button, int iconId, const QString& tooltip);

}  // namespace vellanor::widgets
