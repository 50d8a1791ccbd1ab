#include "widgets/balloon_tip.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QToolTip>

namespace vellanor::widgets {
namespace {

constexpr int kMargin = 8;  // between the border and the text
constexpr int kRadius = 8;  // of the body's corners
constexpr int kStemHeight = 12;
constexpr int kStemWidth = 14;
constexpr int kStemOffset = 16;  // from the body's left edge to the stem

}  // namespace

BalloonTip::BalloonTip(QWidget* owner) : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFont(QToolTip::font());
  setPalette(QToolTip::palette());
  Relayout();
}

void BalloonTip::SetText(const QString& text) {
  text_ = text;
  Relayout();
}

void BalloonTip::SetMaxWidth(int pixels) {
  maxWidth_ = std::max(2 * kMargin + 8, pixels);
  Relayout();
}

void BalloonTip::SetBalloon(bool balloon) {
  balloon_ = balloon;
  Relayout();
}

void BalloonTip::Relayout() {
  const int textWidth = maxWidth_ - 2 * kMargin;
  textSize_ =
      fontMetrics().boundingRect(QRect(0, 0, textWidth, 100000), Qt::TextWordWrap, text_).size();
  const int stem = balloon_ ? kStemHeight : 0;
  resize(textSize_.width() + 2 * kMargin, textSize_.height() + 2 * kMargin + stem);
  // A mask gives the rounded shape on every platform, composited or not.
  if (balloon_) {
    const QRect body = BodyRect();
    QPainterPath rounded;
    rounded.addRoundedRect(QRectF(body).adjusted(0, 0, 1, 1), kRadius, kRadius);
    const int tipY = stemUp_ ? 0 : height();
    const int baseY = stemUp_ ? body.top() + 1 : body.bottom();
    const QPolygon stemShape(
        {QPoint(stemX_, baseY), QPoint(stemX_, tipY), QPoint(stemX_ + kStemWidth + 1, baseY)});
    setMask(QRegion(rounded.toFillPolygon().toPolygon()).united(QRegion(stemShape)));
  } else {
    clearMask();
  }
  update();
}

QRect BalloonTip::BodyRect() const {
  const int stem = balloon_ ? kStemHeight : 0;
  return QRect(0, stemUp_ ? stem : 0, width() - 1, height() - stem - 1);
}

void BalloonTip::ShowAt(QPoint anchor) {
  const QScreen* screen = QGuiApplication::screenAt(anchor);
  if (screen == nullptr) {
    screen = QGuiApplication::primaryScreen();
  }
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(anchor, size());
  // Just below the mouse pointer's arrow, or above the anchor near the bottom.
  const QPoint below = anchor + QPoint(0, 20);
  stemUp_ = below.y() + height() <= area.bottom() || anchor.y() - height() < area.top();
  stemX_ = kStemOffset;
  Relayout();
  int left = below.x() - stemX_;
  left = std::clamp(left, area.left(), std::max(area.left(), area.right() - width()));
  stemX_ = std::clamp(below.x() - left, kRadius, std::max(kRadius, width() - kRadius - kStemWidth));
  Relayout();
  const int top = stemUp_ ? below.y() : anchor.y() - height();
  move(left, top);
  show();  // a tooltip window stays above the others by itself
}

void BalloonTip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(BodyRect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QPainterPath path;
  if (balloon_) {
    path.addRoundedRect(body, kRadius, kRadius);
    QPainterPath stem;
    const qreal baseY = stemUp_ ? body.top() : body.bottom();
    const qreal tipY = stemUp_ ? 0.5 : height() - 0.5;
    stem.moveTo(stemX_, baseY);
    stem.lineTo(stemX_, tipY);
    stem.lineTo(stemX_ + kStemWidth, baseY);
    stem.closeSubpath();
    path = path.united(stem);
  } else {
    path.addRect(body);
  }
  painter.fillPath(path, palette().color(QPalette::ToolTipBase));
  painter.setPen(QPen(palette().color(QPalette::ToolTipText), 1));
  painter.drawPath(path);
  painter.setPen(palette().color(QPalette::ToolTipText));
  const QRect text(kMargin, BodyRect().top() + kMargin, textSize_.width(), textSize_.height());
  painter.drawText(text, Qt::TextWordWrap, text_);
}

}  // namespace vellanor::widgets
