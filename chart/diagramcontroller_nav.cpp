// The free zoom of a diagram window: the wheel, panning in whole divisions
// and the history of the axes shown, whose first step is the full scale.

#include <algorithm>
#include <cmath>

#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"
#include "data/RangeTable.h"

namespace {
constexpr double kWheelFactor = 0.8;  // one notch in shows this part of the range

/// Units of the labels per stored unit, and the smallest step of an axis.
double LabelFactor(const AxisRange& a, TWheelAxis axis) {
  if (axis != TWheelAxis::Time) return 1.0;
  return a.TimeInDays ? 1.0 / 86400.0 : 1.0 / 3600.0;
}
double MinStep(TWheelAxis axis) {
  switch (axis) {
    case TWheelAxis::Time:
      return 0.01;
    case TWheelAxis::Value:
      return 0.001;
    case TWheelAxis::Temp:
      return 1.0;  // temperatures are labelled in whole degrees
  }
  return 1.0;
}

/// The axis the wheel or a pan moves, as a member of the three.
AxisRange TAxisSet::*Member(TWheelAxis axis) {
  return axis == TWheelAxis::Time    ? &TAxisSet::Time
         : axis == TWheelAxis::Value ? &TAxisSet::Value
                                     : &TAxisSet::Temp;
}
}  // namespace

bool TDiagramController::AtFullScale() const {
  return history_.empty() || history_[historyPos_] == history_[0];
}
bool TDiagramController::CanGoBack() const { return historyPos_ > 0 || zoomed_; }
bool TDiagramController::CanGoForward() const { return historyPos_ + 1 < history_.size(); }

void TDiagramController::BeginHistory() {
  const TVQRDiagram* d = diagram_();
  if (!history_.empty() || !d) return;
  const TAxisSet now = d->Data().Axes().All();
  TAxisSet full = now;
  if (zoomed_) {
    // The two-click zoom in force is the first step after the full scale.
    full.Time = d->SavedX();
    full.Value = d->SavedY();
  }
  history_.push_back(full);
  historyPos_ = 0;
  if (now != full) {
    history_.push_back(now);
    historyPos_ = 1;
  }
}

