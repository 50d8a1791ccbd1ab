#include "reports/chart_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "model/curve_points.h"

namespace vellanor {
namespace {

// Sets up a painter the way every drawing of the canvas wants it: aliased,
// white brush and opaque white text background.
class CanvasPainter : public QPainter {
 public:
  CanvasPainter(QImage& image, const QPen& pen) : QPainter(&image) {
    setRenderHint(QPainter::Antialiasing, false);
    setRenderHint(QPainter::TextAntialiasing, false);
    setPen(pen);
    setBrush(Qt::white);
    setBackground(Qt::white);
    setBackgroundMode(Qt::OpaqueMode);
  }
};

// A plain sans-serif font whose lines fit the 16-pixel band, drawn without
// antialiasing and with fixed hinting so that every run of the program on
// one machine draws the same pixels, on screen or off.
const QFont& ChartFont() {
  static const QFont font = [] {
    QFont chosen(QStringLiteral("Liberation Sans"));
    chosen.setStyleHint(QFont::SansSerif);
    chosen.setStyleStrategy(QFont::NoAntialias);
    chosen.setHintingPreference(QFont::PreferFullHinting);
    for (int pixels = 13; pixels > 6; --pixels) {
      chosen.setPixelSize(pixels);
      if (QFontMetrics(chosen).height() <= ChartCanvas::kBandHeight) {
        break;
      }
    }
    return chosen;
  }();
  return font;
}

QPen SolidPen(QColor color, int width) {
  QPen pen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
  return pen;
}

const QPen& GreyPen() {
  static const QPen pen = SolidPen(QColor(100, 100, 100), 2);
  return pen;
}

struct TrimesterStyle {
  QColor written;
  QColor oral;
  const char* writtenLabel;
  int writtenLabelX;
  const char* oralLabel;
  int oralLabelX;
};

const std::array<TrimesterStyle, 3> kTrimesterStyles{{
    {QColor(0, 6, 250), QColor(0, 200, 250), "Ecrit1", 50, "Oral1", 100},
    {QColor(250, 0, 20), QColor(250, 90, 90), "Ecrit2", 170, "Oral2", 220},
    {QColor(0, 185, 30), QColor(98, 250, 98), "Ecrit3", 290, "Oral3", 340},
}};

// One curve: the present grades of one category, spaced from x = 15 over
// 370 pixels, 8.5 pixels per point above the axis at row 15.
void DrawCurve(ChartCanvas& canvas, const std::vector<GradeRecord>& grades, int category, int count,
               const QPen& pen) {
  const std::vector<CurvePoint> placed = CurvePoints(grades, category, count, {15, 370, 15.0, 8.5});
  std::vector<QPoint> points;
  points.reserve(placed.size());
  for (const CurvePoint& point : placed) {
    canvas.DrawEllipse(pen, point.x - 3, point.y - 3, point.x + 3, point.y + 3);
    points.emplace_back(point.x, point.y);
  }
  if (points.size() >= 2) {
    canvas.DrawPolyline(pen, points);
  }
}

void DrawTrimester(ChartCanvas& canvas, const ClassRecord& record,
                   const std::vector<GradeRecord>& grades, int trimester) {
  const TrimesterStyle& style = kTrimesterStyles[static_cast<std::size_t>(trimester - 1)];
  const QPen writtenPen = SolidPen(style.written, 1);
  const QPen oralPen = SolidPen(style.oral, 1);
  const int written = CategoryIndex(trimester, kWritten);
  const int oral = CategoryIndex(trimester, kOral);
  DrawCurve(canvas, grades, written, record.gradeCount[static_cast<std::size_t>(written)],
            writtenPen);
  DrawCurve(canvas, grades, oral, record.gradeCount[static_cast<std::size_t>(oral)], oralPen);
  canvas.DrawFlippedText(writtenPen, style.writtenLabelX, 0,
                         QString::fromLatin1(style.writtenLabel));
  canvas.DrawFlippedText(oralPen, style.oralLabelX, 0, QString::fromLatin1(style.oralLabel));
}

void DrawAxes(ChartCanvas& canvas) {
  static constexpr std::array<std::array<int, 4>, 6> kSegments{{
      {15, 15, 390, 15},   // horizontal axis
      {385, 20, 392, 15},  // its arrow head
      {385, 10, 392, 15},  //
      {15, 15, 15, 190},   // vertical axis
      {10, 180, 15, 192},  // its arrow head
      {20, 180, 15, 192},  //
  }};
  for (const auto& s : kSegments) {
    canvas.DrawLine(GreyPen(), s[0], s[1], s[2], s[3]);
  }
  // Ticks at the grades 2, 4, ... 18; the grade 10 gets a dashed line
  // across the chart.
  const QPen tickPen = SolidPen(QColor(70, 70, 70), 1);
  QPen passPen(QColor(250, 150, 0), 1, Qt::DashLine, Qt::FlatCap, Qt::MiterJoin);
  for (int j = 0; j <= 8; ++j) {
    const int y = 32 + 17 * j;
    if (j == 4) {
      canvas.DrawLine(passPen, 13, y, 380, y);
    } else {
      canvas.DrawLine(tickPen, 13, y, 17, y);
    }
  }
}

void AppendPictureGroup(std::string& out, const ChartCanvas& canvas) {
  static constexpr char kHeader[] =
      "\n{\\pict\\wmetafile8\\picw10582\\pich5292\\picwgoal5999\\pichgoal3000 \n"
      "01000900000306d501000000e2d4010000000400000003010800050000000b0200000000050000 \n"
      "000c02c800900105000000070104000000e2d40100430f2000cc000000c800900100000000c800 \n"
      "9001000000002800000090010000c8000000010018000000000080a90300c40e0000c40e000000 \n"
      "00000000000000 \n";
  static constexpr char kTrailer[] =
      "05000000070101000000030000000000 \n"
      "}\\lang1024\\f0\\par \n";
  out.append(kHeader, sizeof kHeader - 1);
  canvas.AppendPixelsAsHex(out);
  out.append(kTrailer, sizeof kTrailer - 1);
}

}  // namespace

ChartCanvas::ChartCanvas(QColor color) : image_(kWidth, kHeight, QImage::Format_RGB32) {
  image_.fill(color);
}

void ChartCanvas::DrawLine(const QPen& pen, int x1, int y1, int x2, int y2) {
  CanvasPainter painter(image_, pen);
  painter.drawLine(x1, y1, x2, y2);
}

void ChartCanvas::DrawEllipse(const QPen& pen, int left, int top, int right, int bottom) {
  CanvasPainter painter(image_, pen);
  painter.drawEllipse(QRect(left, top, right - left, bottom - top));
}

void ChartCanvas::DrawPolyline(const QPen& pen, const std::vector<QPoint>& points) {
  CanvasPainter painter(image_, pen);
  painter.drawPolyline(points.data(), static_cast<int>(points.size()));
}

void ChartCanvas::DrawFlippedText(const QPen& pen, int x, int y, const QString& text) {
  {
    CanvasPainter painter(image_, QPen(pen.color()));
    painter.setFont(ChartFont());
    painter.drawText(QPoint(x, y + QFontMetrics(ChartFont()).ascent()), text);
  }
  // Turn the band upside down: row y + r takes row y + 15 - r. Columns and
  // rows outside the canvas are left out.
  const int left = std::clamp(x, 0, kWidth);
  const int right = std::clamp(x + kBandWidth, 0, kWidth);
  if (left >= right) {
    return;
  }
  const std::size_t bytes = static_cast<std::size_t>(right - left) * 4;
  for (int r = 0; r < kBandHeight / 2; ++r) {
    const int top = y + r;
    const int bottom = y + kBandHeight - 1 - r;
    if (top < 0 || bottom >= kHeight) {
      continue;
    }
    uchar* a = image_.scanLine(top) + static_cast<std::ptrdiff_t>(left) * 4;
    uchar* b = image_.scanLine(bottom) + static_cast<std::ptrdiff_t>(left) * 4;
    std::array<uchar, kBandWidth * 4> row{};
    std::memcpy(row.data(), a, bytes);
    std::memcpy(a, b, bytes);
    std::memcpy(b, row.data(), bytes);
  }
}

void ChartCanvas::AppendPixelsAsHex(std::string& out) const {
  // Two digits per byte value, looked up rather than printed.
  static const std::array<std::array<char, 2>, 256> kDigits = [] {
    std::array<std::array<char, 2>, 256> digits{};
    constexpr char kHex[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
      digits[static_cast<std::size_t>(i)] = {kHex[i >> 4], kHex[i & 15]};
    }
    return digits;
  }();
  // A row at a time through a small buffer: the document's memory is written
  // once, never cleared first.
  std::array<char, kWidth * 6> row;
  for (int y = 0; y < kHeight; ++y) {
    const auto* pixel = reinterpret_cast<const std::uint32_t*>(image_.constScanLine(y));
    char* digit = row.data();
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t value = pixel[x];
      for (const int shift : {0, 8, 16}) {  // blue, green, red
        const auto& pair = kDigits[(value >> shift) & 0xFF];
        digit[0] = pair[0];
        digit[1] = pair[1];
        digit += 2;
      }
    }
    out.append(row.data(), row.size());
  }
}

std::string ChartCanvas::PixelsAsHex() const {
  std::string out;
  AppendPixelsAsHex(out);
  return out;
}

void AppendChartPicture(std::string& out, const ClassRecord& record,
                        const std::vector<GradeRecord>& grades, int trimester) {
  ChartCanvas canvas;
  canvas.DrawFlippedText(GreyPen(), 30, 180, QStringLiteral("Note"));
  if (trimester >= 0 && trimester <= 3) {
    canvas.DrawFlippedText(GreyPen(), 160, 180,
                           trimester == 0
                               ? QStringLiteral("Graphique annuel")
                               : QStringLiteral("Graphique Trimestre %1").arg(trimester));
    for (int t = 1; t <= 3; ++t) {
      if (trimester == t || trimester == 0) {
        DrawTrimester(canvas, record, grades, t);
      }
    }
  }
  DrawAxes(canvas);
  AppendPictureGroup(out, canvas);
}

std::string MakeChartPicture(const ClassRecord& record, const std::vector<GradeRecord>& grades,
                             int trimester) {
  std::string picture;
  picture.reserve(kChartPictureLength);
  AppendChartPicture(picture, record, grades, trimester);
  return picture;
}

}  // namespace vellanor
