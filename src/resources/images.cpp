#include "resources/images.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

#include "resources/ids.h"

// Resources compiled into a static library are dropped by the linker unless
// something refers to them: this initialiser does. It must live outside any
// namespace.
static void InitVellanorResources() {
  Q_INIT_RESOURCE(vellanor_resources);
}

namespace vellanor::res {
namespace {

void EnsureResources() {
  static const bool done = [] {
    InitVellanorResources();
    return true;
  }();
  (void)done;
}

QString IconPath(int id) {
  return QStringLiteral(":/vellanor/icons/%1.svg").arg(id);
}
QString BitmapPath(int id) {
  return QStringLiteral(":/vellanor/bitmaps/%1.svg").arg(id);
}

QPixmap Render(const QString& path, QSize size) {
  EnsureResources();
  QSvgRenderer renderer(path);
  if (!renderer.isValid() || size.isEmpty()) {
    return {};
  }
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
  painter.end();
  return QPixmap::fromImage(image);
}

}  // namespace

bool HasIcon(int id) {
  EnsureResources();
  return QFile::exists(IconPath(id));
}

bool HasBitmap(int id) {
  EnsureResources();
  return QFile::exists(BitmapPath(id));
}

QPixmap IconPixmap(int id, int size) {
  if (!HasIcon(id)) {
    return {};
  }
  return Render(IconPath(id), QSize(size, size));
}

QIcon IconById(int id) {
  if (!HasIcon(id)) {
    return {};
  }
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) {
    icon.addPixmap(IconPixmap(id, size));
  }
  return icon;
}

QPixmap BitmapById(int id) {
  // Bitmaps have a size of their own, unlike icons.
  QSize size;
  switch (id) {
    case kBmpSplash:
      size = QSize(400, 300);
      break;
    default:
      return {};
  }
  return HasBitmap(id) ? Render(BitmapPath(id), size) : QPixmap();
}

}  // namespace vellanor::res
