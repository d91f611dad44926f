#include <gtest/gtest.h>

#include <algorithm>

#include "drawfixture.h"

namespace {

using Op = RecordingDC::Op;

// ----------------------------------------------------------------- labels

TEST(Labels, TickLabelsHaveTheirWidthDecimalsAndUnits) {
  const struct {
    int axis;
    AxisRange range;
    int tick;
    const char* label;
  } cases[] = {{1, {10, 1.0f, 0, 1, 2, false}, 5, "0.50"},
               {1, {10, 100.0f, 0, 1, 2, false}, 10, "100.00"},  // longer than the width: kept
               {1, {10, 10.0f, -5.0f, 2, 0, false}, 0, " 5"},    // the start shifts
               {2, {8, 16.0f, 0, 9, 3, false}, 4, " 8"},         // two characters
               {2, {8, 16.0f, -12.0f, 0, 0, false}, 8, "28"},
               {0, {12, 172800.0f, 0, 2, 0, false}, 1, " 4"},
               {0, {12, 21600.0f, 0, 1, 1, false}, 1, "0.5"},
               {0, {16, 345600.0f, 0, 1, 0, true}, 4, "1"},  // days
               {3, {}, 0, "??"}};
  for (const auto& c : cases) {
    TVqrDataObjectNew data;
    TVQRDiagram diagram{data};
    (c.axis == 0 ? data.TimeAxis : c.axis == 1 ? data.ValueAxis : data.TempAxis) = c.range;
    EXPECT_EQ(diagram.TickLabel(c.axis, c.tick), c.label);
    EXPECT_EQ(diagram.UnitText(0), c.range.TimeInDays ? "Tage" : "Std");
  }
  TVqrDataObjectNew data;
  TVQRDiagram diagram{data};
  EXPECT_EQ(diagram.UnitText(1), "McF");
  EXPECT_EQ(diagram.UnitText(-1), "??");
  EXPECT_FLOAT_EQ(diagram.AxisValue(7, 1), 0.0f);
}

// ------------------------------------------------------------------- axes

TEST(Axes, TicksLabelsAndUnitOnTheDefaultScreen) {
  DrawFixture f;
  f.diagram.SetWindowMode(1);
  f.DrawScreen();
  // X: 13 ticks 5 mm long, labels 5 mm below, centred and top-aligned.
  const auto segs = f.dc.Segments();
  EXPECT_EQ(segs[1].from, (TPoint{200, 1815}));
  EXPECT_EQ(segs[1].to, (TPoint{200, 1765}));
  EXPECT_EQ(segs[13].from.x, 2450);
  const auto texts = f.dc.Texts();
  ASSERT_GE(texts.size(), 14u);
  EXPECT_EQ(texts[0].text, " 0");
  EXPECT_EQ(texts[0].rect, (TRect{200, 1840, 200, 1840}));
  EXPECT_EQ(texts[0].h, DcHAlign::Center);
  EXPECT_EQ(texts[0].v, DcVAlign::Top);
  EXPECT_EQ(texts[12].text, "12");
  EXPECT_EQ(texts[13].text, "Std");
  EXPECT_EQ(texts[13].rect.left, 2550);  // 10 mm beyond the axis end
  // Y: labels end 5 mm left of the axis, centred on their ticks.
  const auto y5 = std::find_if(texts.begin(), texts.end(), [](auto& t) { return t.text == "0.5"; });
  ASSERT_NE(y5, texts.end());
  EXPECT_EQ(y5->h, DcHAlign::Right);
  EXPECT_EQ(y5->v, DcVAlign::Baseline);
  EXPECT_EQ(y5->rect.left, 150);
  EXPECT_EQ(y5->rect.top, 1990 - (950 - 28));  // half of FontHeight 56 below the tick
  EXPECT_EQ(f.diagram.PlotRect(), (TRect{200, 1790, 2450, 290}));
  EXPECT_FLOAT_EQ(f.diagram.DivWidthX(), 2250.0f / 12);
  EXPECT_FLOAT_EQ(f.diagram.DivWidthY(), 150.0f);
}

TEST(Axes, PositiveLabelOffsetsChangeSides) {
  DrawFixture f;
  f.diagram.SetWindowMode(1);
  f.diagram.Layout().XAxis.LabelOffset = 40;
  f.diagram.Layout().YAxis.LabelOffset = 40;
  f.DrawScreen();
  const auto texts = f.dc.Texts();
  EXPECT_EQ(texts[0].v, DcVAlign::Bottom);
  EXPECT_EQ(texts[0].rect.top, 1990 - 240);  // above the axis
  EXPECT_EQ(texts[14].h, DcHAlign::Left);    // first Y label, right of the axis
  EXPECT_EQ(texts[14].rect.left, 240);
}

TEST(Axes, TemperatureAxisAndLegendOnlyInCombinations) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  f.ShowChannels({3, 17});
  f.diagram.SetWindowMode(3);
  f.DrawScreen();
  EXPECT_FALSE(f.HasText("Celsius"));
  EXPECT_FALSE(f.HasText("Kanal"));

