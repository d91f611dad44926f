// Zoom arithmetic of the processing object: re-fitting the time and value
// axes to a selection of whole divisions.

#include <algorithm>
#include <cmath>

#include "chart/drawmath.h"
#include "data/RangeTable.h"
#include "data/vqrfileo.h"

namespace {
// Division indexes beyond this lie far outside any window; clamping them
// keeps the re-fitted axes finite.
constexpr int32_t kMaxZoomIndex = 100000;

bool Usable(const AxisRange& a) {
  return a.Divisions >= 1 && std::isfinite(a.Span) && a.Span > 0.0f && std::isfinite(a.Start);
}
}  // namespace

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