TDiagramActions TDiagramController::ShowAxes(const TAxisSet& axes) {
  TVQRDiagram* d = diagram_();
  if (!d) return {};
  d->Data().Axes().ZoomAll(axes);
  // The two-click zoom may be chosen again on whatever is shown.
  zoomed_ = false;
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::PushStep(const TAxisSet& axes) {
  const TVQRDiagram* d = diagram_();
  if (!d) return {};
  BeginHistory();
  if (axes == history_[historyPos_]) {
    // Nothing moved (an end reached); the axes may still be the two-click zoom's.
    if (d->Data().Axes().All() == axes) return {};
    return ShowAxes(axes);
  }
  history_.resize(historyPos_ + 1);
  history_.push_back(axes);
  historyPos_ = history_.size() - 1;
  if (d->Data().Axes().All() == axes) return {};  // shown already (a two-click zoom)
  return ShowAxes(axes);
}

TDiagramActions TDiagramController::GoTo(std::size_t pos) {
  if (pos >= history_.size()) return {};
  historyPos_ = pos;
  return ShowAxes(history_[pos]);
}

TDiagramActions TDiagramController::Back() {
  SyncZoom();
  if (defining_) EndDefinition();
  if (historyPos_ > 0) return GoTo(historyPos_ - 1);
  if (zoomed_ && history_.empty()) return Unzoom();
  TDiagramActions a;
  a.Beep = true;
  return a;
}

TDiagramActions TDiagramController::Forward() {
  SyncZoom();
  if (defining_) EndDefinition();
  if (CanGoForward()) return GoTo(historyPos_ + 1);
  TDiagramActions a;
  a.Beep = true;
  return a;
}

TAxisSet TDiagramController::Panned(const TAxisSet& from, TWheelAxis axis, int divisions) const {
  TAxisSet to = from;
  if (divisions == 0) return to;
  const AxisRange& full = (history_.empty() ? from : history_[0]).*Member(axis);
  AxisRange& r = to.*Member(axis);
  if (r.Divisions < 1) return to;
  const double step = static_cast<double>(r.Span) / r.Divisions;
  const double lo = AxisLow(r), hi = AxisHigh(r);
  // Never past the ends of the full scale, and never back from beyond them.
  const double fullLo = std::min(AxisLow(full), lo), fullHi = std::max(AxisHigh(full), hi);
  double shift = divisions * step;
  if (shift > 0.0)
    shift = std::min(shift, std::floor((fullHi - hi) / step + 1e-6) * step);
  else
    shift = std::max(shift, -std::floor((lo - fullLo) / step + 1e-6) * step);
  if (shift == 0.0) return to;
  r.Start = static_cast<float>(-(lo + shift));
  AxisLabelFormat(r, static_cast<float>(LabelFactor(r, axis)));
  return to;
}

TDiagramActions TDiagramController::Wheel(TPoint p, int steps, TWheelAxis axis) {
  const TVQRDiagram* d = diagram_();
  if (!d || steps == 0) return {};
  if (defining_) EndDefinition();
  SyncZoom();
  BeginHistory();
  const TAxisSet& now = d->Data().Axes().All();
  const AxisRange& r = now.*Member(axis);
  const AxisRange& full = history_[0].*Member(axis);
  if (r.Divisions < 1) return {};
  // The point under the mouse stays where it is.
  const double lo = AxisLow(r), hi = AxisHigh(r);
  double part = 0.5;
  const TDiagramGrid& g = d->ScreenGrid();
  if (axis == TWheelAxis::Time && g.DivWidthX > 0.0f)
    part = (p.x - g.PlotRect.left) / (static_cast<double>(g.DivWidthX) * now.Time.Divisions);
  else if (axis != TWheelAxis::Time && g.DivWidthY > 0.0f)
    part = (g.PlotRect.top - p.y) / (static_cast<double>(g.DivWidthY) * now.Value.Divisions);
  part = std::clamp(part, 0.0, 1.0);
  const double at = lo + part * (hi - lo);
  const double k = std::pow(kWheelFactor, steps);
  double newLo = at - (at - lo) * k, newHi = at + (hi - at) * k;
  const double fullLo = AxisLow(full), fullHi = AxisHigh(full);
  TAxisSet next = now;
  if (newHi - newLo >= fullHi - fullLo) {
    next.*Member(axis) = full;
  } else {
    // Within the full scale: a range reaching past an end moves back.
    if (newLo < fullLo) newHi += fullLo - newLo, newLo = fullLo;
    if (newHi > fullHi) newLo -= newHi - fullHi, newHi = fullHi;
    AxisRange z = r;
    SetupFreeAxis(z, newLo, newHi, LabelFactor(r, axis), MinStep(axis));
    // Zooming in on the smallest step, or out by less than one, leaves the range.
    const double width = AxisHigh(z) - AxisLow(z);
    if (steps > 0 ? width >= hi - lo : width <= hi - lo) return {};
    next.*Member(axis) = z;
  }
  return PushStep(next);
}

void TDiagramController::PanPress(TPoint p) {
  const TVQRDiagram* d = diagram_();
  if (!d) return;
  if (defining_) EndDefinition();
  SyncZoom();
  panning_ = true;
  panFrom_ = p;
  panBase_ = d->Data().Axes().All();
}

TDiagramActions TDiagramController::PanMove(TPoint p) {
  const TVQRDiagram* d = diagram_();
  if (!panning_ || !d) return MoveCursor(p);
  const TDiagramGrid& g = d->ScreenGrid();
  // The picture follows the mouse: dragged right, earlier times come in.
  const int dx =
      g.DivWidthX > 0.0f ? static_cast<int>(std::lround((panFrom_.x - p.x) / g.DivWidthX)) : 0;
  const int dy =
      g.DivWidthY > 0.0f ? static_cast<int>(std::lround((p.y - panFrom_.y) / g.DivWidthY)) : 0;
  BeginHistory();
  const TAxisSet next = Panned(Panned(panBase_, TWheelAxis::Time, dx), TWheelAxis::Value, dy);
  if (next == d->Data().Axes().All()) return {};
  // Shown while dragging; the step is taken when the button is let go.
  TVQRDiagram* w = diagram_();
  w->Data().Axes().ZoomAll(next);
  zoomed_ = false;
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::PanRelease(TPoint p) {
  TDiagramActions a = PanMove(p);
  panning_ = false;
  const TVQRDiagram* d = diagram_();
  if (!d) return a;
  const TAxisSet shown = d->Data().Axes().All();
  if (history_.empty() || shown == history_[historyPos_]) return a;
  history_.resize(historyPos_ + 1);
  history_.push_back(shown);
  historyPos_ = history_.size() - 1;
  return a;
}
