// Nonsense settings, axes and recordings must draw something finite and
// bounded, never crash or hang.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>

#include "chart/diagrampaint.h"
#include "drawfixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();
using F = DrawFixture;

TEST(BadSettings, DrawingStaysFiniteAndBounded) {
  const std::pair<const char*, std::function<void(F&)>> cases[] = {
      {"ZeroSpans",
       [](F& f) {
         TTestAccess::Axes(f.data).Time.Span = TTestAccess::Axes(f.data).Value.Span =
             TTestAccess::Axes(f.data).Temp.Span = 0;
       }},
      {"ZeroDivisions",
       [](F& f) {
         TTestAccess::Axes(f.data).Time.Divisions = TTestAccess::Axes(f.data).Value.Divisions = 0,
         TTestAccess::Axes(f.data).Temp.Divisions = -4;
       }},
      {"HugeDivisions",
       [](F& f) {
         TTestAccess::Axes(f.data).Time.Divisions = TTestAccess::Axes(f.data).Value.Divisions =
             INT_MAX;
       }},
      {"NotANumber",
       [](F& f) {
         TTestAccess::Axes(f.data).Time.Span = TTestAccess::Scaling(f.data).UserFactor = kNaN,
         TTestAccess::Axes(f.data).Value.Start = kInf, TTestAccess::Axes(f.data).Temp.Span = -kInf;
       }},
      {"HugeFormat",
       [](F& f) {
         TTestAccess::Axes(f.data).Value = {10, 3e38f, -3e38f, INT_MAX, INT_MAX, false},
         TTestAccess::Axes(f.data).Time.Decimals = INT_MIN;
       }},
      {"NegativeLengths",
       [](F& f) {
         auto& l = f.diagram.Layout();
         l.XAxis.Length = 0, l.YAxis.Length = -1500, l.TAxis.TicLength = -50,
         l.Legend.Length = -100;
       }},
      {"ExtremeLengths",
       [](F& f) {
         auto& l = f.diagram.Layout();
         l.XAxis.Length = l.Legend.StepY = l.DataStartY = l.XAxis.UnitOffset = INT_MAX,
         l.XAxis.StartX = l.YAxis.LabelOffset = INT_MIN;
       }},
      {"HugeFontsAndPens",
       [](F& f) {
         auto& l = f.diagram.Layout();
         l.XAxis.LabelFont.Size = l.YAxis.Pen.Width = f.diagram.ChannelPens()[1].Width = INT_MAX,
         l.Legend.Font.Size = INT_MIN, l.GridPen.Width = -5;
       }},
      {"HugeBordersAndFactors",
       [](F& f) {
         auto& l = f.diagram.Layout();
         l.BorderLeft = l.BorderRight = INT_MAX, l.BorderTop = INT_MIN,
         f.diagram.PrintOptions().Landscape = {1e30f, kNaN, 1e-30f, kInf};
       }},
      {"NoSamples", [](F& f) { f.store = TVQRDataObject{}; }},
      {"NoStore", [](F& f) { f.data.SetStore(nullptr); }},
      {"CountBeyondSlots", [](F& f) {
         f.store.SampleCount = 100000, f.store.Samples[7].Seconds = INT_MAX,
         f.store.Samples[8].Seconds = -100000;
       }}};
  for (const auto& [name, spoil] : cases) {
    SCOPED_TRACE(name);
    F f;
    for (int i = 0; i < 300; ++i) f.Add(i * 120, 0.001f * i, 15.0f + 0.02f * i);
    spoil(f);
    for (int mode : {3, 18}) {
      f.diagram.SetWindowMode(mode);
      f.ShowChannels({1, 5, 17});
      for (int style : {1, 2}) {
        f.diagram.Layout().GridStyle = static_cast<uint8_t>(style);
        f.DrawScreen({0, 0, 800, 600});
        EXPECT_LT(f.dc.Calls().size(), 200000u);
        f.DrawPrinter({0, 0, 7000, 5000});
        f.DrawPrinter({0, 0, 7000, 5000}, {10, 10, 500, 400});
        EXPECT_LT(f.dc.Calls().size(), 200000u);
      }
    }
    TPoint pt{400, 300};
    f.diagram.SnapToGrid(pt);
    TOverviewCells cells;
    LayoutOverviewCells(300, 180, cells);
    ComputeOverviewCells(f.diagram, cells);
    PaintOverview(f.dc, cells, true);
    EXPECT_FALSE(OverviewReadout(f.diagram).empty());
  }
}

TEST(BadSettings, TinyAndEmptyRectangles) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.diagram.SetWindowMode(18);
  f.ShowChannels({1, 17});
  for (TRect r : {TRect{0, 0, 0, 0}, TRect{5, 5, 5, 900}, TRect{100, 100, 0, 0},
                  TRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}}) {
    f.DrawScreen(r);
    EXPECT_GE(f.diagram.ScaleX(), 0.0f);
    EXPECT_GE(f.diagram.ScaleY(), 0.0f);
    f.DrawPrinter(r, r);
    EXPECT_TRUE(std::isfinite(f.diagram.PreviewScale()));
  }
  f.diagram.EndDraw();  // drawing after the device context has been released does nothing
  f.dc.Clear();
  f.diagram.DrawAxes();
  f.diagram.DrawCurves();
  EXPECT_TRUE(f.dc.Calls().empty());

  TVqrDataObjectNew freshData;
  TVQRDiagram fresh(freshData);  // drawing before any set-up does nothing
  fresh.DrawAxes();
  fresh.DrawCurves();
  TPoint pt{3, 4};
  EXPECT_EQ(fresh.SnapToGrid(pt), (TPoint{0, 0}));
}

}  // namespace
