// vellanor-render-icon SVG SIZE PNG: renders an SVG picture as a square PNG
// of SIZE pixels. Used by the build to make the desktop icons of every size
// from the program's own SVG icon; it needs no display.

#include <cstdio>
#include <cstdlib>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace {

// Qt's warnings about the session (no runtime folder, no display) mean
// nothing to a build step; errors still show.
void QuietWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
  }
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(QuietWarnings);
  if (argc != 4) {
    std::fprintf(stderr, "usage: vellanor-render-icon SVG SIZE PNG\n");
    return 2;
  }
  const int size = std::atoi(argv[2]);
  if (size < 1 || size > 4096) {
    std::fprintf(stderr, "vellanor-render-icon: bad size %s\n", argv[2]);
    return 2;
  }
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!svg.isValid()) {
    std::fprintf(stderr, "vellanor-render-icon: cannot read %s\n", argv[1]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    svg.render(&painter, QRectF(0, 0, size, size));
  }
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "vellanor-render-icon: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
