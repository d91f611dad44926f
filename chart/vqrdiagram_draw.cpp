// Diagram drawing: axes with ticks and labels, the
// grid, the channel curves and the legend, all through the plotter.

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "chart/curvepoints.h"
#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "chart/vqrplotter.h"
#include "data/freerange.h"
#include "data/numtext.h"
#include "data/processgauge.h"

using vqrdraw::AddI;
using vqrdraw::RoundI;
using vqrdraw::SafeDiv;
using vqrdraw::ToFloat;

namespace {
// Loops over divisions never run further than this, whatever an axis says;
// real axes have at most 16.
constexpr int32_t kMaxLoopDivisions = 200;

int32_t LoopDivisions(int32_t divisions) { return std::min(divisions, kMaxLoopDivisions); }

// A tick of a free axis this close to an end lies on it.
constexpr double kEndSlack = 1e-7;

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

const AxisRange* TVQRDiagram::RangeOf(int axis) const {
  switch (axis) {
    case 0:
      return &axes_.Time();
    case 1:
      return &axes_.Value();
    case 2:
      return &axes_.Temp();
    default:
      return nullptr;
  }
}

const TAxisLayout* TVQRDiagram::AxisLayoutOf(int axis) const {
  switch (axis) {
    case 0:
      return &layout_.XAxis;
    case 1:
      return &layout_.YAxis;
    case 2:
      return &layout_.TAxis;
    default:
      return nullptr;
  }
}

void TVQRDiagram::PrintProgress(int delta) {
  if (printing_ && !dryRun_ && !previewActive_ && data_.Gauge()) data_.Gauge()->StepBy(delta);
}

// ------------------------------------------------------------ conversions

int TVQRDiagram::TimeToDeviceX(int32_t t) const {
  return AddI(originX_, RoundI((static_cast<double>(t) + timeStart_) * timeFactor_));
}

int TVQRDiagram::ValueToDeviceY(int ch, float v) const { return RunValueToDeviceY(data_, ch, v); }

int TVQRDiagram::RunValueToDeviceY(const TVqrDataObjectNew& data, int ch, float v) const {
  double value = v;
  if (data.ZeroPoint() && ch >= 1 && ch <= kMeasureChannels)
    value = ToFloat(value - data.ApplyUserFactor(data.Recording().Cal(ch).CalMin));
  if (ch == kTempChannel) return AddI(originY_, RoundI((value + tempStart_) * tempFactor_));
  return AddI(originY_, RoundI((value + valueStart_) * valueFactor_));
}

float TVQRDiagram::AxisValue(int axis, int i) const {
  const AxisRange* r = RangeOf(axis);
  if (!r) return 0.0f;
  if (IsFreeRange(*r)) return ToFloat(FreeTick(*r, i));
  const float step = ToFloat(SafeDiv(r->Span, r->Divisions));
  if (axis == 0) {
    const float seconds = ToFloat(static_cast<double>(i) * step - r->Start);
    return ToFloat(seconds / (r->TimeInDays ? 86400.0 : 3600.0));
  }
  return ToFloat(static_cast<double>(i) * step - r->Start);
}

std::string TVQRDiagram::TickLabel(int axis, int i) const {
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

std::string TVQRDiagram::UnitText(int axis) const {
  switch (axis) {
    case 0:
      return axes_.Time().TimeInDays ? layout_.XAxis.UnitText2 : layout_.XAxis.UnitText1;
    case 1:
      return layout_.YAxis.UnitText1;
    case 2:
      return layout_.TAxis.UnitText1;
    default:
      return "??";
  }
}

TPoint TVQRDiagram::SnapToGrid(TPoint& pt) const {
  const TDiagramGrid& g = screenGrid_;
  TPoint index;
  if (!g.FreeX) {
    index.x = Snap(pt.x, g.PlotRect.left, g.DivWidthX);
  } else {
    // Only the ticks of a free axis are crossings: those outside its first
    // and last snap to them.
    const double first = g.PlotRect.left + static_cast<double>(g.FirstX);
    index.x = std::clamp(Snap(pt.x, RoundI(first), g.DivWidthX), 0, g.LastX);
    pt.x = RoundI(first + index.x * static_cast<double>(g.DivWidthX));
  }
  if (!g.FreeY) {
    index.y = Snap(pt.y, g.PlotRect.top, g.DivWidthY);
  } else {
    // Up the screen (mirrored) the indexes count negative, as on any axis.
    const int dir = g.PlotRect.bottom >= g.PlotRect.top ? 1 : -1;
    const double first = g.PlotRect.top + dir * static_cast<double>(g.FirstY);
    const int32_t i = Snap(pt.y, RoundI(first), g.DivWidthY) * dir;
    index.y = std::clamp(i, 0, g.LastY) * dir;
    pt.y = RoundI(first + index.y * static_cast<double>(g.DivWidthY));
  }
  return index;
}

bool TVQRDiagram::TickPixel(int axis, int i, int32_t start, double length, float step,
                            int32_t& p) const {
  const AxisRange* r = RangeOf(axis);
  if (!r || !IsFreeRange(*r)) {
    p = RoundI(static_cast<double>(i) * step + start);
    return true;
  }
  const double part = FreeTickPart(*r, axis == 0 ? TimeLabelFactor(*r) : 1.0, i);
  if (!(part >= -kEndSlack && part <= 1.0 + kEndSlack)) return false;
  p = RoundI(start + part * length);
  return true;
}

void TVQRDiagram::NoteFreeGrid(int axis, double length) {
  const AxisRange* r = RangeOf(axis);
  if (!r || !IsFreeRange(*r) || axis > 1) return;
  const double factor = axis == 0 ? TimeLabelFactor(*r) : 1.0;
  const float first = ToFloat(std::max(0.0, FreeTickPart(*r, factor, 0)) * length);
  const float width = ToFloat(r->TickStep / factor / static_cast<double>(r->Span) * length);
  int32_t last = r->Divisions;
  while (last > 0 && FreeTickPart(*r, factor, last) > 1.0 + kEndSlack) --last;
  (axis == 0 ? grid_.FreeX : grid_.FreeY) = true;
  (axis == 0 ? grid_.FirstX : grid_.FirstY) = first;
  (axis == 0 ? grid_.DivWidthX : grid_.DivWidthY) = width;
  (axis == 0 ? grid_.LastX : grid_.LastY) = last;
}

// ------------------------------------------------------------------ axes

void TVQRDiagram::DrawAxes() {
  if (!plotter_) return;
  DrawXAxis();
  DrawYAxis();
  // The zoom clicks refer to the screen, whatever was printed since.
  if (!printing_) screenGrid_ = grid_;
  if (IsCombiMode(windowMode_) && pens_[kTempChannel].Visible) DrawTAxis();
  if (layout_.GridStyle == kGridLines) DrawGridLines();
  if (layout_.GridStyle == kGridCrosses) DrawGridCrosses();
}

void TVQRDiagram::DrawXAxis() {
  const TAxisLayout& a = layout_.XAxis;
  ApplyPen(a.Pen);
  const int32_t x1 = PageToDeviceX(a.StartX);
  const int32_t x2 = AddI(x1, RoundI(static_cast<double>(a.Length) * scaleX_));
  const int32_t y = PageToDeviceY(a.StartY);
  plotter_->Line(x1, y, x2, y);
  DrawAxisScale(0, x1, y, x2, y);
  grid_.PlotRect.left = plotter_->MapX(x1);
  grid_.PlotRect.right = plotter_->MapX(x2);
  grid_.DivWidthX = ToFloat(SafeDiv(static_cast<double>(x2) - x1, axes_.Time().Divisions));
  grid_.FreeX = false;
  NoteFreeGrid(0, static_cast<double>(x2) - x1);
  PrintProgress(100);
}

void TVQRDiagram::DrawYAxis() {
  int32_t y1 = 0, y2 = 0;
  DrawVerticalAxis(1, layout_.YAxis, y1, y2);
  grid_.PlotRect.top = plotter_->MapY(y1);
  grid_.PlotRect.bottom = plotter_->MapY(y2);
  grid_.DivWidthY = ToFloat(SafeDiv(static_cast<double>(y2) - y1, axes_.Value().Divisions));
  grid_.FreeY = false;
  NoteFreeGrid(1, static_cast<double>(y2) - y1);
  PrintProgress(100);
}

void TVQRDiagram::DrawTAxis() {
  int32_t y1 = 0, y2 = 0;
  DrawVerticalAxis(2, layout_.TAxis, y1, y2);
  PrintProgress(100);
}

// The value and temperature axes: line and scale; y1, y2 receive its ends.
void TVQRDiagram::DrawVerticalAxis(int axis, const TAxisLayout& a, int32_t& y1, int32_t& y2) {
  ApplyPen(a.Pen);
  y1 = PageToDeviceY(a.StartY);
  y2 = AddI(y1, RoundI(static_cast<double>(a.Length) * scaleY_));
  const int32_t x = PageToDeviceX(a.StartX);
  plotter_->Line(x, y1, x, y2);
  DrawAxisScale(axis, x, y1, x, y2);
}

void TVQRDiagram::DrawAxisScale(int axis, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const AxisRange* range = RangeOf(axis);
  const TAxisLayout* a = AxisLayoutOf(axis);
  if (!range || !a) return;
  const bool horizontal = axis == 0;
  const double span = horizontal ? static_cast<double>(x2) - x1 : static_cast<double>(y2) - y1;
  ApplyPen(a->TicPen);
  ApplyFont(a->LabelFont);
  // Tick length and label offset follow the axis's own scale, not the
  // direction they run in.
  const double s = horizontal ? scaleX_ : scaleY_;
  const int32_t half = RoundI(a->TicLength * s / 2.0);
  const int32_t off = RoundI(a->LabelOffset * s);
  const float step = ToFloat(SafeDiv(span, range->Divisions));
  const int32_t n = LoopDivisions(range->Divisions);

  for (int32_t i = 0, p = 0; i <= n; ++i) {
    if (!TickPixel(axis, i, horizontal ? x1 : y1, span, step, p)) continue;
    if (horizontal)
      plotter_->Line(p, AddI(y1, -int64_t{half}), p, AddI(y1, half));
    else
      plotter_->Line(AddI(x1, -int64_t{half}), p, AddI(x1, half), p);
  }
  const int h = horizontal ? paCenter : (off < 0 ? paRight : paLeft);
  const int v = horizontal ? (off < 0 ? paTop : paBottom) : paMiddle;
  // The unit: beyond the axis end on the label line, moved along it when a
  // printed page needs that. Its box keeps the comparison's legend clear of it.
  const std::string unit = UnitText(axis);
  const int32_t unitX =
      AddI(horizontal ? RoundI(a->UnitOffset * s + x2) : AddI(x1, off), unitShift_[axis]);
  const int32_t unitY = horizontal ? AddI(y1, off) : RoundI(a->UnitOffset * s + y2);
  unitBox_[axis] = plotter_->TextBox(unit, unitX, unitY, h, v);
  unitDrawn_[axis] = !unit.empty();
  if (printing_ && previewActive_ && !dryRun_) return;  // the preview shows no texts

  textTag_ = kTagLabel + axis;
  for (int32_t i = 0, p = 0; i <= n; ++i) {
    if (!TickPixel(axis, i, horizontal ? x1 : y1, span, step, p)) continue;
    const std::string label = TickLabel(axis, i);
    if (horizontal)
      plotter_->Text(label, p, AddI(y1, off), h, v);
    else
      plotter_->Text(label, AddI(x1, off), p, h, v);
  }
  textTag_ = kTagUnit + axis;
  plotter_->Text(unit, unitX, unitY, h, v);
  textTag_ = kTagOther;
}

// ------------------------------------------------------------------ grid

// The grid's places along an axis from start over length pixels: its ticks
// but the one on the axis itself; spacing receives the distance of two.
std::vector<int32_t> TVQRDiagram::GridPixels(int axis, int32_t start, int32_t length,
                                             float& spacing) const {
  const AxisRange& r = *RangeOf(axis);
  const float step = ToFloat(SafeDiv(length, r.Divisions));
  spacing = step;
  std::vector<int32_t> places;
  const bool free = IsFreeRange(r);
  const double factor = axis == 0 ? TimeLabelFactor(r) : 1.0;
  if (free) spacing = ToFloat(r.TickStep / factor / static_cast<double>(r.Span) * length);
  for (int32_t i = free ? 0 : 1, p = 0; i <= LoopDivisions(r.Divisions); ++i) {
    if (free && FreeTickPart(r, factor, i) <= kEndSlack) continue;
    if (TickPixel(axis, i, start, length, step, p)) places.push_back(p);
  }
  return places;
}

void TVQRDiagram::DrawGridLines() {
  ApplyPen(layout_.GridPen);
  const int32_t x0 = PageToDeviceX(layout_.XAxis.StartX);
  const int32_t w = RoundI(static_cast<double>(layout_.XAxis.Length) * scaleX_);
  const int32_t y0 = PageToDeviceY(layout_.YAxis.StartY);
  const int32_t h = RoundI(static_cast<double>(layout_.YAxis.Length) * scaleY_);
  float stepX = 0.0f, stepY = 0.0f;
  for (const int32_t y : GridPixels(1, y0, h, stepY)) plotter_->Line(x0, y, AddI(x0, w), y);
  for (const int32_t x : GridPixels(0, x0, w, stepX)) plotter_->Line(x, y0, x, AddI(y0, h));
}

void TVQRDiagram::DrawGridCrosses() {
  ApplyPen(layout_.GridPen);
  const int32_t x0 = PageToDeviceX(layout_.XAxis.StartX);
  const int32_t w = RoundI(static_cast<double>(layout_.XAxis.Length) * scaleX_);
  const int32_t y0 = PageToDeviceY(layout_.YAxis.StartY);
  const int32_t h = RoundI(static_cast<double>(layout_.YAxis.Length) * scaleY_);
  float stepX = 0.0f, stepY = 0.0f;
  const std::vector<int32_t> xs = GridPixels(0, x0, w, stepX);
  const std::vector<int32_t> ys = GridPixels(1, y0, h, stepY);
  const int32_t hx = RoundI(0.1 * stepX);
  const int32_t hy = RoundI(0.1 * stepY);
  for (const int32_t x : xs) {
    for (const int32_t y : ys) {
      plotter_->Line(AddI(x, -int64_t{hx}), y, AddI(x, hx), y);
      plotter_->Line(x, AddI(y, -int64_t{hy}), x, AddI(y, hy));
    }
  }
}

// ---------------------------------------------------------------- curves

void TVQRDiagram::DrawCurves() {
  if (!plotter_) return;
  timeStart_ = axes_.Time().Start;
  timeFactor_ =
      ToFloat(SafeDiv(static_cast<double>(layout_.XAxis.Length) * scaleX_, axes_.Time().Span));
  valueStart_ = axes_.Value().Start;
  valueFactor_ =
      ToFloat(SafeDiv(static_cast<double>(layout_.YAxis.Length) * scaleY_, axes_.Value().Span));
  tempStart_ = axes_.Temp().Start;
  tempFactor_ =
      ToFloat(SafeDiv(static_cast<double>(layout_.TAxis.Length) * scaleY_, axes_.Temp().Span));
  legendIndex_ = 0;
  if (windowMode_ >= 1 && windowMode_ <= kTempChannel)
    for (int ch = 1; ch <= kTempChannel; ++ch) pens_[ch].Visible = ch == windowMode_;
  if (IsCombiMode(windowMode_)) DrawLegendEntry(0);
  runX_.resize(std::max<size_t>(1, runs_.size()));
  SampleColumns(data_, Comparing() ? runs_[0].TimeOffset : 0, runX_[0]);
  for (size_t k = 1; k < runs_.size(); ++k)
    if (runs_[k].Data) SampleColumns(*runs_[k].Data, runs_[k].TimeOffset, runX_[k]);
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (pens_[ch].Visible) DrawChannelCurve(ch);
  if (Comparing()) DrawRunLegend();
  DrawNotes();
}

void TVQRDiagram::DrawChannelCurve(int ch) {
  DrawOutsideMarks(ch, data_, runX_[0], pens_[ch]);
  for (size_t k = 1; k < runs_.size(); ++k)
    if (runs_[k].Data) DrawOutsideMarks(ch, *runs_[k].Data, runX_[k], pens_[ch]);
  DrawRunCurve(ch, data_, runX_[0], pens_[ch], true);
  for (size_t k = 1; k < runs_.size(); ++k)
    if (runs_[k].Data)
      DrawRunCurve(ch, *runs_[k].Data, runX_[k], RunPen(pens_[ch], static_cast<int>(k)), false);
  DrawLimitLines(ch);
  if (!IsCombiMode(windowMode_)) return;
  if (Comparing()) ApplyPen(pens_[ch]);  // the legend's line in the channel's own pen
  DrawLegendEntry(ch);
}

// The x of every sample of a recording up to its first empty slot, the same
// for all its curves.
void TVQRDiagram::SampleColumns(const TVqrDataObjectNew& data, int32_t timeOffset,
                                std::vector<int32_t>& xs) const {
  xs.clear();
  for (int i = 1; data.Recording().Store() && i <= kMaxSamples; ++i) {
    const TVQRSample& s = data.Recording().Store()->Samples[i];
    if (s.IsEmpty()) break;
    xs.push_back(TimeToDeviceX(static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{s.Seconds} + timeOffset, INT32_MIN, INT32_MAX))));
  }
}

