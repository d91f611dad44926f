#include "chart/vqrplotter.h"

#include <algorithm>
#include <array>

#include "chart/drawmath.h"

using vqrdraw::RoundI;

namespace {

// A classic light desktop scheme for the system colour indexes 0..30,
// 0x00BBGGRR.
constexpr std::array<uint32_t, 31> kSystemColors = {
    0xC8C8C8,  // scroll bar
    0x000000,  // desktop
    0xD1B499,  // active caption
    0xDBCDBF,  // inactive caption
    0xF0F0F0,  // menu
    0xFFFFFF,  // window
    0x646464,  // window frame
    0x000000,  // menu text
    0x000000,  // window text
    0x000000,  // caption text
    0xB4B4B4,  // active border
    0xFCF7F4,  // inactive border
    0xABABAB,  // application workspace
    0xFF9933,  // highlight
    0xFFFFFF,  // highlight text
    0xF0F0F0,  // button face
    0xA0A0A0,  // button shadow
    0x6D6D6D,  // grey text
    0x000000,  // button text
    0x000000,  // inactive caption text
    0xFFFFFF,  // button highlight
    0x696969,  // 3-D dark shadow
    0xE3E3E3,  // 3-D light
    0x000000,  // info text
    0xE1FFFF,  // info background
    0x000000,  // unused
    0xCC6600,  // hot light
    0xEAD1B9,  // gradient active caption
    0xF2E4D7,  // gradient inactive caption
    0xFF9933,  // menu highlight
    0xF0F0F0,  // menu bar
};

// The visible part [t0, t1] of the segment a + t (b - a), 0 <= t <= 1,
// inside the closed rectangle [l, r] x [t, b] (Liang-Barsky); false when
// nothing of it is inside.
bool ClipSegment(const TPoint& a, const TPoint& b, const TRect& box, double& t0, double& t1) {
  const double dx = static_cast<double>(b.x) - a.x;
  const double dy = static_cast<double>(b.y) - a.y;
  // Each edge as p t <= q.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {static_cast<double>(a.x) - box.left, static_cast<double>(box.right) - a.x,
                       static_cast<double>(a.y) - box.top, static_cast<double>(box.bottom) - a.y};
  t0 = 0.0;
  t1 = 1.0;
  for (int k = 0; k < 4; ++k) {
    if (p[k] == 0.0) {
      if (q[k] < 0.0) return false;  // parallel to the edge and outside it
      continue;
    }
    const double t = q[k] / p[k];
    if (p[k] < 0.0)
      t0 = std::max(t0, t);
    else
      t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

// The point at t of the segment, rounded and kept inside the box.
TPoint PointAt(const TPoint& a, const TPoint& b, double t, const TRect& box) {
  const double x = a.x + t * (static_cast<double>(b.x) - a.x);
  const double y = a.y + t * (static_cast<double>(b.y) - a.y);
  return {std::clamp(RoundI(x), box.left, box.right), std::clamp(RoundI(y), box.top, box.bottom)};
}

}  // namespace

uint32_t ResolveColor(int32_t color) {
  if (color < 0) {
    const uint32_t index = static_cast<uint32_t>(color) & 0xFF;
    return index < kSystemColors.size() ? kSystemColors[index] : kDcBlack;
  }
  return static_cast<uint32_t>(color) & 0x00FFFFFF;
}

DcDash PenDash(uint8_t style) {
  switch (style) {
    case 1:
      return DcDash::Dash;
    case 2:
      return DcDash::Dot;
    case 3:
      return DcDash::DashDot;
    case 4:
      return DcDash::DashDotDot;
    default:
      return DcDash::Solid;
  }
}

void TVQRPlotter::SetDC(IDeviceContext* dc) {
  DC = dc;
  if (!DC) return;
  Mirror = 0;
  CurrentPen = DcPen{};
  CurrentFont = DcFont{};
  DC->SetPen(CurrentPen);
  DC->SetFont(CurrentFont);
  DC->SetTextColor(kDcBlack);
}

void TVQRPlotter::SetScale(int32_t offsetX, int32_t offsetY, float scale) {
  OffsetX = offsetX;
  OffsetY = offsetY;
  Scale = scale;
}

int32_t TVQRPlotter::MapX(int32_t x) const {
  return vqrdraw::AddI(RoundI(static_cast<double>(x) * Scale), OffsetX);
}

int32_t TVQRPlotter::MapY(int32_t y) const {
  int64_t yy = y;
  if (Mirror != 0) yy = 2 * static_cast<int64_t>(Mirror) - y;
  return vqrdraw::AddI(RoundI(static_cast<double>(yy) * Scale), OffsetY);
}

void TVQRPlotter::SetPen(const TPenRec& pen) {
  if (!DC) return;
  DcPen p;
  p.Width = std::max(1, RoundI(static_cast<double>(pen.Width) * Scale));
  p.Color = ResolveColor(pen.Color);
  p.Dash = PenDash(pen.Style);
  CurrentPen = p;
  DC->SetPen(p);
}

void TVQRPlotter::SetFont(const TFontRec& font) {
  if (!DC) return;
  FontHeight = RoundI(static_cast<double>(font.Size) * 3.4722);
  DcFont f;
  f.Face = font.Name;
  f.Height = std::max(1, RoundI(static_cast<double>(FontHeight) * Scale));
  f.Weight = (font.Style == 1 || font.Style == 3) ? 700 : 400;
  f.Italic = font.Style == 2 || font.Style == 3;
  CurrentFont = f;
  DC->SetFont(f);
  DC->SetTextColor(ResolveColor(font.Color));
}

void TVQRPlotter::Line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (!DC) return;
  if (DC->MoveTo(MapX(x1), MapY(y1))) DC->LineTo(MapX(x2), MapY(y2));
}

