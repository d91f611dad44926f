// Zoom arithmetic of the processing object: snapping to the division grid of
// the last drawing and re-fitting the time and value axes to a selection.

#include <algorithm>
#include <cmath>

#include "chart/drawmath.h"
#include "data/RangeTable.h"
#include "data/vqrfileo.h"

using vqrdraw::RoundI;

namespace {
// Division indexes beyond this lie far outside any window; clamping them
// keeps the re-fitted axes finite.
constexpr int32_t kMaxZoomIndex = 100000;

// Division index of a pixel position along one axis; pos is snapped to it.
int32_t Snap(int32_t& pos, int32_t origin, float divWidth) {
  if (!std::isfinite(divWidth) || divWidth == 0.0f) {
    pos = origin;
    return 0;
  }
  const int32_t index = RoundI((static_cast<double>(pos) - origin) / divWidth);
  pos = RoundI(static_cast<double>(index) * divWidth + origin);
  return index;
}

bool Usable(const AxisRange& a) {
  return a.Divisions >= 1 && std::isfinite(a.Span) && a.Span > 0.0f && std::isfinite(a.Start);
}
}  // namespace

TPoint TVqrDataObjectNew::SnapToGrid(TPoint& pt) const {
  TPoint index;
  index.x = Snap(pt.x, PlotRect.left, DivWidthX);
  index.y = Snap(pt.y, PlotRect.top, DivWidthY);
  return index;
}

void TVqrDataObjectNew::SetZoom(const TZoomSel& sel) {
  SavedX = TimeAxis;
  SavedY = ValueAxis;
  auto clampIndex = [](int32_t i) { return std::clamp(i, -kMaxZoomIndex, kMaxZoomIndex); };
  float a = AxisValue(0, clampIndex(sel.xFrom));
  float b = AxisValue(0, clampIndex(sel.xTo));
  float c = AxisValue(1, clampIndex(sel.yFrom));
  float d = AxisValue(1, clampIndex(sel.yTo));
  if (a > b) std::swap(a, b);
  if (c > d) std::swap(c, d);
  AxisRange x = TimeAxis;
  AxisRange y = ValueAxis;
  SetupZoomTimeAxis(x, a, b);
  SetupZoomValueAxis(y, c, d);
  // A selection that yields no usable axis (empty or unreadable) leaves the
  // scales as they are; ResetZoom then has nothing to undo.
  if (!Usable(x) || !Usable(y)) return;
  TimeAxis = x;
  ValueAxis = y;
  ZoomedX = x;
  ZoomedY = y;
  ZoomAvailable = true;
}

void TVqrDataObjectNew::ResetZoom() {
  TimeAxis = SavedX;
  ValueAxis = SavedY;
}

bool TVqrDataObjectNew::RestoreZoom() {
  if (!ZoomAvailable || ZoomedX.Divisions < 1 || ZoomedY.Divisions < 1) return false;
  TimeAxis = ZoomedX;
  ValueAxis = ZoomedY;
  return true;
}
