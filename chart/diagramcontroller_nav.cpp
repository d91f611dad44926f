// The free zoom of a diagram window: the wheel, panning, typed ranges and
// the history of the axes shown, whose first step is the full scale.

#include <algorithm>
#include <cmath>

#include "chart/curvestats.h"
#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"
#include "data/freerange.h"

namespace {
constexpr double kWheelFactor = 0.8;  // one notch in shows this part of the range

/// The axis the wheel or a pan moves, as a member of the three.
AxisRange TAxisSet::*Member(TWheelAxis axis) {
  return axis == TWheelAxis::Time    ? &TAxisSet::Time
         : axis == TWheelAxis::Value ? &TAxisSet::Value
                                     : &TAxisSet::Temp;
}

double LabelFactor(const AxisRange& a, TWheelAxis axis) {
  return axis == TWheelAxis::Time ? TimeLabelFactor(a) : 1.0;
}

/// The smallest tick step in label units: temperatures are labelled in
/// whole degrees, values with at most six decimals.
double MinStep(TWheelAxis axis) {
  switch (axis) {
    case TWheelAxis::Time:
      return 1e-5;
    case TWheelAxis::Value:
      return 1e-6;
    case TWheelAxis::Temp:
      return 1.0;
  }
  return 1.0;
}

/// The narrowest range the wheel zooms to, in stored units.
double MinRange(TWheelAxis axis, const AxisRange& full) {
  switch (axis) {
    case TWheelAxis::Time:
      return 60.0;
    case TWheelAxis::Value:
      return std::max(1e-5, 1e-5 * (AxisHigh(full) - AxisLow(full)));
    case TWheelAxis::Temp:
      return 2.0;
  }
  return 1.0;
}

/// The axis from lo to hi: the full scale itself when those are its ends.
bool SetRange(AxisRange& axis, const AxisRange& full, double lo, double hi, TWheelAxis which) {
  if (lo > hi) std::swap(lo, hi);
  if (static_cast<float>(-lo) == full.Start && static_cast<float>(hi - lo) == full.Span) {
    axis = full;
    return true;
  }
  return SetFreeRange(axis, lo, hi, LabelFactor(axis, which), MinStep(which));
}

constexpr TWheelAxis kAxes[] = {TWheelAxis::Time, TWheelAxis::Value, TWheelAxis::Temp};
}  // namespace

bool SavedAxesOver(const TAxisSet& full, const TAxisSet& saved, TAxisSet& out) {
  TAxisSet next = full;
  for (const TWheelAxis axis : kAxes) {
    const AxisRange& s = saved.*Member(axis);
    AxisRange& r = next.*Member(axis);
    if (IsFreeRange(s)) {
      // In the units the axis is labelled in now.
      if (!std::isfinite(s.Start) || !std::isfinite(s.Span) ||
          !SetRange(r, full.*Member(axis), AxisLow(s), AxisHigh(s), axis))
        return false;
    } else if (s.Divisions >= 1 && std::isfinite(s.Span) && s.Span > 0.0f &&
               std::isfinite(s.Start)) {
      r = s;
    } else {
      return false;
    }
  }
  out = next;
  return true;
}

bool TDiagramController::AtFullScale() const {
  return history_.empty() || history_[historyPos_].Axes == history_[0].Axes;
}
bool TDiagramController::CanGoBack() const { return historyPos_ > 0 || zoomed_; }
bool TDiagramController::CanGoForward() const { return historyPos_ + 1 < history_.size(); }

std::pair<double, double> TDiagramController::TimeRange() const {
  const TVQRDiagram* d = diagram_();
  if (!d) return {0.0, 0.0};
  return {AxisLow(d->Axes().Time()), AxisHigh(d->Axes().Time())};
}

TAxisSet TDiagramController::FullScale() const {
  if (!history_.empty()) return history_[0].Axes;
  const TVQRDiagram* d = diagram_();
  if (!d) return {};
  TAxisSet full = d->Axes().All();
  if (zoomed_) {
    full.Time = d->SavedX();
    full.Value = d->SavedY();
  }
  return full;
}

TDiagramActions TDiagramController::TellTime(const std::pair<double, double>& before,
                                             TDiagramActions a) {
  const auto now = TimeRange();
  if (now != before && timeListener_) timeListener_(now.first, now.second);
  return a;
}

