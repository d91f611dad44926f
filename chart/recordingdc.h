#pragma once
// A device context that draws nothing and records every call with its exact
// device coordinates: for tests and for dumping what a drawing does.

#include <string>
#include <vector>

#include "chart/devicecontext.h"

class RecordingDC : public IDeviceContext {
 public:
  enum class Op {
    Pen,
    Font,
    TextColor,
    MoveTo,
    LineTo,
    Polyline,
    Text,
    Clip,
    ClearClip,
    Fill,
    Pixel
  };

  struct Call {
    Op op;
    TRect rect;                  // MoveTo/Pixel: (x, y, x, y); LineTo: from -> to; Clip/Fill
    std::vector<TPoint> points;  // Polyline
    std::string text;            // Text
    DcHAlign h = DcHAlign::Left;
    DcVAlign v = DcVAlign::Top;
    DcPen pen;             // the pen in force (for lines and polylines)
    DcFont font;           // the font in force (for texts)
    uint32_t color = 0;    // text colour, fill or pixel colour
    bool clipped = false;  // a clip rectangle was in force
  };

  /// A drawn line segment with the pen it was drawn with.
  struct Segment {
    TPoint from;
    TPoint to;
    DcPen pen;
    bool operator==(const Segment&) const = default;
  };

  explicit RecordingDC(int32_t dpiX = 96, int32_t dpiY = 96) : dpiX_(dpiX), dpiY_(dpiY) {}

  void SetPen(const DcPen& pen) override;
  void SetFont(const DcFont& font) override;
  void SetTextColor(uint32_t color) override;
  bool MoveTo(int32_t x, int32_t y) override;
  void LineTo(int32_t x, int32_t y) override;
  void Polyline(const TPoint* points, int count) override;
  void Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) override;
  void SetClipRect(const TRect& r) override;
  void ClearClip() override;
  void FillRect(const TRect& r, uint32_t color) override;
  void SetPixel(int32_t x, int32_t y, uint32_t color) override;
  /// Estimated from the current font (see MeasureText).
  int32_t TextWidth(std::string_view text) const override { return MeasureText(font_, text).Width; }
  int32_t DpiX() const override { return dpiX_; }
  int32_t DpiY() const override { return dpiY_; }

  const std::vector<Call>& Calls() const { return calls_; }
  void Clear() { calls_.clear(); }

  /// The calls of one kind, in order.
  std::vector<Call> Of(Op op) const;
  /// Every LineTo as a segment from the preceding current position.
  std::vector<Segment> Segments() const;
  /// Every Text call.
  std::vector<Call> Texts() const { return Of(Op::Text); }
  /// One line per call, for debugging and failure messages.
  std::string Dump() const;

 private:
  Call Make(Op op) const;

  std::vector<Call> calls_;
  DcPen pen_;
  DcFont font_;
  uint32_t textColor_ = kDcBlack;
  TPoint pos_;
  bool clipped_ = false;
  int32_t dpiX_;
  int32_t dpiY_;
};
