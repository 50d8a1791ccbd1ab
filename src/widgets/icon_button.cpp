#include "widgets/icon_button.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

#include "resources/images.h"
#include "widgets/balloon_tip.h"

namespace vellanor::widgets {
namespace {

constexpr int kImageOrigin = 3;    // from the left edge to the icon
constexpr int kPressedOffset = 1;  // icon and caption shift while pressed
constexpr int kIconPixels = 32;
constexpr int kFocusInset = 3;  // the focus frame, inside the button's edge
constexpr int kTipMaxWidth = 400;
constexpr int kTipShowMs = 10000;

}  // namespace

IconButton::IconButton(QWidget* parent) : IconButton(QString(), parent) {}

IconButton::IconButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
  setAutoDefault(false);
  setMouseTracking(true);
  ResetColors();
  wakeUp_.setSingleShot(true);
  autoPop_.setSingleShot(true);
  connect(&wakeUp_, &QTimer::timeout, this, &IconButton::ShowBalloon);
  connect(&autoPop_, &QTimer::timeout, this, &IconButton::HideBalloon);
  // A click gives the button the focus, whatever produced it.
  connect(this, &QAbstractButton::clicked, this, [this] {
    if (isVisible() && isEnabled()) {
      setFocus(Qt::OtherFocusReason);
    }
  });
}

IconButton::~IconButton() = default;

void IconButton::SetIcon(int resourceId) {
  iconId_ = resourceId;
  icon_ = res::IconById(resourceId);
  iconSize_ = icon_.isNull() ? QSize() : QSize(kIconPixels, kIconPixels);
  update();
}

void IconButton::SetRounded(bool rounded, bool repaint) {
  rounded_ = rounded;
  if (repaint) {
    update();
  }
}

int IconButton::OffsetColor(int index, int shade, bool repaint) {
  if (index < 0 || index >= static_cast<int>(colors_.size())) {
    return kInvalidIndex;
  }
  if (shade < -255 || shade > 255) {
    return kBadParam;
  }
  QColor& color = colors_[static_cast<std::size_t>(index)];
  const int r = color.red();
  const int g = color.green();
  const int b = color.blue();
  int amount = shade;
  if (shade > 0) {
    amount = std::min(shade, 255 - std::max({r, g, b}));
  } else if (shade < 0) {
    amount = std::max(shade, -std::min({r, g, b}));
  }
  color = QColor(r + amount, g + amount, b + amount);
  if (repaint) {
    update();
  }
  return kOk;
}

QColor IconButton::Color(int index) const {
  if (index < 0 || index >= static_cast<int>(colors_.size())) {
    return {};
  }
  return colors_[static_cast<std::size_t>(index)];
}

void IconButton::ResetColors() {
  const QColor face = palette().color(QPalette::Button);
  const QColor text = palette().color(QPalette::ButtonText);
  colors_ = {face, text, face, text, face, text};
}

void IconButton::EnableBalloonTooltip() {
  balloonStyle_ = true;
  if (balloon_ != nullptr) {
    balloon_->SetBalloon(true);
  }
}

void IconButton::EnsureBalloon() {
  if (balloon_ == nullptr) {
    balloon_ = new BalloonTip(this);
    balloon_->SetBalloon(balloonStyle_);
    balloon_->SetMaxWidth(kTipMaxWidth);
    tooltipActive_ = false;
  }
}

void IconButton::SetTooltipText(const QString& text, bool activate) {
  if (text.isNull()) {
    return;
  }
  EnsureBalloon();
  balloon_->SetText(text);
  ActivateTooltip(activate);
}

void IconButton::ActivateTooltip(bool active) {
  tooltipActive_ = active;
  if (!active) {
    HideBalloon();
  }
}

QString IconButton::TooltipText() const {
  return balloon_ == nullptr ? QString() : balloon_->Text();
}

void IconButton::ShowBalloon() {
  if (balloon_ == nullptr || !tooltipActive_ || !mouseOver_ || balloon_->Text().isEmpty()) {
    return;
  }
  balloon_->ShowAt(QCursor::pos());
  autoPop_.start(kTipShowMs);
}

void IconButton::HideBalloon() {
  wakeUp_.stop();
  autoPop_.stop();
  if (balloon_ != nullptr) {
    balloon_->hide();
  }
}

void IconButton::TrackHover(QPoint pos, Qt::MouseButtons buttons) {
  // Dragging into the button with the left button held does not light it,
  // and a disabled button never lights up (Qt still tells it the mouse came
  // in, for instance when a menu closes over it).
  if (((buttons & Qt::LeftButton) != 0 && !mouseOver_) || !flat_ || !isEnabled()) {
    return;
  }
  if (rect().contains(pos)) {
    if (!mouseOver_) {
      mouseOver_ = true;
      update();
      if (tooltipActive_ && balloon_ != nullptr) {
        wakeUp_.start(style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, this));
      }
    }
  } else {
    EndHover();
  }
}

void IconButton::EndHover() {
  HideBalloon();
  if (flat_ && mouseOver_) {
    mouseOver_ = false;
    update();
  }
}

void IconButton::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  // Tracked whether or not the dialog is the active window.
  TrackHover(event->position().toPoint(), QGuiApplication::mouseButtons());
}