  for (int mode : {18, 19}) {
    f.ShowChannels({3, 17});
    f.diagram.SetWindowMode(mode);
    f.DrawScreen();
    EXPECT_TRUE(f.HasText("Celsius"));
    EXPECT_TRUE(f.HasText("28"));
    EXPECT_TRUE(f.HasText("Kanal"));
    EXPECT_TRUE(f.HasText("3"));
    EXPECT_TRUE(f.HasText("T"));
  }
  f.ShowChannels({3});
  f.DrawScreen();
  EXPECT_FALSE(f.HasText("Celsius"));
  EXPECT_FALSE(f.HasText("T"));
}

TEST(Axes, PreviewDrawsLinesButNoText) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  f.diagram.SetWindowMode(18);
  f.ShowChannels({1, 2, 17});
  f.diagram.Layout().GridStyle = 2;
  f.DrawPrinter({0, 0, 7000, 5000}, {20, 20, 720, 520});
  EXPECT_TRUE(f.dc.Texts().empty());
  EXPECT_EQ(f.dc.Of(Op::Polyline).size(), 3u);
  // Axis lines, 13 + 11 + 9 ticks, 22 grid lines, 3 legend lines.
  EXPECT_EQ(f.dc.Segments().size(), 3u + 13 + 11 + 9 + 22 + 3);
}

// ------------------------------------------------------------------- grid

TEST(Grid, LinesOrCrossesInsideTheAxes) {
  DrawFixture f;
  f.diagram.Layout().GridPen.Color = 0x00AA00;
  f.diagram.Layout().GridStyle = 2;
  f.DrawScreen();
  const auto lines = f.SegmentsOfColor(0x00AA00);
  ASSERT_EQ(lines.size(), 22u);  // not on the axes themselves
  EXPECT_EQ(lines[0].from, (TPoint{200, 1640}));
  EXPECT_EQ(lines[0].to, (TPoint{2450, 1640}));
  EXPECT_EQ(lines[10].from, (TPoint{388, 1790}));  // 187.5 -> 188
  EXPECT_EQ(lines[10].to, (TPoint{388, 290}));

  f.diagram.Layout().GridStyle = 1;
  f.DrawScreen();
  const auto grid = f.SegmentsOfColor(0x00AA00);
  ASSERT_EQ(grid.size(), 2u * 120);  // 12 x 10 crosses of two strokes
  for (const auto& s : grid) {
    EXPECT_GT(std::min(s.from.x, s.to.x), 200 - 20);
    EXPECT_NE((s.from.x + s.to.x) / 2, 200);   // none on the value axis
    EXPECT_NE((s.from.y + s.to.y) / 2, 1790);  // none on the time axis
  }
  // A fifth of a division: 187.5 x 0.1 -> 19 pixels either side, 15 vertically.
  EXPECT_EQ(grid[0].from, (TPoint{369, 1640}));
  EXPECT_EQ(grid[0].to, (TPoint{407, 1640}));
  EXPECT_EQ(grid[1].from, (TPoint{388, 1655}));
  EXPECT_EQ(grid[1].to, (TPoint{388, 1625}));

  f.diagram.Layout().GridStyle = 7;
  f.DrawScreen();
  EXPECT_TRUE(f.SegmentsOfColor(0x00AA00).empty());
}

// ----------------------------------------------------------------- curves

TEST(Curves, SamplesOnOnePixelAreMergedIntoTheNextPoint) {
  DrawFixture f;
  f.diagram.SetWindowMode(1);
  f.Add(0, 0.0f);     // on the origin pixel: merged
  f.Add(1, 0.0f);     // still there: merged
  f.Add(1000, 0.0f);  // moves: emits the mean of all three
  f.Add(1001, 0.0f);  // x 252 differs from the emitted 217
  f.Add(2000, 0.5f);
  f.Add(2001, 0.5f);  // same pixel as the last point: waits
  f.DrawScreen();
  const auto polys = f.dc.Of(Op::Polyline);
  ASSERT_EQ(polys.size(), 1u);
  const std::vector<TPoint> expected = {{217, 1790}, {252, 1790}, {304, 1040}};
  EXPECT_EQ(polys[0].points, expected);
  EXPECT_TRUE(polys[0].clipped);
  EXPECT_EQ(f.dc.Of(Op::Clip).front().rect, f.diagram.PlotRect());
}

