#include "chart/diagramcontroller.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "chart/vqrdiagram.h"
#include "data/translate.h"

TDiagramActions& TDiagramActions::operator|=(const TDiagramActions& o) {
  Consumed = Consumed || o.Consumed;
  Refresh = Refresh || o.Refresh;
  Repaint = Repaint || o.Repaint;
  Overlay = Overlay || o.Overlay;
  Beep = Beep || o.Beep;
  ShowMeasurements = ShowMeasurements || o.ShowMeasurements;
  UpdateMeasurements = UpdateMeasurements || o.UpdateMeasurements;
  return *this;
}

TDiagramController::TDiagramController(std::function<TVQRDiagram*()> diagram, int dragDistance)
    : diagram_(std::move(diagram)), dragDistance_(dragDistance) {}

void TDiagramController::Drawn(const TCursorFrame& frame, const TRect& drawRect) {
  frame_ = frame;
  drawRect_ = drawRect;
  frameValid_ = true;
}

std::string TDiagramController::ZoomStateText() const {
  if (defining_) return TrText("Diagram", "Zoom definieren...");
  if (history_.empty()) return zoomed_ ? TrText("Diagram", "Zoom") : TrText("Diagram", "Kein Zoom");
  if (AtFullScale()) return TrText("Diagram", "Kein Zoom");
  // "Zoom %1 von %2": the step shown of the steps beyond the full scale.
  std::string text = TrArg(TrText("Diagram", "Zoom %1 von %2"), std::to_string(historyPos_));
  const std::size_t at = text.find("%2");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(history_.size() - 1));
  return text;
}

bool TDiagramController::InDrawRect(TPoint p) const {
  return p.x >= drawRect_.left && p.x < drawRect_.right && p.y >= drawRect_.top &&
         p.y < drawRect_.bottom;
}

TPoint TDiagramController::Snap(TPoint& pt) const {
  const TVQRDiagram* d = diagram_();
  return d ? d->SnapToGrid(pt) : TPoint{};
}

// ------------------------------------------------------------------- the mouse

void TDiagramController::Press(TPoint p) {
  mousePos_ = p;
  pressed_ = true;
  pressPos_ = p;
}

TDiagramActions TDiagramController::Move(TPoint p) {
  TDiagramActions a;
  // While zoomed the mouse only moves the cursor.
  if (!zoomed_) {
    if (pressed_ && !dragging_) StartDrag(p);
    mousePos_ = p;
    divPos_ = Snap(mousePos_);
    if (defining_ && InDrawRect(mousePos_)) {
      focusRect_ = {std::min(anchor_.x, mousePos_.x), std::min(anchor_.y, mousePos_.y),
                    std::max(anchor_.x, mousePos_.x), std::max(anchor_.y, mousePos_.y)};
      a.Repaint = true;
    }
  }
  return a |= MoveCursor(p);
}

bool TDiagramController::StartDrag(TPoint p) {
  // A drag begun while two clicks define a zoom stays a click.
  if (defining_ || !InDrawRect(pressPos_) ||
      std::abs(p.x - pressPos_.x) + std::abs(p.y - pressPos_.y) < dragDistance_)
    return false;
  dragging_ = true;
  anchor_ = pressPos_;
  zoomStart_ = Snap(anchor_);
  defining_ = true;
  focusRect_ = {anchor_.x, anchor_.y, anchor_.x + 10, anchor_.y + 10};
  return true;
}

TDiagramActions TDiagramController::Release(TPoint p, bool click) {
  const auto before = TimeRange();
  return TellTime(before, ReleaseAt(p, click));
}

TDiagramActions TDiagramController::ReleaseAt(TPoint p, bool click) {
  TDiagramActions a;
  if (dragging_) {
    // The drag's two ends select the zoom as two clicks there would.
    dragging_ = pressed_ = false;
    mousePos_ = p;
    divPos_ = Snap(mousePos_);
    a |= EndDefinition();
    if (InDrawRect(mousePos_) && TVQRDiagram::ZoomSelection(zoomStart_, divPos_, zoomSel_))
      a |= ApplyZoomSel();
    return a |= MoveCursor(p);
  }
  click = click && pressed_;
  pressed_ = false;
  if (click) a |= Click();
  return a |= MoveCursor(p);
}

