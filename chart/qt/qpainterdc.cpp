#include "chart/qt/qpainterdc.h"

#include "chart/qt/rasterline.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygon>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

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

// Polylines go to the painter in pieces: its stroker slows down more than
// linearly with the length of a wide polyline.
constexpr int kPolylineChunk = 32;
// Widths from 2 up to this are rasterised directly on images.
constexpr int32_t kMaxRasterWidth = 16;

double Length(const QPoint* p, int count) {
  double len = 0.0;
  // Whole-pixel steps: the square root of their exact sum, without the
  // slower care of hypot for huge and tiny values.
  for (int i = 1; i < count; ++i) {
    const double dx = p[i].x() - p[i - 1].x(), dy = p[i].y() - p[i - 1].y();
    len += std::sqrt(dx * dx + dy * dy);
  }
  return len;
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

QPainterDC::QPainterDC(QPainter& painter, bool antialias)
    : painter_(painter), antialias_(antialias) {
  callerClipping_ = painter_.hasClipping();
  if (callerClipping_) callerClip_ = painter_.clipRegion();
  painter_.setRenderHint(QPainter::Antialiasing, antialias);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  pen_ = QPen(Qt::black, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(pen_);
  painter_.setBrush(Qt::NoBrush);
}

QPainterDC::~QPainterDC() {
  if (painter_.isActive()) QPainterDC::ClearClip();
}

void QPainterDC::SetResolution(int32_t dpiX, int32_t dpiY) {
  dpiX_ = dpiX;
  dpiY_ = dpiY;
}

void QPainterDC::SetPen(const DcPen& pen) {
  dcPen_ = pen;
  pen_ = QPen(ToQColor(pen.Color), std::clamp(pen.Width, 1, kMaxPenWidth), ToQtStyle(pen.Dash),
              Qt::RoundCap, Qt::RoundJoin);
  painter_.setPen(pen_);
}

QFont QPainterDC::ToQFont(const DcFont& font) {
  QFont f = font.Face.empty() ? QFont() : QFont(QString::fromStdString(font.Face));
  f.setPixelSize(std::clamp(font.Height, 1, kMaxFontHeight));
  f.setWeight(font.Weight >= 700 ? QFont::Bold : QFont::Normal);
  f.setItalic(font.Italic);
  return f;
}

void QPainterDC::SetFont(const DcFont& font) { painter_.setFont(ToQFont(font)); }

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
  if (CanRaster()) {
    RasterPolyline(points, count);
    return;
  }
  QVarLengthArray<QPoint, 1506> poly(count);
  for (int i = 0; i < count; ++i) poly[i] = QPoint(Lim(points[i].x), Lim(points[i].y));
  if (count == 1) {
    painter_.drawPoint(poly[0]);
    return;
  }
  const QPaintEngine* engine = painter_.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) {
    painter_.drawPolyline(poly.constData(), count);  // vector output: one piece
    return;
  }
  // In pieces that share their end points; round caps make the seams
  // invisible, and the dash offset carries the pattern across them.
  QPen pen = pen_;
  double dashOffset = 0.0;
  for (int start = 0; start < count - 1; start += kPolylineChunk) {
    const int n = std::min(kPolylineChunk + 1, count - start);
    if (pen.style() != Qt::SolidLine) {
      pen.setDashOffset(dashOffset);
      painter_.setPen(pen);
      dashOffset += Length(poly.constData() + start, n) / std::max(1.0, pen.widthF());
    }
    painter_.drawPolyline(poly.constData() + start, n);
  }
  painter_.setPen(pen_);
}

bool QPainterDC::CanRaster() const {
  if (antialias_) return false;
  if (dcPen_.Width < 2 || dcPen_.Width > kMaxRasterWidth) return false;  // 1: the painter is fast
  const QPaintDevice* dev = painter_.device();
  if (!dev || dev->devType() != QInternal::Image || callerClipping_) return false;
  const QImage* img = static_cast<const QImage*>(dev);
  const QImage::Format f = img->format();
  if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 &&
      f != QImage::Format_ARGB32_Premultiplied)
    return false;
  return img->isDetached() && img->devicePixelRatio() == 1.0 &&
         painter_.worldTransform().isIdentity() && painter_.opacity() == 1.0 &&
         painter_.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void QPainterDC::RasterPolyline(const TPoint* points, int count) {
  QImage* img = static_cast<QImage*>(painter_.device());
  ::RasterPolyline(*img, clipActive_ ? clip_ : img->rect(), ToQColor(dcPen_.Color).rgba(),
                   dcPen_.Width, dcPen_.Dash, points, count);
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

int32_t QPainterDC::TextWidth(std::string_view text) const {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  return QFontMetrics(painter_.font(), painter_.device()).horizontalAdvance(s);
}

DcTextExtent QPainterDC::MeasureText(const DcFont& font, std::string_view text) const {
  const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const QFontMetrics fm(ToQFont(font), painter_.device());
  return {fm.horizontalAdvance(s), fm.ascent(), fm.descent()};
}

void QPainterDC::SetClipRect(const TRect& r) {
  clip_ = ToQRect(r);
  clipActive_ = true;
  if (callerClipping_) {
    painter_.setClipRegion(callerClip_);
    painter_.setClipRect(clip_, Qt::IntersectClip);
  } else {
    painter_.setClipRect(clip_);
  }
}

void QPainterDC::ClearClip() {
  clipActive_ = false;
  if (callerClipping_)
    painter_.setClipRegion(callerClip_);
  else
    painter_.setClipping(false);
}

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
