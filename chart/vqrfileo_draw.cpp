// Diagram drawing of the processing object: axes with ticks and labels, the
// grid, the channel curves and the legend, all through the plotter.

#include <algorithm>
#include <cmath>

#include "chart/drawmath.h"
#include "chart/vqrplotter.h"
#include "data/numtext.h"
#include "data/processgauge.h"
#include "data/vqrfileo.h"

using vqrdraw::AddI;
using vqrdraw::RoundI;
using vqrdraw::SafeDiv;
using vqrdraw::ToFloat;

namespace {
// Loops over divisions never run further than this, whatever an axis says;
// real axes have at most 16.
constexpr int32_t kMaxLoopDivisions = 200;

int32_t LoopDivisions(int32_t divisions) { return std::min(divisions, kMaxLoopDivisions); }

bool IsCombination(int mode) { return mode == 18 || mode == 19; }

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
}  // namespace

const AxisRange* TVqrDataObjectNew::RangeOf(int axis) const {
  switch (axis) {
    case 0:
      return &TimeAxis;
    case 1:
      return &ValueAxis;
    case 2:
      return &TempAxis;
    default:
      return nullptr;
  }
}

const TAxisLayout* TVqrDataObjectNew::AxisLayoutOf(int axis) const {
  switch (axis) {
    case 0:
      return &Layout.XAxis;
    case 1:
      return &Layout.YAxis;
    case 2:
      return &Layout.TAxis;
    default:
      return nullptr;
  }
}

void TVqrDataObjectNew::PrintProgress(int delta) {
  if (Printing && !PreviewActive && Gauge) Gauge->StepBy(delta);
}

// ------------------------------------------------------------ conversions

int TVqrDataObjectNew::TimeToDeviceX(int32_t t) const {
  return AddI(OriginX, RoundI((static_cast<double>(t) + TimeStart) * TimeFactor));
}

int TVqrDataObjectNew::ValueToDeviceY(int ch, float v) const {
  double value = v;
  if (ZeroPoint && ch >= 1 && ch <= kMeasureChannels)
    value = ToFloat(value - ApplyUserFactor(Cal[ch].CalMin));
  if (ch == kTempChannel) return AddI(OriginY, RoundI((value + TempStart) * TempFactor));
  return AddI(OriginY, RoundI((value + ValueStart) * ValueFactor));
}

float TVqrDataObjectNew::AxisValue(int axis, int i) const {
  const AxisRange* r = RangeOf(axis);
  if (!r) return 0.0f;
  const float step = ToFloat(SafeDiv(r->Span, r->Divisions));
  if (axis == 0) {
    const float seconds = ToFloat(static_cast<double>(i) * step - r->Start);
    return ToFloat(seconds / (r->TimeInDays ? 86400.0 : 3600.0));
  }
  return ToFloat(static_cast<double>(i) * step - r->Start);
}

std::string TVqrDataObjectNew::TickLabel(int axis, int i) const {
  const AxisRange* r = RangeOf(axis);
  if (!r) return "??";
  int width = axis == 2 ? 2 : r->IntDigits;
  int decimals = axis == 2 ? 0 : r->Decimals;
  width = std::clamp(width, 0, 64);
  decimals = std::clamp(decimals, 0, 20);
  std::string text;
  AppendPaddedFixed(text, static_cast<double>(AxisValue(axis, i)), decimals, width);
  return text;
}

std::string TVqrDataObjectNew::UnitText(int axis) const {
  switch (axis) {
    case 0:
      return TimeAxis.TimeInDays ? Layout.XAxis.UnitText2 : Layout.XAxis.UnitText1;
    case 1:
      return Layout.YAxis.UnitText1;
    case 2:
      return Layout.TAxis.UnitText1;
    default:
      return "??";
  }
}

