#pragma once
// The drawing target of the plotter and the overview: a small device-context
// interface in device pixels (y downwards). Implemented on a QPainter for the
// screen, images, PDF/SVG and the printer, and by a recorder for tests.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/vqrtypes.h"

/// Colours are 0x00BBGGRR, already resolved (no system colour indexes).
constexpr uint32_t kDcBlack = 0x000000;
constexpr uint32_t kDcWhite = 0xFFFFFF;
constexpr uint32_t kDcRed = 0x0000FF;

enum class DcDash : uint8_t { Solid, Dash, Dot, DashDot, DashDotDot };
enum class DcHAlign : uint8_t { Left, Center, Right };
enum class DcVAlign : uint8_t { Top, Baseline, Bottom };

/// A pen: round caps and round joins, width in pixels (>= 1).
struct DcPen {
  uint32_t Color = kDcBlack;
  int32_t Width = 1;
  DcDash Dash = DcDash::Solid;
  bool operator==(const DcPen&) const = default;
};

/// A font: Height is the character (em) height in pixels; an empty Face is
/// the device's default face.
struct DcFont {
  std::string Face;
  int32_t Height = 13;
  int32_t Weight = 400;  // 400 normal, 700 bold
  bool Italic = false;
  bool operator==(const DcFont&) const = default;
};

/// The measured cell of a text in a font: advance width, and ascent and
/// descent from the baseline, in pixels.
struct DcTextExtent {
  int32_t Width = 0;
  int32_t Ascent = 0;
  int32_t Descent = 0;
};

/// The box (right and bottom excluded) that Text(x, y, ..., h, v) covers
/// with a text of extent e.
TRect DcTextBox(int32_t x, int32_t y, const DcTextExtent& e, DcHAlign h, DcVAlign v);

/// Whether two boxes overlap or come closer than gap pixels.
bool DcBoxesTouch(const TRect& a, const TRect& b, int32_t gap);

class IDeviceContext {
 public:
  virtual ~IDeviceContext() = default;

  virtual void SetPen(const DcPen& pen) = 0;
  virtual void SetFont(const DcFont& font) = 0;
  virtual void SetTextColor(uint32_t color) = 0;

  /// Moves the current position; false when the device refuses.
  virtual bool MoveTo(int32_t x, int32_t y) = 0;
  /// Draws from the current position to (x, y), which becomes current.
  virtual void LineTo(int32_t x, int32_t y) = 0;
  virtual void Polyline(const TPoint* points, int count) = 0;
  /// Text in UTF-8, aligned on (x, y): Top = the top of the character cell,
  /// Baseline, Bottom = the bottom of the cell. Not clipped by the font.
  virtual void Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) = 0;
  /// Advance width of text in the current font; devices without font
  /// metrics estimate it from the character count.
  virtual int32_t TextWidth(std::string_view text) const {
    int32_t characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return characters * 7;
  }
  /// The extent of text in font, without selecting the font. Devices without
  /// font metrics estimate it from the character count and the height.
  virtual DcTextExtent MeasureText(const DcFont& font, std::string_view text) const;

  /// Clips all later drawing to r (corners in any order, right and bottom
  /// edges excluded) until ClearClip.
  virtual void SetClipRect(const TRect& r) = 0;
  virtual void ClearClip() = 0;
  /// Fills r (right and bottom edges excluded) without touching the pen.
  virtual void FillRect(const TRect& r, uint32_t color) = 0;
  virtual void SetPixel(int32_t x, int32_t y, uint32_t color) = 0;

  /// Pixels per inch: the printer's resolution, or the screen's for others.
  virtual int32_t DpiX() const = 0;
  virtual int32_t DpiY() const = 0;
};
