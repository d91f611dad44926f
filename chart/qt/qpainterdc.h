#pragma once
// The device context on a QPainter: any paint device (widget, QImage,
// QPdfWriter/QPrinter, QSvgGenerator).

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRect>
#include <QRegion>

#include "chart/devicecontext.h"

class QPainter;

/// 0x00BBGGRR to QColor.
QColor ToQColor(uint32_t color);

class QPainterDC : public IDeviceContext {
 public:
  /// Widths and font heights beyond these limits are drawn at the limit:
  /// larger ones only come from nonsense settings and would stall the
  /// rasteriser.
  static constexpr int32_t kMaxPenWidth = 1000;
  static constexpr int32_t kMaxFontHeight = 4000;

  /// The painter must stay active while the device context is used; a clip
  /// the painter already has stays in force. Lines are drawn without
  /// antialiasing (crisp like the screen diagram) unless antialias is set;
  /// text is always antialiased.
  explicit QPainterDC(QPainter& painter, bool antialias = false);
  /// Restores the painter's clip as it was given.
  ~QPainterDC() override;
  QPainterDC(const QPainterDC&) = delete;
  QPainterDC& operator=(const QPainterDC&) = delete;
  /// Overrides the resolution reported by DpiX/DpiY (0 = the device's).
  void SetResolution(int32_t dpiX, int32_t dpiY);
  /// The QFont that SetFont selects for font.
  static QFont ToQFont(const DcFont& font);

  void SetPen(const DcPen& pen) override;
  void SetFont(const DcFont& font) override;
  void SetTextColor(uint32_t color) override;
  bool MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void Polyline(const TPoint* points, int count) override;
  void Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) override;
  int32_t TextWidth(std::string_view text) const override;
  DcTextExtent MeasureText(const DcFont& font, std::string_view text) const override;
  void SetClipRect(const TRect& r) override;
  void ClearClip() override;
  void FillRect(const TRect& r, uint32_t color) override;
  void SetPixel(int32_t x, int32_t y, uint32_t color) override;
  int32_t DpiX() const override;
  int32_t DpiY() const override;

 private:
  /// Wide curves, solid or dashed, on an image are rasterised directly: the
  /// painter's stroker is far slower for long polylines.
  bool CanRaster() const;
  void RasterPolyline(const TPoint* points, int count);

  QPainter& painter_;
  bool callerClipping_ = false;
  QRegion callerClip_;
  bool clipActive_ = false;
  QRect clip_;
  bool antialias_ = false;
  DcPen dcPen_;
  QPen pen_;
  QColor textColor_{Qt::black};
  QPoint pos_;
  int32_t dpiX_ = 0;
  int32_t dpiY_ = 0;
};