// Division indexes under a pixel of the last drawing (for the zoom).
TPoint TVqrDataObjectNew::SnapToGrid(TPoint& pt) const {
  TPoint index;
  index.x = Snap(pt.x, PlotRect.left, DivWidthX);
  index.y = Snap(pt.y, PlotRect.top, DivWidthY);
  return index;
}

// ------------------------------------------------------------------ axes

void TVqrDataObjectNew::DrawAxes() {
  if (!Plotter) return;
  DrawXAxis();
  DrawYAxis();
  if (IsCombination(WindowMode) && ChannelPens[kTempChannel].Visible) DrawTAxis();
  if (Layout.GridStyle == 2) DrawGridLines();
  if (Layout.GridStyle == 1) DrawGridCrosses();
}

void TVqrDataObjectNew::DrawXAxis() {
  const TAxisLayout& a = Layout.XAxis;
  ApplyPen(a.Pen);
  const int32_t x1 = PageToDeviceX(a.StartX);
  const int32_t x2 = AddI(x1, RoundI(static_cast<double>(a.Length) * ScaleX));
  const int32_t y = PageToDeviceY(a.StartY);
  Plotter->Line(x1, y, x2, y);
  DrawAxisScale(0, x1, y, x2, y);
  PlotRect.left = Plotter->MapX(x1);
  PlotRect.right = Plotter->MapX(x2);
  DivWidthX = ToFloat(SafeDiv(static_cast<double>(x2) - x1, TimeAxis.Divisions));
  PrintProgress(100);
}

void TVqrDataObjectNew::DrawYAxis() {
  int32_t y1 = 0, y2 = 0;
  DrawVerticalAxis(1, Layout.YAxis, y1, y2);
  PlotRect.top = Plotter->MapY(y1);
  PlotRect.bottom = Plotter->MapY(y2);
  DivWidthY = ToFloat(SafeDiv(static_cast<double>(y2) - y1, ValueAxis.Divisions));
  PrintProgress(100);
}

void TVqrDataObjectNew::DrawTAxis() {
  int32_t y1 = 0, y2 = 0;
  DrawVerticalAxis(2, Layout.TAxis, y1, y2);
  PrintProgress(100);
}

// The value and temperature axes: line and scale; y1, y2 receive its ends.
void TVqrDataObjectNew::DrawVerticalAxis(int axis, const TAxisLayout& a, int32_t& y1, int32_t& y2) {
  ApplyPen(a.Pen);
  y1 = PageToDeviceY(a.StartY);
  y2 = AddI(y1, RoundI(static_cast<double>(a.Length) * ScaleY));
  const int32_t x = PageToDeviceX(a.StartX);
  Plotter->Line(x, y1, x, y2);
  DrawAxisScale(axis, x, y1, x, y2);
}

void TVqrDataObjectNew::DrawAxisScale(int axis, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const AxisRange* range = RangeOf(axis);
  const TAxisLayout* a = AxisLayoutOf(axis);
  if (!range || !a) return;
  const bool horizontal = axis == 0;
  const double span = horizontal ? static_cast<double>(x2) - x1 : static_cast<double>(y2) - y1;
  ApplyPen(a->TicPen);
  ApplyFont(a->LabelFont);
  // Tick length and label offset follow the axis's own scale, not the
  // direction they run in.
  const double s = horizontal ? ScaleX : ScaleY;
  const int32_t half = RoundI(a->TicLength * s / 2.0);
  const int32_t off = RoundI(a->LabelOffset * s);
  const float step = ToFloat(SafeDiv(span, range->Divisions));
  const int32_t n = LoopDivisions(range->Divisions);

  for (int32_t i = 0; i <= n; ++i) {
    if (horizontal) {
      const int32_t p = RoundI(static_cast<double>(i) * step + x1);
      Plotter->Line(p, AddI(y1, -int64_t{half}), p, AddI(y1, half));
    } else {
      const int32_t p = RoundI(static_cast<double>(i) * step + y1);
      Plotter->Line(AddI(x1, -int64_t{half}), p, AddI(x1, half), p);
    }
  }
  if (Printing && PreviewActive) return;  // the preview shows no texts

  const int h = horizontal ? paCenter : (off < 0 ? paRight : paLeft);
  const int v = horizontal ? (off < 0 ? paTop : paBottom) : paMiddle;
  for (int32_t i = 0; i <= n; ++i) {
    const std::string label = TickLabel(axis, i);
    if (horizontal)
      Plotter->Text(label, RoundI(static_cast<double>(i) * step + x1), AddI(y1, off), h, v);
    else
      Plotter->Text(label, AddI(x1, off), RoundI(static_cast<double>(i) * step + y1), h, v);
  }
  const std::string unit = UnitText(axis);
  if (horizontal)
    Plotter->Text(unit, RoundI(a->UnitOffset * s + x2), AddI(y1, off), h, v);
  else
    Plotter->Text(unit, AddI(x1, off), RoundI(a->UnitOffset * s + y2), h, v);
}

