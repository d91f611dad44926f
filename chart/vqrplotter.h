#pragma once
// The plotter: a thin layer over a device context that scales and mirrors
// coordinates, turns layout pens and fonts into device pens and fonts, and
// draws lines, polylines and aligned text.

#include <cstdint>
#include <string>
#include <vector>

#include "chart/charttypes.h"
#include "chart/devicecontext.h"

/// Resolves a layout colour to 0x00BBGGRR: a negative value is a system
/// colour whose index is in the low byte; the top byte of others is dropped.
uint32_t ResolveColor(int32_t color);

/// Device dash style of a layout pen style (unknown styles draw solid).
DcDash PenDash(uint8_t style);

class TVQRPlotter {
 public:
  /// Binds to dc (may be null: every drawing operation is then a no-op) and
  /// selects the stock pen and font; mirroring is switched off.
  void SetDC(IDeviceContext* dc);
  IDeviceContext* GetDC() const { return DC; }

  void SetScale(int32_t offsetX, int32_t offsetY, float scale);
  /// Mirror line of the y axis; 0 switches mirroring off.
  void SetMirror(int32_t m) { Mirror = m; }

  int32_t MapX(int32_t x) const;
  int32_t MapY(int32_t y) const;

  /// Selects a pen whose width is pen.Width x Scale pixels, at least 1.
  void SetPen(const TPenRec& pen);
  /// Selects a font of character height round(Size x 3.4722) x Scale pixels
  /// and applies the font's colour to text.
  void SetFont(const TFontRec& font);

  void Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  /// Maps points[0..count) in place, then draws them as one polyline.
  void Polyline(TPoint* points, int count);
  /// As Polyline, but draws only what lies inside clip (device pixels,
  /// corners in any order, edges included): the polyline is cut where it
  /// leaves the rectangle and goes on where it comes back, so that devices
  /// without clipping of their own show the same. Points inside keep their
  /// coordinates; the cuts lie on the rectangle's edges.
  void Polyline(TPoint* points, int count, const TRect& clip);
  /// Aligned text; horizontal and vertical take the TPlotAlign codes.
  void Text(const std::string& s, int32_t x, int32_t y, int horizontal, int vertical);

  /// The box that Text(s, x, y, ...) covers, measured on the device in the
  /// current font, before Scale and offset (mirrored): on the screen and
  /// the printer device pixels, in the preview the printer's pixels.
  TRect TextBox(const std::string& s, int32_t x, int32_t y, int horizontal, int vertical) const;
  /// Mirrors a y of TextBox's coordinates back into plotter input.
  int32_t InputY(int32_t y) const;
  /// The current font at its size before Scale.
  DcFont UnscaledFont() const;

  IDeviceContext* DC = nullptr;
  float Scale = 1.0f;
  int32_t OffsetX = 0;
  int32_t OffsetY = 0;
  int32_t FontHeight = 0;  // of the current font, before Scale
  int32_t Mirror = 0;
  DcPen CurrentPen;
  DcFont CurrentFont;

 private:
  void Map(TPoint* points, int count) const;

  std::vector<TPoint> piece_;  // one visible piece of a clipped polyline
};