void TVQRPlotter::Map(TPoint* points, int count) const {
  for (int i = 0; i < count; ++i) {
    points[i].x = MapX(points[i].x);
    points[i].y = MapY(points[i].y);
  }
}

void TVQRPlotter::Polyline(TPoint* points, int count) {
  if (!DC || !points || count <= 0) return;
  Map(points, count);
  DC->Polyline(points, count);
}

void TVQRPlotter::Polyline(TPoint* points, int count, const TRect& clip) {
  if (!DC || !points || count <= 0) return;
  Map(points, count);
  const TRect box{std::min(clip.left, clip.right), std::min(clip.top, clip.bottom),
                  std::max(clip.left, clip.right), std::max(clip.top, clip.bottom)};
  auto inside = [&box](const TPoint& p) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
  };
  if (count == 1) {
    if (inside(points[0])) DC->Polyline(points, 1);
    return;
  }
  piece_.clear();
  auto flush = [this] {
    if (piece_.size() >= 2) DC->Polyline(piece_.data(), static_cast<int>(piece_.size()));
    piece_.clear();
  };
  for (int i = 1; i < count; ++i) {
    const TPoint& a = points[i - 1];
    const TPoint& b = points[i];
    double t0 = 0.0, t1 = 1.0;
    // A segment that only touches the rectangle from outside draws nothing.
    const bool moves = a.x != b.x || a.y != b.y;
    if (!(inside(a) && inside(b)) && (!ClipSegment(a, b, box, t0, t1) || (moves && t0 >= t1))) {
      flush();
      continue;
    }
    if (t0 > 0.0 || piece_.empty()) {
      flush();
      piece_.push_back(t0 > 0.0 ? PointAt(a, b, t0, box) : a);
    }
    piece_.push_back(t1 < 1.0 ? PointAt(a, b, t1, box) : b);
    if (t1 < 1.0) flush();
  }
  flush();
}

DcFont TVQRPlotter::UnscaledFont() const {
  DcFont f = CurrentFont;
  f.Height = std::max(1, FontHeight);
  return f;
}

int32_t TVQRPlotter::InputY(int32_t y) const {
  if (Mirror == 0) return y;
  return vqrdraw::ClampI(2 * static_cast<int64_t>(Mirror) - y);
}

namespace {
// The plotter's alignment codes as the device's.
DcHAlign HAlignOf(int horizontal) {
  if (horizontal == paCenter) return DcHAlign::Center;
  return horizontal == paRight ? DcHAlign::Right : DcHAlign::Left;
}

DcVAlign VAlignOf(int vertical) {
  if (vertical == paMiddle) return DcVAlign::Baseline;
  return vertical == paBottom ? DcVAlign::Bottom : DcVAlign::Top;
}
}  // namespace

TRect TVQRPlotter::TextBox(const std::string& s, int32_t x, int32_t y, int horizontal,
                           int vertical) const {
  if (!DC) return {x, y, x, y};
  if (vertical == paMiddle) y = RoundI(static_cast<double>(y) - FontHeight / 2.0);
  return DcTextBox(x, InputY(y), DC->MeasureText(UnscaledFont(), s), HAlignOf(horizontal),
                   VAlignOf(vertical));
}

void TVQRPlotter::Text(const std::string& s, int32_t x, int32_t y, int horizontal, int vertical) {
  if (!DC) return;
  if (vertical == paMiddle) y = RoundI(static_cast<double>(y) - FontHeight / 2.0);
  DC->Text(MapX(x), MapY(y), s, HAlignOf(horizontal), VAlignOf(vertical));
}
