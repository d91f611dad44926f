// The limits of a curve in the diagram: dashed lines in the curve's colour,
// and under the curve the parts outside them lightly marked.

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/curvestats.h"
#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "chart/vqrplotter.h"

using vqrdraw::AddI;
using vqrdraw::RoundI;

namespace {

/// A colour three quarters of the way to white; a system colour as grey.
int32_t Light(int32_t color) {
  if (color < 0) color = 0x808080;
  int32_t light = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int c = (color >> shift) & 0xFF;
    light |= (c + (255 - c) * 3 / 4) << shift;
  }
  return light;
}

}  // namespace

int TVQRDiagram::DrawnToDeviceY(int ch, double drawn) const {
  if (ch == kTempChannel) return AddI(originY_, RoundI((drawn + tempStart_) * tempFactor_));
  return AddI(originY_, RoundI((drawn + valueStart_) * valueFactor_));
}

void TVQRDiagram::DrawOutsideMarks(int ch, const TVqrDataObjectNew& data,
                                   const std::vector<int32_t>& xs, const TPenRec& pen) {
  if (dryRun_ || !plotter_ || !limits_.Has(ch)) return;
  const auto lower = limits_.Lower[static_cast<size_t>(ch)];
  const auto upper = limits_.Upper[static_cast<size_t>(ch)];
  auto outside = [&](double v) { return (upper && v > *upper) || (lower && v < *lower); };
  // A broad light band under the curve, whatever the print's colours.
  TPenRec mark;
  mark.Color = Light(allBlackActive_ ? 0 : pen.Color);
  mark.Width = std::max(3, RoundI((static_cast<double>(pen.Width) * 3.0 + 12.0) * meanScale_));
  mark.Visible = 1;
  plotter_->SetPen(mark);
  if (canvas_) canvas_->SetClipRect(grid_.PlotRect);
  auto segment = [&](double x0, double v0, double x1, double v1) {
    TPoint p[2] = {{RoundI(x0), DrawnToDeviceY(ch, v0)}, {RoundI(x1), DrawnToDeviceY(ch, v1)}};
    plotter_->Polyline(p, 2, grid_.PlotRect);
  };
  const int n = static_cast<int>(xs.size());
  for (int i = 1; i <= n; ++i) {
    const double v1 = DrawnValue(data, i, ch);
    if (i == 1) {
      if (outside(v1)) segment(xs[0], v1, xs[0], v1);
      continue;
    }
    const double v0 = DrawnValue(data, i - 1, ch);
    const double x0 = xs[i - 2], x1 = xs[i - 1];
    // The fractions of the segment where it meets a limit cut it into
    // stretches inside or outside throughout.
    double cuts[4] = {0.0, 1.0, 1.0, 1.0};
    int count = 1;
    for (const auto& limit : {lower, upper})
      if (limit && v0 != v1) {
        const double f = (*limit - v0) / (v1 - v0);
        if (f > 0.0 && f < 1.0) cuts[count++] = f;
      }
    cuts[count++] = 1.0;
    // At most four: sorted in place.
    for (int k = 1; k < count; ++k)
      for (int j = k; j > 0 && cuts[j - 1] > cuts[j]; --j) std::swap(cuts[j - 1], cuts[j]);
    for (int k = 0; k + 1 < count; ++k) {
      const double f0 = cuts[k], f1 = cuts[k + 1];
      if (f1 <= f0 || !outside(v0 + (f0 + f1) / 2.0 * (v1 - v0))) continue;
      segment(x0 + f0 * (x1 - x0), v0 + f0 * (v1 - v0), x0 + f1 * (x1 - x0), v0 + f1 * (v1 - v0));
    }
  }
  if (canvas_) canvas_->ClearClip();
}

void TVQRDiagram::DrawLimitLines(int ch) {
  if (dryRun_ || !plotter_ || !limits_.Has(ch)) return;
  TPenRec line = pens_[ch];
  line.Style = 1;  // dashed
  ApplyPen(line);
  const int32_t x0 = originX_;
  const int32_t x1 = AddI(originX_, RoundI(static_cast<double>(layout_.XAxis.Length) * scaleX_));
  if (canvas_) canvas_->SetClipRect(grid_.PlotRect);
  for (const auto& limit :
       {limits_.Lower[static_cast<size_t>(ch)], limits_.Upper[static_cast<size_t>(ch)]}) {
    if (!limit) continue;
    const int32_t y = DrawnToDeviceY(ch, *limit);
    TPoint p[2] = {{x0, y}, {x1, y}};
    plotter_->Polyline(p, 2, grid_.PlotRect);
  }
  if (canvas_) canvas_->ClearClip();
  ApplyPen(pens_[ch]);  // the curve's pen again, as the legend expects it
}
