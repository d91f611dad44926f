#include "chart/devicecontext.h"

#include <algorithm>

#include "chart/drawmath.h"

using vqrdraw::RoundI;

TRect DcTextBox(int32_t x, int32_t y, const DcTextExtent& e, DcHAlign h, DcVAlign v) {
  int64_t left = x;
  if (h == DcHAlign::Center) left -= e.Width / 2;
  if (h == DcHAlign::Right) left -= e.Width;
  int64_t baseline = y;
  if (v == DcVAlign::Top) baseline += e.Ascent;
  if (v == DcVAlign::Bottom) baseline -= e.Descent;
  return {vqrdraw::ClampI(left), vqrdraw::ClampI(baseline - e.Ascent),
          vqrdraw::ClampI(left + e.Width), vqrdraw::ClampI(baseline + e.Descent)};
}

bool DcBoxesTouch(const TRect& a, const TRect& b, int32_t gap) {
  const int64_t g = std::max(0, gap);
  return int64_t{a.left} < int64_t{b.right} + g && int64_t{b.left} < int64_t{a.right} + g &&
         int64_t{a.top} < int64_t{b.bottom} + g && int64_t{b.top} < int64_t{a.bottom} + g;
}

DcTextExtent IDeviceContext::MeasureText(const DcFont& font, std::string_view text) const {
  int32_t characters = 0;
  for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  const double h = std::max(1, font.Height);
  return {RoundI(characters * h * 0.56), RoundI(h * 0.91), RoundI(h * 0.22)};
}