// ------------------------------------------------------------------ grid

void TVqrDataObjectNew::DrawGridLines() {
  ApplyPen(Layout.GridPen);
  const int32_t x0 = PageToDeviceX(Layout.XAxis.StartX);
  const int32_t w = RoundI(static_cast<double>(Layout.XAxis.Length) * ScaleX);
  const float stepX = ToFloat(SafeDiv(w, TimeAxis.Divisions));
  const int32_t y0 = PageToDeviceY(Layout.YAxis.StartY);
  const int32_t h = RoundI(static_cast<double>(Layout.YAxis.Length) * ScaleY);
  const float stepY = ToFloat(SafeDiv(h, ValueAxis.Divisions));
  for (int32_t j = 1; j <= LoopDivisions(ValueAxis.Divisions); ++j) {
    const int32_t y = RoundI(static_cast<double>(j) * stepY + y0);
    Plotter->Line(x0, y, AddI(x0, w), y);
  }
  for (int32_t i = 1; i <= LoopDivisions(TimeAxis.Divisions); ++i) {
    const int32_t x = RoundI(static_cast<double>(i) * stepX + x0);
    Plotter->Line(x, y0, x, AddI(y0, h));
  }
}

void TVqrDataObjectNew::DrawGridCrosses() {
  ApplyPen(Layout.GridPen);
  const int32_t x0 = PageToDeviceX(Layout.XAxis.StartX);
  const int32_t w = RoundI(static_cast<double>(Layout.XAxis.Length) * ScaleX);
  const float stepX = ToFloat(SafeDiv(w, TimeAxis.Divisions));
  const int32_t y0 = PageToDeviceY(Layout.YAxis.StartY);
  const int32_t h = RoundI(static_cast<double>(Layout.YAxis.Length) * ScaleY);
  const float stepY = ToFloat(SafeDiv(h, ValueAxis.Divisions));
  const int32_t hx = RoundI(0.1 * stepX);
  const int32_t hy = RoundI(0.1 * stepY);
  for (int32_t i = 1; i <= LoopDivisions(TimeAxis.Divisions); ++i) {
    for (int32_t j = 1; j <= LoopDivisions(ValueAxis.Divisions); ++j) {
      const int32_t x = RoundI(static_cast<double>(i) * stepX + x0);
      const int32_t y = RoundI(static_cast<double>(j) * stepY + y0);
      Plotter->Line(AddI(x, -int64_t{hx}), y, AddI(x, hx), y);
      Plotter->Line(x, AddI(y, -int64_t{hy}), x, AddI(y, hy));
    }
  }
}

// ---------------------------------------------------------------- curves