TDiagramActions TDiagramController::Click() {
  if (zoomed_) return {};
  divPos_ = Snap(mousePos_);
  if (!InDrawRect(mousePos_)) return {};
  if (!defining_) {
    defining_ = true;
    zoomStart_ = divPos_;
    anchor_ = mousePos_;
    focusRect_ = {mousePos_.x, mousePos_.y, mousePos_.x + 10, mousePos_.y + 10};
    TDiagramActions a;
    a.Repaint = true;
    return a;
  }
  TDiagramActions a = EndDefinition();
  if (TVQRDiagram::ZoomSelection(zoomStart_, divPos_, zoomSel_)) a |= ApplyZoomSel();
  return a;
}

TDiagramActions TDiagramController::Leave(bool menuOpen) {
  TDiagramActions a;
  if (marks_.Cursor && !menuOpen) {
    marks_.Cursor = 0;
    a.Overlay = true;
  }
  return a;
}

TDiagramActions TDiagramController::ContextMenu(TPoint p) {
  TDiagramActions a = MoveCursor(p);
  menuSample_ = marks_.Cursor;
  return a;
}

// -------------------------------------------------------------------- the keys

TDiagramActions TDiagramController::Key(TDiagramKey key, bool shift, TPoint mouse) {
  switch (key) {
    case TDiagramKey::Escape:
      if (defining_) {
        // A drag dropped by Esc ends with nothing when the button is let go.
        dragging_ = pressed_ = false;
        TDiagramActions a = EndDefinition();
        return a |= MoveCursor(mouse);
      }
      if (marks_.MarkA || marks_.MarkB) return ClearMarks();
      {
        TDiagramActions a;
        a.Consumed = false;
        return a;
      }
    case TDiagramKey::Mark:
      return SetMarkAt(marks_.Cursor);
    case TDiagramKey::Zoom:
      return ZoomCommand();
    case TDiagramKey::Left:
    case TDiagramKey::Right: {
      const int step = shift ? 10 : 1;
      return StepCursor(key == TDiagramKey::Left ? -step : step);
    }
    case TDiagramKey::PanLeft:
    case TDiagramKey::PanRight:
    case TDiagramKey::PanUp:
    case TDiagramKey::PanDown: {
      const TVQRDiagram* d = diagram_();
      if (!d) return {};
      const auto before = TimeRange();
      SyncZoom();
      TDiagramActions a;
      if (defining_) a |= EndDefinition();
      // A tenth of the range shown; up and down move the temperatures too.
      const bool time = key == TDiagramKey::PanLeft || key == TDiagramKey::PanRight;
      const double sign = key == TDiagramKey::PanLeft || key == TDiagramKey::PanDown ? -0.1 : 0.1;
      TAxisSet next = d->Axes().All();
      auto width = [](const AxisRange& r) { return static_cast<double>(r.Span); };
      if (time) {
        next = Panned(next, TWheelAxis::Time, sign * width(next.Time));
      } else {
        next = Panned(next, TWheelAxis::Value, sign * width(next.Value));
        next = Panned(next, TWheelAxis::Temp, sign * width(next.Temp));
      }
      return TellTime(before, a |= PushStep(next));
    }
    case TDiagramKey::Back:
      return Back();
    case TDiagramKey::Forward:
      return Forward();
  }
  return {};
}

// -------------------------------------------------------------------- the zoom

TDiagramActions TDiagramController::EndDefinition() {
  defining_ = false;
  TDiagramActions a;
  a.Repaint = true;
  return a;
}