void TVQRDiagram::DrawRunCurve(int ch, const TVqrDataObjectNew& data,
                               const std::vector<int32_t>& xs, const TPenRec& pen, bool progress) {
  if (dryRun_) return;  // only the texts are measured
  if (canvas_) canvas_->SetClipRect(grid_.PlotRect);
  points_.fill(TPoint{});
  // The print's gauge counts every sample.
  const bool counting = progress && printing_ && !previewActive_ && data_.Gauge();
  const int samples = static_cast<int>(xs.size());
  // Samples far outside the time axis are left out where that cannot change
  // the curve inside the plot, as long as the plotter keeps the order of
  // columns.
  TSampleSpan span = AllSamples(samples);
  if (!counting && plotter_->Scale > 0.0f && std::isfinite(plotter_->Scale)) {
    const TRect& box = grid_.PlotRect;
    const TInputColumns cols =
        InputColumns([this](int32_t x) { return plotter_->MapX(x); }, std::min(box.left, box.right),
                     std::max(box.left, box.right));
    span = VisibleSamples(xs.data(), samples, cols);
  }
  // Without a recording there are no samples, and yOf is never called.
  const TVQRDataObject* recording = data.Recording().Store();
  const TVQRSample* store = recording ? recording->Samples.data() : nullptr;
  // The temperature axis is scaled from unfactored temperatures, so the
  // user factor applies to the measurement channels only.
  const auto yOf = [&](int i) {
    const TVQRSample& s = store[i + 1];
    const float v = ch == kTempChannel ? s.Cal[ch] : data.ApplyUserFactor(s.Cal[ch]);
    return RunValueToDeviceY(data, ch, v);
  };
  const auto each = [&](int i) {
    if (progress && (i + 1) % 5 == 0) PrintProgress(5);
  };
  const int count = MergeSamples(xs.data(), span, {originX_, originY_}, yOf, each, points_.data(),
                                 static_cast<int>(points_.size()));
  ApplyPen(pen);
  // Cut to the plot rectangle here as well as by the device's clip: vector
  // devices (SVG) ignore the clip.
  plotter_->Polyline(points_.data(), count, grid_.PlotRect);
  if (canvas_) canvas_->ClearClip();
}