void IconButton::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  EndHover();
}

void IconButton::mouseMoveEvent(QMouseEvent* event) {
  QPushButton::mouseMoveEvent(event);
  TrackHover(event->position().toPoint(), event->buttons());
}

void IconButton::mousePressEvent(QMouseEvent* event) {
  HideBalloon();
  QPushButton::mousePressEvent(event);
}

void IconButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second click of a double click is a click of its own.
  mousePressEvent(event);
}

void IconButton::focusInEvent(QFocusEvent* event) {
  // The frame shows where the keyboard is; a click needs no such help.
  switch (event->reason()) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
      keyboardFocus_ = true;
      break;
    case Qt::MouseFocusReason:
    case Qt::OtherFocusReason:
      keyboardFocus_ = false;
      break;
    default:  // the window comes back: the button keeps what it showed
      break;
  }
  QPushButton::focusInEvent(event);
  update();
}

void IconButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  EndHover();
  update();  // without its focus frame
}

void IconButton::hideEvent(QHideEvent* event) {
  QPushButton::hideEvent(event);
  EndHover();
}

void IconButton::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  switch (event->type()) {
    case QEvent::EnabledChange:
      // Qt has already moved the focus on to the next control of the dialog.
      if (!isEnabled()) {
        EndHover();
      }
      break;
    case QEvent::ActivationChange:
      if (!isActiveWindow()) {
        EndHover();
      }
      break;
    default:
      break;
  }
}

bool IconButton::event(QEvent* event) {
  const bool handled = QPushButton::event(event);
  switch (event->type()) {
    case QEvent::ApplicationPaletteChange:
    case QEvent::PaletteChange:
      // New system colours reach a button as a change of its palette: back
      // to plain button face and text, the lightening of the set-up is lost.
      ResetColors();
      update();
      break;
    case QEvent::ToolTip:
      return true;  // our own balloon, never Qt's tooltip
    default:
      break;
  }
  return handled;
}

IconButton::Layout IconButton::ComputeLayout(QSize button, QSize icon, bool hasCaption,
                                             bool pressed) {
  Layout layout;
  layout.caption = QRect(QPoint(0, 0), button);
  if (!icon.isEmpty()) {
    const int x = hasCaption ? kImageOrigin : (button.width() - icon.width()) / 2;
    const int y = (button.height() - icon.height()) / 2;
    layout.icon = QRect(QPoint(x, y), icon);
    if (hasCaption) {
      layout.caption.setLeft(icon.width() + kImageOrigin);
    }
  }
  if (pressed) {
    layout.icon.translate(kPressedOffset, kPressedOffset);
    layout.caption.translate(kPressedOffset, kPressedOffset);
  }
  return layout;
}

void IconButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool pressed = isDown();
  const bool focused = hasFocus();
  const bool disabled = !isEnabled();

  // Background: plain face when idle, the hover frame when over or pressed.
  if (!mouseOver_ && !pressed) {
    painter.fillRect(rect(), Color(focused ? kFocusBackground : kIdleBackground));
  } else {
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Color(kHoverBackground));
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    if (rounded_) {
      painter.setRenderHint(QPainter::Antialiasing);
      painter.drawRoundedRect(QRectF(frame).translated(0.5, 0.5), 4, 4);
      painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
      painter.drawRect(frame);
    }
  }

  const QString caption = text();
  const Layout layout = ComputeLayout(size(), iconSize_, !caption.isEmpty(), pressed);
  if (!icon_.isNull()) {
    const QPixmap pixmap =
        icon_.pixmap(iconSize_, devicePixelRatioF(), disabled ? QIcon::Disabled : QIcon::Normal);
    painter.drawPixmap(layout.icon, pixmap);
  }
  if (!caption.isEmpty()) {
    // The caption: measured as centred word-wrapped text, the block centred
    // in its area.
    const int flags = Qt::AlignHCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    QRect block = painter.fontMetrics().boundingRect(layout.caption, flags, caption);
    block.moveCenter(layout.caption.center());
    if (disabled) {
      // Engraved: highlight one pixel right and down, shadow in place.
      painter.setPen(palette().color(QPalette::Light));
      painter.drawText(block.translated(1, 1), flags, caption);
      painter.setPen(palette().color(QPalette::Dark));
      painter.drawText(block, flags, caption);
    } else {
      const int textColor = (mouseOver_ || pressed) ? kHoverText : focused ? kFocusText : kIdleText;
      painter.setPen(Color(textColor));
      painter.drawText(block, flags, caption);
    }
  }
  if (ShowsFocusFrame()) {
    // Dotted, 3 pixels inside the edge, over the icon and the caption.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(kFocusInset, kFocusInset, -kFocusInset - 1, -kFocusInset - 1));
  }
}

bool IconButton::ShowsFocusFrame() const {
  return hasFocus() && keyboardFocus_ && isEnabled();
}

void SetUpIconButton(IconButton& button, int iconId, const QString& tooltip) {
  button.SetIcon(iconId);
  button.SetRounded(true);
  button.OffsetColor(IconButton::kHoverBackground, 30, true);
  button.EnableBalloonTooltip();
  button.SetTooltipText(tooltip, true);
}

}  // namespace vellanor::widgets