void TVqrDataObjectNew::DrawCurves() {
  if (!Plotter) return;
  TimeStart = TimeAxis.Start;
  TimeFactor = ToFloat(SafeDiv(static_cast<double>(Layout.XAxis.Length) * ScaleX, TimeAxis.Span));
  ValueStart = ValueAxis.Start;
  ValueFactor = ToFloat(SafeDiv(static_cast<double>(Layout.YAxis.Length) * ScaleY, ValueAxis.Span));
  TempStart = TempAxis.Start;
  TempFactor = ToFloat(SafeDiv(static_cast<double>(Layout.TAxis.Length) * ScaleY, TempAxis.Span));
  LegendIndex = 0;
  if (WindowMode >= 1 && WindowMode <= kTempChannel)
    for (int ch = 1; ch <= kTempChannel; ++ch) ChannelPens[ch].Visible = ch == WindowMode;
  if (IsCombination(WindowMode)) DrawLegendEntry(0);
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (ChannelPens[ch].Visible) DrawChannelCurve(ch);
}

void TVqrDataObjectNew::DrawChannelCurve(int ch) {
  if (Canvas) Canvas->SetClipRect(PlotRect);
  Points.fill(TPoint{});
  int count = 0;
  int64_t sumX = 0;
  int64_t sumY = 0;
  int64_t n = 0;
  int32_t lastX = OriginX;
  int32_t lastY = OriginY;
  for (int i = 1; Store && i <= kMaxSamples; ++i) {
    const TVQRSample& s = Store->Samples[i];
    if (s.IsEmpty()) break;
    ++n;
    const int32_t x = TimeToDeviceX(s.Seconds);
    sumX += x;
    // The temperature axis is scaled from unfactored temperatures, so the
    // user factor applies to the measurement channels only.
    const float v = ch == kTempChannel ? s.Cal[ch] : ApplyUserFactor(s.Cal[ch]);
    const int32_t y = ValueToDeviceY(ch, v);
    sumY += y;
    // Samples that stay on the pixel of the last point are merged into the
    // next point as their mean.
    if (x != lastX || y != lastY) {
      const TPoint p{RoundI(static_cast<double>(sumX) / n), RoundI(static_cast<double>(sumY) / n)};
      if (count < static_cast<int>(Points.size())) Points[count++] = p;
      lastX = p.x;
      lastY = p.y;
      sumX = sumY = n = 0;
    }
    if (i % 5 == 0) PrintProgress(5);
  }
  ApplyPen(ChannelPens[ch]);
  // Cut to the plot rectangle here as well as by the device's clip: vector
  // devices (SVG) ignore the clip.
  Plotter->Polyline(Points.data(), count, PlotRect);
  if (Canvas) Canvas->ClearClip();
  if (IsCombination(WindowMode)) DrawLegendEntry(ch);
}

void TVqrDataObjectNew::DrawLegendEntry(int ch) {
  const TLegendLayout& l = Layout.Legend;
  Points.fill(TPoint{});
  const TPoint p{AddI(DrawRect.left, RoundI(static_cast<double>(l.StartX) * ScaleX +
                                            static_cast<double>(l.StepX) * ScaleX * LegendIndex)),
                 AddI(DrawRect.top, RoundI(static_cast<double>(l.StartY) * ScaleY +
                                           static_cast<double>(l.StepY) * ScaleY * LegendIndex))};
  const int32_t lineEnd = AddI(p.x, RoundI(static_cast<double>(l.Length) * ScaleX));
  if (ch > 0) Plotter->Line(p.x, p.y, lineEnd, p.y);  // with the channel's pen
  ApplyFont(l.Font);
  const int32_t d = RoundI(static_cast<double>(l.NumberOffset) * ScaleX);
  int32_t x = d < 0 ? AddI(p.x, d) : AddI(lineEnd, d);
  int h = d < 0 ? paRight : paLeft;
  ++LegendIndex;
  if (ch == 0) {
    x = p.x;
    h = paLeft;
  }
  if (Printing && PreviewActive) return;
  std::string text;
  if (ch == 0)
    text = l.Title;
  else if (ch == kTempChannel)
    text = l.TempChannel;
  else
    text = std::to_string(ch);
  Plotter->Text(text, x, p.y, h, paMiddle);
}