TDiagramActions TDiagramController::ApplyZoomSel() {
  zoomed_ = true;
  defining_ = false;
  if (TVQRDiagram* d = diagram_()) {
    d->SetZoom(zoomSel_);
    // Within a zoom history the selection is one more step of it.
    if (!history_.empty()) PushStep(d->Axes().All(), true);
  }
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::Unzoom() {
  if (!zoomed_) return {};
  zoomed_ = false;
  defining_ = false;
  if (TVQRDiagram* d = diagram_()) d->ResetZoom();
  frameValid_ = false;
  TDiagramActions a;
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::ToggleZoom() {
  TDiagramActions a;
  TVQRDiagram* d = diagram_();
  if (!d || !d->RestoreZoom()) {
    a.Beep = true;
    return a;
  }
  zoomed_ = true;
  defining_ = false;
  frameValid_ = false;
  if (!history_.empty()) PushStep(d->Axes().All(), true);
  a.Refresh = true;
  return a;
}

TDiagramActions TDiagramController::ZoomCommand() {
  const auto before = TimeRange();
  SyncZoom();
  // "Z" leaves any depth of the history for the full scale.
  if (!history_.empty() && !AtFullScale()) return TellTime(before, GoTo(0));
  return TellTime(before, zoomed_ ? Unzoom() : ToggleZoom());
}

TDiagramActions TDiagramController::Shown() {
  TDiagramActions a;
  if (defining_) a |= EndDefinition();
  SyncZoom();
  return a;
}

void TDiagramController::SyncZoom() {
  const TVQRDiagram* d = diagram_();
  if (zoomed_ && d && !d->ZoomAvailable()) zoomed_ = false;
  // Axes changed behind the history's back (a new fit) end it; a pan drag
  // shows axes that become a step only when it ends.
  if (!history_.empty() && !panning_ && (!d || d->Axes().All() != history_[historyPos_].Axes)) {
    history_.clear();
    historyPos_ = 0;
  }
}

// ------------------------------------------------------- cursor and markers

void TDiagramController::OnAxesRefitted() {
  marks_.MarkA = marks_.MarkB = 0;
  history_.clear();
  historyPos_ = 0;
  panning_ = false;
}

TDiagramActions TDiagramController::MoveCursor(TPoint p) {
  const TVQRDiagram* d = diagram_();
  const TRect& r = frame_.PlotRect;
  const bool over =
      d && frameValid_ && p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
  TCursorMarks next = marks_;
  next.Cursor = over ? SampleAtX(frame_, p.x) : 0;
  next.Band = defining_ && d;
  if (next.Band) {
    next.BandFrom = d->AxisValue(0, std::abs(zoomStart_.x));
    next.BandTo = d->AxisValue(0, std::abs(divPos_.x));
  }
  TDiagramActions a;
  if (next.Cursor == marks_.Cursor && next.Band == marks_.Band &&
      next.BandFrom == marks_.BandFrom && next.BandTo == marks_.BandTo)
    return a;
  marks_ = next;
  a.Overlay = true;
  return a;
}

TDiagramActions TDiagramController::StepCursor(int samples) {
  // Within the plot only; without a cursor it appears at the plot's middle.
  const TRect& r = frame_.PlotRect;
  const int n = static_cast<int>(frame_.SampleX.size()) - 1;
  auto onPlot = [&](int i) {
    return i >= 1 && i <= n && frame_.SampleX[i] >= r.left && frame_.SampleX[i] <= r.right;
  };
  int i = marks_.Cursor;
  if (!onPlot(i)) {
    i = SampleAtX(frame_, (r.left + r.right) / 2);
  } else {
    const int dir = samples < 0 ? -1 : 1;
    for (int k = 0; k < std::abs(samples) && onPlot(i + dir); ++k) i += dir;
  }
  TDiagramActions a;
  if (defining_ || !onPlot(i)) {
    a.Beep = true;
  } else if (i != marks_.Cursor) {
    marks_.Cursor = i;
    a.Overlay = true;
  }
  return a;
}

TDiagramActions TDiagramController::SetMarkAt(int sample) {
  if (marks_.MarkA && marks_.MarkB) return ClearMarks();
  TDiagramActions a;
  if (!diagram_() || sample <= 0) {
    a.Beep = true;
    return a;
  }
  a.Overlay = true;
  if (!marks_.MarkA) {
    marks_.MarkA = sample;
  } else {
    marks_.MarkB = sample;
    a.ShowMeasurements = true;
  }
  return a;
}

TDiagramActions TDiagramController::ClearMarks() {
  marks_.MarkA = marks_.MarkB = 0;
  TDiagramActions a;
  a.Overlay = true;
  a.UpdateMeasurements = true;
  return a;
}
