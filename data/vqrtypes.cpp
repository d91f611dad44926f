#include "data/vqrtypes.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
int32_t Magnitude(int32_t v) {
  const int64_t m = std::llabs(static_cast<int64_t>(v));
  return static_cast<int32_t>(std::min<int64_t>(m, std::numeric_limits<int32_t>::max()));
}
}  // namespace

TZoomSel ZoomSelBetween(const TPoint& a, const TPoint& b) {
  const int32_t x1 = Magnitude(a.x), x2 = Magnitude(b.x);
  const int32_t y1 = Magnitude(a.y), y2 = Magnitude(b.y);
  return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
}

TDiagramLayout MakeDefaultLayout() {
  TDiagramLayout l;
  auto axis = [](int32_t sx, int32_t sy, int32_t len, int32_t labelOff, const char* unit1,
                 const char* unit2) {
    TAxisLayout a;
    a.StartX = sx;
    a.StartY = sy;
    a.Length = len;
    a.TicLength = 50;
    a.LabelOffset = labelOff;
    a.UnitOffset = 100;
    a.UnitText1 = unit1;
    a.UnitText2 = unit2;
    return a;
  };
  l.XAxis = axis(200, 200, 2250, -50, "Std", "Tage");
  l.YAxis = axis(200, 200, 1500, -50, "McF", "");
  l.TAxis = axis(2500, 200, 1500, 50, "Celsius", "");
  return l;
}
