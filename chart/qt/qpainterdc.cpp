#include "chart/qt/qpainterdc.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>
#include <QPolygon>
#include <QVarLengthArray>
#include <algorithm>

namespace {
// Coordinates far outside any device are pulled in so that the rasteriser's
// fixed-point arithmetic cannot overflow; such lines lie off the device anyway.
constexpr int32_t kCoordLimit = 1 << 22;

int Lim(int32_t v) { return std::clamp(v, -kCoordLimit, kCoordLimit); }

Qt::PenStyle ToQtStyle(DcDash d) {
  switch (d) {
    case DcDash::Dash:
      return Qt::DashLine;
    case DcDash::Dot:
      return Qt::DotLine;
    case DcDash::DashDot:
      return Qt::DashDotLine;
    case DcDash::DashDotDot:
      return Qt::DashDotDotLine;
    case DcDash::Solid:
      break;
  }
  return Qt::SolidLine;
}

QRect ToQRect(const TRect& r) {
  const int l = Lim(std::min(r.left, r.right));
  const int rr = Lim(std::max(r.left, r.right));
  const int t = Lim(std::min(r.top, r.bottom));
  const int b = Lim(std::max(r.top, r.bottom));
  return QRect(l, t, rr - l, b - t);  // right and bottom edges excluded
}
}  // namespace

QColor ToQColor(uint32_t color) {
  return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

QPainterDC::QPainterDC(QPainter& painter, bool antialias) : painter_(painter) {
  painter_.setRenderHint(QPainter::Antialiasing, antialias);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  pen_ = QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
}

void QPainterDC::SetResolution(int32_t dpiX, int32_t dpiY) {
  dpiX_ = dpiX;
  dpiY_ = dpiY;
}

void QPainterDC::SetPen(const DcPen& pen) {
  pen_ = QPen(ToQColor(pen.Color), std::clamp(pen.Width, 1, kMaxPenWidth), ToQtStyle(pen.Dash),
              Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(pen_);
}

void QPainterDC::SetFont(const DcFont& font) {
  QFont f = font.Face.empty() ? QFont() : QFont(QString::fromStdString(font.Face));
  f.setPixelSize(std::clamp(font.Height, 1, kMaxFontHeight));
  f.setWeight(font.Weight >= 700 ? QFont::Bold : QFont::Normal);
  f.setItalic(font.Italic);
  painter_.setFont(f);
}

void QPainterDC::SetTextColor(uint32_t color) { textColor_ = ToQColor(color); }

bool QPainterDC::MoveTo(int32_t x, int32_t y) {
  pos_ = QPoint(Lim(x), Lim(y));
  return true;
}

void QPainterDC::LineTo(int32_t x, int32_t y) {
  const QPoint to(Lim(x), Lim(y));
  painter_.drawLine(pos_, to);
  pos_ = to;
}

void QPainterDC::Polyline(const TPoint* points, int count) {
  if (!points || count <= 0) return;
  QVarLengthArray<QPoint, 1506> poly(count);
  for (int i = 0; i < count; ++i) poly[i] = QPoint(Lim(points[i].x), Lim(points[i].y));
  painter_.drawPolyline(poly.constData(), count);
}

void QPainterDC::Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics fm(painter_.font(), painter_.device());
  double px = Lim(x);
  double py = Lim(y);
  if (h == DcHAlign::Center) px -= fm.horizontalAdvance(s) / 2.0;
  if (h == DcHAlign::Right) px -= fm.horizontalAdvance(s);
  if (v == DcVAlign::Top) py += fm.ascent();
  if (v == DcVAlign::Bottom) py -= fm.descent();
  painter_.setPen(textColor_);
  painter_.drawText(QPointF(px, py), s);
  painter_.setPen(pen_);
}

void QPainterDC::SetClipRect(const TRect& r) { painter_.setClipRect(ToQRect(r)); }

void QPainterDC::ClearClip() { painter_.setClipping(false); }

void QPainterDC::FillRect(const TRect& r, uint32_t color) {
  painter_.fillRect(ToQRect(r), ToQColor(color));
}

void QPainterDC::SetPixel(int32_t x, int32_t y, uint32_t color) {
  painter_.setPen(QPen(ToQColor(color), 1));
  painter_.drawPoint(Lim(x), Lim(y));
  painter_.setPen(pen_);
}

int32_t QPainterDC::DpiX() const {
  if (dpiX_ > 0) return dpiX_;
  return painter_.device() ? painter_.device()->logicalDpiX() : 96;
}

int32_t QPainterDC::DpiY() const {
  if (dpiY_ > 0) return dpiY_;
  return painter_.device() ? painter_.device()->logicalDpiY() : 96;
}
