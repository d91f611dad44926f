// Overview thumbnails: one column of averaged values per pixel of a cell.

#include <algorithm>

#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "data/numtext.h"
#include "data/translate.h"

using vqrdraw::RoundI;
using vqrdraw::SafeDiv;
using vqrdraw::ToFloat;

void TVQRDiagram::ComputeOverview(int ch, TOverviewCell& cell) const {
  cell.Points.fill(-999);
  if (ch < 1 || ch > kTempChannel) return;
  // The whole recording from time 0 and value 0 fills the cell; zoom, axis
  // starts and zero-point correction play no part.
  // In a comparison the overview keeps its own recording's axes.
  const AxisRange& time = Comparing() ? ownTime_ : data_.Axes().Time();
  const AxisRange& values = Comparing() ? ownValue_ : data_.Axes().Value();
  const float xs = ToFloat(SafeDiv(cell.PlotWidth, time.Span));
  const float ys = ToFloat(SafeDiv(cell.PlotHeight, values.Span));
  int32_t column = 0;
  float sum = 0.0f;
  int32_t n = 0;
  auto flush = [&](int32_t next) {
    if (n > 0) {
      const int32_t at = std::clamp(column, 0, static_cast<int32_t>(cell.Points.size()) - 1);
      cell.Points[at] =
          static_cast<int16_t>(std::clamp(RoundI(static_cast<double>(sum) / n), -32768, 32767));
    }
    sum = 0.0f;
    n = 0;
    column = next;
  };
  const int count = data_.Recording().Store()
                        ? std::clamp(data_.Recording().Store()->SampleCount, 0, kMaxSamples)
                        : 0;
  for (int i = 1; i <= count; ++i) {
    const TVQRSample& s = data_.Recording().Store()->Samples[i];
    const int32_t c = RoundI(static_cast<double>(s.Seconds) * xs);
    sum = sum + data_.ApplyUserFactor(s.Cal[ch]) * ys;
    ++n;
    if (c != column) flush(c);
  }
  flush(column);
}

std::string TVQRDiagram::AxisScaleText(int axis) const {
  double value = 0.0;
  int decimals = 0;
  const AxisRange& time = Comparing() ? ownTime_ : data_.Axes().Time();
  const AxisRange& values = Comparing() ? ownValue_ : data_.Axes().Value();
  if (axis == 0) {
    value = time.Span / (time.TimeInDays ? 86400.0 : 3600.0);
    decimals = time.Decimals;
  } else if (axis == 1) {
    value = values.Span;
    decimals = values.Decimals;
  } else {
    return TrText("Diagram", "undefiniert");
  }
  std::string number = FixedText(value, std::clamp(decimals, 0, 20));
  if (number.size() > 32) number.resize(32);
  if (axis == 0)
    return number + " " + (time.TimeInDays ? layout_.XAxis.UnitText2 : layout_.XAxis.UnitText1);
  return number + " " + UnitText(axis);
}
