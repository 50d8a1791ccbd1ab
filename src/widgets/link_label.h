#pragma once

#include <QColor>
#include <QLabel>

// A static text that acts as a hyperlink: blue until its target was opened,
// purple after, red while the mouse is over it; underlined always, never, or
// while hovered; a pointing hand and a tooltip with the target. A click opens
// the target with the desktop's handler, else with a web browser; when both
// fail it beeps, says why, and stays unvisited.

namespace vellanor::platform {
class MessageService;
class ProgramLauncher;
}  // namespace vellanor::platform

namespace vellanor::widgets {

class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  // Underline modes.
  static constexpr int kUnderlineHover = -1;
  static constexpr int kUnderlineNever = 0;
  static constexpr int kUnderlineAlways = 1;

  static const QColor kLinkColor;     // 0, 0, 238
  static const QColor kVisitedColor;  // 85, 26, 139
  static const QColor kHoverColor;    // 255, 0, 0

  // The text is also the target until SetLinkTarget gives another.
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

  // What a click opens with, and where it tells a failure. Without them a
  // click only beeps.
  void SetServices(platform::MessageService& messages, platform::ProgramLauncher& launcher);

  // The target; the label fits its text again and the tooltip shows it.
  void SetLinkTarget(const QString& target);
  QString LinkTarget() const { return target_; }
  void SetUnderlineMode(int mode);
  int UnderlineMode() const { return underlineMode_; }
  void MarkVisited(bool visited = true);
  bool IsVisited() const { return visited_; }
  bool IsHovered() const { return over_; }

  // The colour and underline the text is drawn with now.
  QColor TextColor() const;
  bool IsUnderlined() const { return font().underline(); }

  // Resizes the label to its text (as underlined), keeping its left edge, or
  // its centre or right edge when the text is aligned so; the top, or the
  // vertical centre for vertically centred text.
  void FitToText();

  // Opens the target, as a click does.
  void OnClicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetOver(bool over);
  void UpdateLook();

  bool over_ = false;
  bool visited_ = false;
  bool pressed_ = false;
  int underlineMode_ = kUnderlineHover;
  QString target_;
  platform::MessageService* messages_ = nullptr;
  platform::ProgramLauncher* launcher_ = nullptr;
};

}  // namespace vellanor::widgets