TEST(Curves, AreCutAtThePlotRectangle) {
  DrawFixture f;
  f.diagram.SetWindowMode(3);
  f.Add(0, 0.5f);       // (200, 1040), inside
  f.Add(21600, 1.5f);   // (1325, -460), above the value axis
  f.Add(43200, -0.5f);  // (2450, 2540), below the time axis
  f.Add(50000, 0.5f);   // (2804, 1040), right of the plot
  f.DrawScreen();
  const auto polys = f.dc.Of(Op::Polyline);
  ASSERT_EQ(polys.size(), 2u) << f.dc.Dump();
  // The point inside keeps its place; the cuts lie on the edges.
  EXPECT_EQ(polys[0].points, (std::vector<TPoint>{{200, 1040}, {762, 290}}));
  EXPECT_EQ(polys[1].points, (std::vector<TPoint>{{1606, 290}, {2169, 1790}}));
  EXPECT_EQ(f.diagram.PlotRect(), (TRect{200, 1790, 2450, 290}));
}

TEST(Curves, StopAtTheFirstEmptySlot) {
  DrawFixture f;
  f.diagram.SetWindowMode(2);
  for (int i = 0; i < 10; ++i) f.Add(i * 3600, 0.1f * i + 0.05f);
  f.store.Samples[6] = TVQRSample{};
  f.DrawScreen();
  EXPECT_EQ(f.dc.Of(Op::Polyline).front().points.size(), 5u);
}

TEST(Curves, SingleWindowDrawsOnlyItsChannel) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  f.ShowChannels({1, 2, 5, 9, 17});
  f.diagram.ChannelPens()[5].Color = 0x123456;
  f.diagram.SetWindowMode(5);
  f.DrawScreen();
  const auto polys = f.dc.Of(Op::Polyline);
  ASSERT_EQ(polys.size(), 1u);
  EXPECT_EQ(polys[0].pen.Color, 0x123456u);
  for (int ch = 1; ch <= kTempChannel; ++ch)
    EXPECT_EQ(f.diagram.ChannelPens()[ch].Visible, ch == 5);
}

TEST(Curves, CombinationDrawsVisibleChannelsInOrderWithLegend) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  f.ShowChannels({12, 4, 17});
  f.diagram.SetWindowMode(18);
  f.DrawScreen();
  EXPECT_EQ(f.dc.Of(Op::Polyline).size(), 3u);
  std::vector<std::string> legend;
  for (const auto& t : f.dc.Texts())
    if (t.rect.left >= 2650) legend.push_back(t.text);
  EXPECT_EQ(legend, (std::vector<std::string>{"Kanal", "4", "12", "T"}));
  // Title at (265 mm, 160 mm); entry 1 is 8 mm lower with a 10 mm line and
  // its number 3 mm right of it.
  const auto texts = f.dc.Texts();
  auto at = [&](const std::string& s) {
    return *std::find_if(texts.begin(), texts.end(), [&](auto& t) { return t.text == s; });
  };
  EXPECT_EQ(at("Kanal").rect, (TRect{2650, 418, 2650, 418}));
  EXPECT_EQ(at("4").rect, (TRect{2780, 498, 2780, 498}));
  EXPECT_EQ(at("4").h, DcHAlign::Left);
  const auto segs = f.dc.Segments();
  EXPECT_EQ(segs.back().from, (TPoint{2650, 630}));  // the T entry, third below the title

  f.diagram.Layout().Legend.NumberOffset = -30;
  f.DrawScreen();
  const auto moved = f.dc.Texts();
  EXPECT_TRUE(std::any_of(moved.begin(), moved.end(), [](auto& t) {
    return t.text == "4" && t.rect.left == 2620 && t.h == DcHAlign::Right;
  }));
}

TEST(Curves, ZeroPointShiftsMeasurementChannelsButNotTemperature) {
  DrawFixture f;
  f.diagram.SetWindowMode(18);
  f.diagram.BeginDraw(f.dc, {0, 0, 2871, 1991}, false);
  f.diagram.DrawAxes();
  f.diagram.DrawCurves();  // sets the factors
  f.data.Cal[1].CalMin = 0.2f;
  f.data.Cal[17].CalMin = 19.0f;
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 950);
  EXPECT_EQ(f.diagram.ValueToDeviceY(17, 20.0f), 950);  // (20 - 12) x 1500 / 16
  f.data.ZeroPoint = true;
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 650);
  EXPECT_EQ(f.diagram.ValueToDeviceY(17, 20.0f), 950);
  f.data.Scaling.UserFactor = 2.0f;
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 350);  // minus 0.2 x 2
  EXPECT_EQ(f.diagram.TimeToDeviceX(21600), 1325);
}

TEST(Curves, UserFactorScalesChannelsButNotTheTemperatureCurve) {
  DrawFixture f;
  f.Add(0, 0.25f, 20.0f);
  f.Add(43200, 0.25f, 20.0f);
  f.data.Scaling.UserFactor = 2.0f;
  f.diagram.SetWindowMode(18);
  f.ShowChannels({1, 17});
  f.DrawScreen();
  const auto polys = f.dc.Of(Op::Polyline);
  ASSERT_EQ(polys.size(), 2u);
  EXPECT_EQ(polys[0].points.back().y, 1990 - (200 + 750));  // 0.5 of the value axis
  EXPECT_EQ(polys[1].points.back().y, 1990 - (200 + 750));  // 20 degrees on 12..28
}

}  // namespace