void TVQRDiagram::DrawLegendEntry(int ch) {
  std::string text;
  if (ch == 0)
    text = layout_.Legend.Title;
  else if (ch == kTempChannel)
    text = layout_.Legend.TempChannel;
  else
    text = std::to_string(ch);
  DrawLegendItem(ch > 0, text);
}

// The recordings of a comparison above the plot, on the line of the unit
// texts between the value and the temperature axis: per recording a line in
// the pen of its curves, in black, and the file's name. In reading order
// from the open recording on, as many to a row as their measured widths let
// fit; further rows above. When the rows do not fit below the top of the
// picture (the paper when printing), the legend's font is made smaller.
void TVQRDiagram::DrawRunLegend() {
  const TLegendLayout& l = layout_.Legend;
  // Positions in the coordinates of TextBox: device pixels (printer pixels
  // in the preview), y downwards. In doubles: far-out settings must not
  // overflow.
  const int32_t inputBase =
      AddI(drawRect_.top, RoundI((static_cast<double>(layout_.YAxis.StartY) + layout_.YAxis.Length +
                                  layout_.YAxis.UnitOffset) *
                                 scaleY_));
  const int64_t base = plotter_->InputY(inputBase);
  const TRect& picture = printing_ ? paper_ : drawRect_;
  ApplyFont(l.Font);
  const int32_t em = std::max(1, plotter_->FontHeight);
  const int64_t margin = std::max(1, em / 8);
  int64_t left =
      AddI(drawRect_.left, RoundI((static_cast<double>(layout_.YAxis.StartX) + 300.0) * scaleX_));
  int64_t right =
      AddI(drawRect_.left, RoundI((static_cast<double>(layout_.TAxis.StartX) - 200.0) * scaleX_));
  if (unitDrawn_[1]) left = std::max(left, int64_t{unitBox_[1].right} + em / 2);
  if (unitDrawn_[2]) right = std::min(right, int64_t{unitBox_[2].left} - em / 2);
  left = std::max(left, int64_t{std::min(picture.left, picture.right)} + margin);
  right = std::min(right, int64_t{std::max(picture.left, picture.right)} - margin);
  right = std::max(right, left);
  const int64_t top = int64_t{std::min(picture.top, picture.bottom)} + margin;

  const size_t n = runs_.size();
  std::vector<int64_t> widths(n);
  std::vector<size_t> rowStart;  // index of the first entry of each row
  int64_t lineLength = 0, d = 0, gap = 0, rowHeight = 0;
  double factor = 1.0;
  for (;;) {
    ApplyFontScaled(l.Font, factor);
    lineLength = RoundI(static_cast<double>(l.Length) * scaleX_ * factor);
    d = std::abs(RoundI(static_cast<double>(l.NumberOffset) * scaleX_ * factor));
    const TRect sample = plotter_->TextBox("Ag", 0, inputBase, paLeft, paMiddle);
    const int64_t height = int64_t{sample.bottom} - sample.top;
    gap = std::max<int64_t>(height, d);
    rowHeight = height + std::max<int64_t>(1, height / 4);
    rowStart.assign(1, 0);
    int64_t x = 0, widest = 0;
    for (size_t k = 0; k < n; ++k) {
      const TRect box = plotter_->TextBox(runs_[k].Name, 0, inputBase, paLeft, paMiddle);
      const int64_t nameWidth = static_cast<int64_t>(box.right) - box.left;
      widths[k] = lineLength + d + nameWidth;
      if (k > 0 && x + gap + widths[k] > right - left) {
        rowStart.push_back(k);
        x = 0;
      }
      x += (x > 0 ? gap : 0) + widths[k];
      widest = std::max(widest, x);
    }
    const int64_t firstTop = sample.top - static_cast<int64_t>(rowStart.size() - 1) * rowHeight;
    if ((widest <= right - left && firstTop >= top) || factor < 0.2) break;
    factor *= 0.85;
  }

  rowStart.push_back(n);
  for (size_t row = 0; row + 1 < rowStart.size(); ++row) {
    const int64_t rowsBelow = static_cast<int64_t>(rowStart.size()) - 2 - row;
    const int32_t y = plotter_->InputY(vqrdraw::ClampI(base - rowsBelow * rowHeight));
    int64_t x = left;
    for (size_t k = rowStart[row]; k < rowStart[row + 1]; ++k) {
      const int32_t x0 = vqrdraw::ClampI(x);
      const int32_t lineEnd = AddI(x0, lineLength);
      TPenRec black;
      black.Width = 6;
      ApplyPen(RunPen(black, static_cast<int>(k)));
      plotter_->Line(x0, y, lineEnd, y);
      x += widths[k] + gap;
      if (printing_ && previewActive_ && !dryRun_) continue;
      ApplyFontScaled(l.Font, factor);
      plotter_->Text(runs_[k].Name, AddI(lineEnd, d), y, paLeft, paMiddle);
    }
  }
}