void TDiagramController::BeginHistory() {
  const TVQRDiagram* d = diagram_();
  if (!history_.empty() || !d) return;
  const TAxisSet now = d->Axes().All();
  const TAxisSet full = FullScale();
  history_.push_back({full, false});
  historyPos_ = 0;
  if (now != full) {
    // The two-click zoom in force is the first step after the full scale.
    history_.push_back({now, zoomed_});
    historyPos_ = 1;
  }
}

TDiagramActions TDiagramController::ShowStep(const TStep& step) {
  TVQRDiagram* d = diagram_();
  if (!d) return {};
  d->Axes().ZoomAll(step.Axes);
  zoomed_ = step.TwoClick;
  defining_ = false;
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::PushStep(const TAxisSet& axes, bool twoClick) {
  const TVQRDiagram* d = diagram_();
  if (!d) return {};
  BeginHistory();
  const bool shown = d->Axes().All() == axes;
  if (axes != history_[historyPos_].Axes) {
    history_.resize(historyPos_ + 1);
    history_.push_back({axes, twoClick});
    historyPos_ = history_.size() - 1;
  }
  if (shown) return {};  // nothing moved, or the two-click zoom drew it already
  return ShowStep(history_[historyPos_]);
}

TDiagramActions TDiagramController::GoTo(std::size_t pos) {
  if (pos >= history_.size()) return {};
  historyPos_ = pos;
  return ShowStep(history_[pos]);
}

TDiagramActions TDiagramController::Back() {
  const auto before = TimeRange();
  SyncZoom();
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  if (historyPos_ > 0) return TellTime(before, a |= GoTo(historyPos_ - 1));
  if (zoomed_ && history_.empty()) return TellTime(before, a |= Unzoom());
  a.Beep = true;
  return a;
}

TDiagramActions TDiagramController::Forward() {
  const auto before = TimeRange();
  SyncZoom();
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  if (CanGoForward()) return TellTime(before, a |= GoTo(historyPos_ + 1));
  a.Beep = true;
  return a;
}

TAxisSet TDiagramController::Panned(const TAxisSet& from, TWheelAxis axis, double delta) const {
  TAxisSet to = from;
  const AxisRange full = FullScale().*Member(axis);
  AxisRange& r = to.*Member(axis);
  const double lo = AxisLow(r), hi = AxisHigh(r);
  // Never past the ends of the full scale, and never back from beyond them.
  const double fullLo = std::min(AxisLow(full), lo), fullHi = std::max(AxisHigh(full), hi);
  delta = std::clamp(delta, fullLo - lo, fullHi - hi);
  if (delta == 0.0 || !std::isfinite(delta)) return to;
  SetRange(r, full, lo + delta, hi + delta, axis);
  return to;
}

TDiagramActions TDiagramController::Wheel(TPoint p, int steps, TWheelAxis axis) {
  const TVQRDiagram* d = diagram_();
  if (!d || steps == 0) return {};
  const auto before = TimeRange();
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  SyncZoom();
  const TAxisSet now = d->Axes().All();
  const AxisRange& r = now.*Member(axis);
  const AxisRange full = FullScale().*Member(axis);
  const double lo = AxisLow(r), hi = AxisHigh(r);
  if (!(hi > lo)) return a;
  // The point under the mouse stays where it is.
  const TRect& plot = d->ScreenGrid().PlotRect;
  double part = 0.5;
  if (axis == TWheelAxis::Time && plot.right != plot.left)
    part = static_cast<double>(p.x - plot.left) / (plot.right - plot.left);
  else if (axis != TWheelAxis::Time && plot.top != plot.bottom)
    part = static_cast<double>(p.y - plot.top) / (plot.bottom - plot.top);
  part = std::clamp(part, 0.0, 1.0);
  const double at = lo + part * (hi - lo);
  const double k = std::pow(kWheelFactor, steps);
  double newLo = at - (at - lo) * k, newHi = at + (hi - at) * k;
  const double fullLo = std::min(AxisLow(full), lo), fullHi = std::max(AxisHigh(full), hi);
  TAxisSet next = now;
  if (newHi - newLo >= AxisHigh(full) - AxisLow(full) && steps < 0 && AxisLow(full) <= lo &&
      hi <= AxisHigh(full)) {
    next.*Member(axis) = full;
  } else {
    const double narrowest = MinRange(axis, full);
    if (newHi - newLo < narrowest) {
      if (hi - lo <= narrowest * (1.0 + 1e-9)) return a;  // as far in as it goes
      newLo = at - (at - lo) / (hi - lo) * narrowest;
      newHi = newLo + narrowest;
    }
    // Within the full scale: a range reaching past an end moves back.
    if (newLo < fullLo) newHi += fullLo - newLo, newLo = fullLo;
    if (newHi > fullHi) newLo -= newHi - fullHi, newHi = fullHi;
    newLo = std::max(newLo, fullLo);
    if (!SetRange(next.*Member(axis), full, newLo, newHi, axis)) return a;
  }
  return TellTime(before, a |= PushStep(next));
}

void TDiagramController::PanPress(TPoint p) {
  const TVQRDiagram* d = diagram_();
  if (!d) return;
  if (defining_) EndDefinition();
  SyncZoom();
  panning_ = true;
  panFrom_ = p;
  panBase_ = d->Axes().All();
  panTime_ = TimeRange();  // the range last told
}

TDiagramActions TDiagramController::PanMove(TPoint p) {
  TVQRDiagram* d = diagram_();
  if (!panning_ || !d) return MoveCursor(p);
  const TRect& plot = d->ScreenGrid().PlotRect;
  const double width = plot.right - plot.left, height = plot.bottom - plot.top;
  // The picture follows the mouse: dragged right, earlier times come in;
  // dragged down (on the mirrored screen height < 0), higher values.
  TAxisSet next = panBase_;
  if (width != 0.0) {
    const double part = (panFrom_.x - p.x) / width;
    next =
        Panned(next, TWheelAxis::Time, part * (AxisHigh(panBase_.Time) - AxisLow(panBase_.Time)));
  }
  if (height != 0.0) {
    const double part = (panFrom_.y - p.y) / height;
    for (const TWheelAxis axis : {TWheelAxis::Value, TWheelAxis::Temp}) {
      const AxisRange& r = panBase_.*Member(axis);
      next = Panned(next, axis, part * (AxisHigh(r) - AxisLow(r)));
    }
  }
  if (next == d->Axes().All()) return {};
  // Shown while dragging; the step is taken when the button is let go.
  BeginHistory();
  d->Axes().ZoomAll(next);
  zoomed_ = false;
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  const auto before = panTime_;
  panTime_ = TimeRange();
  return TellTime(before, a);
}

TDiagramActions TDiagramController::PanRelease(TPoint p) {
  TDiagramActions a = PanMove(p);
  panning_ = false;
  const TVQRDiagram* d = diagram_();
  if (!d || history_.empty()) return a;
  const TAxisSet shown = d->Axes().All();
  if (shown == history_[historyPos_].Axes) return a;
  history_.resize(historyPos_ + 1);
  history_.push_back({shown, false});
  historyPos_ = history_.size() - 1;
  return a;
}

TDiagramActions TDiagramController::ShowRanges(const TTypedRanges& ranges) {
  const TVQRDiagram* d = diagram_();
  if (!d) return {};
  const auto before = TimeRange();
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  SyncZoom();
  const TAxisSet full = FullScale();
  TAxisSet next = d->Axes().All();
  const std::optional<std::pair<double, double>>* typed[] = {&ranges.Time, &ranges.Value,
                                                             &ranges.Temp};
  for (int i = 0; i < 3; ++i) {
    const TWheelAxis axis = kAxes[i];
    AxisRange& r = next.*Member(axis);
    const AxisRange& f = full.*Member(axis);
    if (!typed[i]->has_value()) {
      r = f;
    } else if (!SetRange(r, f, (*typed[i])->first, (*typed[i])->second, axis)) {
      a.Beep = true;
      return a;
    }
  }
  return TellTime(before, a |= PushStep(next));
}

TDiagramActions TDiagramController::ShowTimeRange(double fromSeconds, double toSeconds) {
  const TVQRDiagram* d = diagram_();
  if (!d) return {};
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  SyncZoom();
  TAxisSet next = d->Axes().All();
  if (!SetRange(next.Time, FullScale().Time, fromSeconds, toSeconds, TWheelAxis::Time)) return a;
  return a |= PushStep(next);
}

TDiagramActions TDiagramController::SetMarkAtTime(bool b, double seconds) {
  const TVQRDiagram* d = diagram_();
  TDiagramActions a;
  const int sample = d ? NearestSample(d->Data(), seconds) : 0;
  if (sample <= 0 || (b && !marks_.MarkA)) {
    a.Beep = true;
    return a;
  }
  a.Overlay = true;
  if (b) {
    marks_.MarkB = sample;
    a.ShowMeasurements = true;
  } else {
    marks_.MarkA = sample;
    a.UpdateMeasurements = marks_.MarkB != 0;
  }
  return a;
}
