#include "widgets/link_label.h"

#include <cstdlib>

#include <QApplication>
#include <QMouseEvent>

#include "platform/message_service.h"
#include "platform/program_launcher.h"
#include "widgets/open_target.h"

namespace vellanor::widgets {
namespace {

// The caption of the box that says a link could not be opened.
constexpr char kApplicationTitle[] = "Vellanor 2.0";

}  // namespace

const QColor LinkLabel::kLinkColor(0, 0, 238);
const QColor LinkLabel::kVisitedColor(85, 26, 139);
const QColor LinkLabel::kHoverColor(255, 0, 0);

LinkLabel::LinkLabel(const QString& text, QWidget* parent) : QLabel(text, parent), target_(text) {
  setTextFormat(Qt::PlainText);
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setCursor(Qt::PointingHandCursor);
  setMouseTracking(true);
  setToolTip(target_);
  UpdateLook();
}

void LinkLabel::SetServices(platform::MessageService& messages,
                            platform::ProgramLauncher& launcher) {
  messages_ = &messages;
  launcher_ = &launcher;
}

void LinkLabel::SetLinkTarget(const QString& target) {
  target_ = target;
  if (text().isEmpty()) {
    setText(target_);
  }
  FitToText();
  setToolTip(target_);
}

void LinkLabel::SetUnderlineMode(int mode) {
  if (mode == underlineMode_) {
    return;
  }
  underlineMode_ = mode;
  UpdateLook();
}

void LinkLabel::MarkVisited(bool visited) {
  visited_ = visited;
  UpdateLook();
}

QColor LinkLabel::TextColor() const {
  if (over_) {
    return kHoverColor;
  }
  return visited_ ? kVisitedColor : kLinkColor;
}

void LinkLabel::FitToText() {
  QFont underlined = font();
  underlined.setUnderline(true);
  const QSize text = QFontMetrics(underlined).size(Qt::TextSingleLine, this->text());
  const QMargins margins = contentsMargins();
  const int extra = 2 * margin();
  const QSize size(text.width() + margins.left() + margins.right() + extra,
                   text.height() + margins.top() + margins.bottom() + extra);
  QRect place = geometry();
  const Qt::Alignment align = alignment();
  int left = place.left();
  if (align & Qt::AlignHCenter) {
    left = place.center().x() - size.width() / 2;
  } else if (align & Qt::AlignRight) {
    left = place.right() + 1 - size.width();
  }
  const int top = (align & Qt::AlignVCenter) ? place.center().y() - size.height() / 2 : place.top();
  setGeometry(QRect(QPoint(left, top), size));
}

void LinkLabel::OnClicked() {
  SetOver(false);
  if (launcher_ == nullptr || messages_ == nullptr) {
    QApplication::beep();
    return;
  }
  const platform::LaunchError error =
      OpenTarget(*launcher_, target_.toStdString(), WebBrowserCandidates(std::getenv("BROWSER")));
  if (error == platform::LaunchError::kNone) {
    MarkVisited(true);
    return;
  }
  QApplication::beep();
  messages_->Inform("Unable to open hyperlink:\n\n" + OpenErrorText(ShellErrorCode(error)),
                    kApplicationTitle, platform::MessageIcon::Exclamation);
}

void LinkLabel::enterEvent(QEnterEvent* event) {
  SetOver(true);
  QLabel::enterEvent(event);
}

void LinkLabel::leaveEvent(QEvent* event) {
  SetOver(false);
  QLabel::leaveEvent(event);
}

void LinkLabel::mouseMoveEvent(QMouseEvent* event) {
  SetOver(rect().contains(event->position().toPoint()));
  QLabel::mouseMoveEvent(event);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  pressed_ = event->button() == Qt::LeftButton;
  event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  // A click is a press and a release on the label, as a button's.
  const bool clicked =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  event->accept();
  if (clicked) {
    OnClicked();
  }
}

void LinkLabel::SetOver(bool over) {
  if (over == over_) {
    return;
  }
  over_ = over;
  UpdateLook();
}

void LinkLabel::UpdateLook() {
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, TextColor());
  setPalette(colors);
  QFont look = font();
  look.setUnderline(underlineMode_ == kUnderlineAlways ||
                    (underlineMode_ == kUnderlineHover && over_));
  setFont(look);
  update();
}

}  // namespace vellanor::widgets
