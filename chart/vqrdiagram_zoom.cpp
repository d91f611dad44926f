// Zoom of the diagram: the selection rule of the channel window and the
// re-fitting of the time and value axes to a selection of whole divisions.

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "data/RangeTable.h"

namespace {
// Division indexes beyond this lie far outside any window; clamping them
// keeps the re-fitted axes finite.
constexpr int32_t kMaxZoomIndex = 100000;

bool Usable(const AxisRange& a) {
  return a.Divisions >= 1 && std::isfinite(a.Span) && a.Span > 0.0f && std::isfinite(a.Start);
}
}  // namespace

bool TVQRDiagram::ZoomSelection(TPoint from, TPoint to, TZoomSel& sel) {
  // Division numbers count from the axis start; on the mirrored screen the
  // clicks above it give negative y indexes, so only the distance counts.
  auto distance = [](int32_t i) {
    return static_cast<int32_t>(std::min<int64_t>(std::abs(int64_t{i}), INT32_MAX));
  };
  const int32_t x1 = distance(from.x), x2 = distance(to.x);
  const int32_t y1 = distance(from.y), y2 = distance(to.y);
  const TZoomSel s{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  if (s.xTo - s.xFrom < 1 || s.yTo - s.yFrom < 1) return false;
  sel = s;
  return true;
}

bool TVQRDiagram::ZoomAvailable() const { return zoomAvailable_; }

void TVQRDiagram::SetZoom(const TZoomSel& sel) {
  savedX_ = axes_.Time();
  savedY_ = axes_.Value();
  auto clampIndex = [](int32_t i) { return std::clamp(i, -kMaxZoomIndex, kMaxZoomIndex); };
  float a = AxisValue(0, clampIndex(sel.xFrom));
  float b = AxisValue(0, clampIndex(sel.xTo));
  float c = AxisValue(1, clampIndex(sel.yFrom));
  float d = AxisValue(1, clampIndex(sel.yTo));
  if (a > b) std::swap(a, b);
  if (c > d) std::swap(c, d);
  AxisRange x = axes_.Time();
  AxisRange y = axes_.Value();
  SetupZoomTimeAxis(x, a, b);
  SetupZoomValueAxis(y, c, d);
  // A selection that yields no usable axis (empty or unreadable) leaves the
  // scales as they are; ResetZoom then has nothing to undo.
  if (!Usable(x) || !Usable(y)) return;
  axes_.Zoom(x, y);
  zoomedX_ = x;
  zoomedY_ = y;
  zoomAvailable_ = true;
}

void TVQRDiagram::ResetZoom() { axes_.Zoom(savedX_, savedY_); }

bool TVQRDiagram::RestoreZoom() {
  if (!ZoomAvailable() || zoomedX_.Divisions < 1 || zoomedY_.Divisions < 1) return false;
  axes_.Zoom(zoomedX_, zoomedY_);
  return true;
}

bool TVQRDiagram::ZoomTo(const AxisRange& time, const AxisRange& value) {
  if (!Usable(time) || !Usable(value)) return false;
  savedX_ = axes_.Time();
  savedY_ = axes_.Value();
  axes_.Zoom(time, value);
  zoomedX_ = time;
  zoomedY_ = value;
  zoomAvailable_ = true;
  return true;
}