void TVQRDiagram::DrawLegendItem(bool withLine, const std::string& text) {
  const TLegendLayout& l = layout_.Legend;
  points_.fill(TPoint{});
  const TPoint p{
      AddI(drawRect_.left, RoundI(static_cast<double>(l.StartX) * scaleX_ +
                                  static_cast<double>(l.StepX) * scaleX_ * legendIndex_)),
      AddI(drawRect_.top, RoundI(static_cast<double>(l.StartY) * scaleY_ +
                                 static_cast<double>(l.StepY) * scaleY_ * legendIndex_))};
  const int32_t lineEnd = AddI(p.x, RoundI(static_cast<double>(l.Length) * scaleX_));
  if (withLine) plotter_->Line(p.x, p.y, lineEnd, p.y);  // with the current pen
  ApplyFont(l.Font);
  const int32_t d = RoundI(static_cast<double>(l.NumberOffset) * scaleX_);
  int32_t x = d < 0 ? AddI(p.x, d) : AddI(lineEnd, d);
  int h = d < 0 ? paRight : paLeft;
  ++legendIndex_;
  if (!withLine) {
    x = p.x;
    h = paLeft;
  }
  if (printing_ && previewActive_ && !dryRun_) return;
  plotter_->Text(text, x, p.y, h, paMiddle);
}

// ------------------------------------------------------------ comparison

void TVQRDiagram::SetComparison(std::vector<TDiagramRun> runs, const AxisRange& ownTime,
                                const AxisRange& ownValue) {
  runs_ = std::move(runs);
  if (!runs_.empty()) runs_[0].Data = &data_;
  ownTime_ = ownTime;
  ownValue_ = ownValue;
}

TPenRec TVQRDiagram::RunPen(const TPenRec& pen, int k) {
  if (k <= 0) return pen;
  TPenRec p = pen;
  double lighter = 0.0;
  if (pen.Style == 0) {
    p.Style = static_cast<uint8_t>(1 + (k - 1) % 4);
    lighter = (k - 1) / 4 * 0.5;
  } else {
    lighter = std::min(0.85, 0.1 + 0.1 * k);
  }
  if (lighter > 0.0) {
    const uint32_t c = ResolveColor(pen.Color);
    uint32_t mixed = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const uint32_t part = (c >> shift) & 0xFF;
      mixed |= static_cast<uint32_t>(part + RoundI((255.0 - part) * lighter)) << shift;
    }
    p.Color = static_cast<int32_t>(mixed);
  }
  return p;
}
