#include "chart/diagrampaint.h"

#include <algorithm>

#include "chart/drawmath.h"
#include "data/translate.h"

using vqrdraw::RoundI;

namespace {
int32_t Margin(int extent) { return std::max(3, RoundI(extent * 0.02)); }
}  // namespace

TRect DiagramDrawRect(int w, int h) {
  const int32_t mx = Margin(w);
  const int32_t my = Margin(h);
  return {mx, my, w - mx, h - my};
}

void PaintDiagram(TVQRDiagram& obj, IDeviceContext& dc, const TRect& drawRect) {
  dc.FillRect(drawRect, kDcWhite);
  obj.SetPrintMode(false, TRect{});
  obj.BeginDraw(dc, drawRect, true);
  obj.DrawAxes();
  obj.DrawCurves();
  obj.EndDraw();
}

void LayoutOverviewCells(int clientWidth, int statusBarTop, TOverviewCells& cells) {
  const int w = clientWidth;
  const int h = statusBarTop - 2;
  const int32_t mx = Margin(w);
  const int32_t my = Margin(h);
  const int32_t cw = (w - 5 * mx) / 4;  // truncated
  const int32_t chh = (h - 5 * my) / 4;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      TOverviewCell& c = cells[row * 4 + column + 1];
      c.Top = (my + chh) * row + my;
      c.Left = (mx + cw) * column + mx;
      c.Width = cw;
      c.Height = chh;
      c.PlotWidth = cw - 6;
      c.PlotHeight = chh - 6;
    }
  }
}

void ComputeOverviewCells(const TVQRDiagram& obj, TOverviewCells& cells) {
  for (int k = 1; k <= kMeasureChannels; ++k) obj.ComputeOverview(k, cells[k]);
}

void PaintOverview(IDeviceContext& dc, const TOverviewCells& cells, bool fillPixel) {
  const DcPen black{kDcBlack, 1, DcDash::Solid};
  const DcPen red{kDcRed, 1, DcDash::Solid};
  auto line = [&dc](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    if (dc.MoveTo(x1, y1)) dc.LineTo(x2, y2);
  };
  for (int k = 1; k <= kMeasureChannels; ++k) {
    const TOverviewCell& c = cells[k];
    const int32_t L = c.Left;
    const int32_t T = c.Top;
    const int32_t R = c.Left + c.Width - 1;
    const int32_t B = c.Top + c.Height - 1;
    dc.FillRect({L, T, R, B}, kDcWhite);

    dc.SetPen(black);
    line(L + 2, B - 4, R - 2, B - 4);
    for (double f : {0.25, 0.5, 0.75}) {
      const int32_t x = L + 4 + RoundI((R - 2 - (L + 4)) * f);
      line(x, B - 6, x, B - 2);
    }
    line(R - 2, B - 6, R - 2, B - 2);
    line(L + 4, B - 2, L + 4, T + 2);
    for (double f : {0.25, 0.5, 0.75}) {
      const int32_t y = (B - 4) - RoundI(((B - 4) - (T + 2)) * f);
      line(L + 2, y, L + 6, y);
    }
    line(L + 2, T + 2, L + 6, T + 2);

    dc.SetPen(red);
    const int last = std::min<int>(c.PlotWidth, static_cast<int>(c.Points.size()) - 1);
    bool first = true;
    for (int i = 0; i <= last; ++i) {
      if (c.Points[i] <= -999) continue;
      const int32_t x = L + 4 + i;
      const int32_t y = T + c.Height - 5 - c.Points[i];
      if (!fillPixel) {
        dc.SetPixel(x, y, kDcRed);
      } else if (first) {
        dc.MoveTo(x, y);
        first = false;
      } else {
        dc.LineTo(x, y);
      }
    }
  }
}

std::string OverviewReadout(const TVQRDiagram& obj) {
  return TrText("Diagram", "Skala H : ") + obj.AxisScaleText(0) + TrText("Diagram", "   / V : ") +
         obj.AxisScaleText(1);
}
