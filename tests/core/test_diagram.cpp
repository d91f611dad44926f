#include <gtest/gtest.h>

#include <algorithm>

#include "chart/cursorpaint.h"
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
    TAxisSet& axes = TTestAccess::Axes(data);
    (c.axis == 0 ? axes.Time : c.axis == 1 ? axes.Value : axes.Temp) = c.range;
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
  EXPECT_EQ(std::tuple(segs[1].from, segs[1].to, segs[13].from.x),
            std::tuple(TPoint{200, 1815}, TPoint{200, 1765}, 2450));
  const auto texts = f.dc.Texts();
  ASSERT_GE(texts.size(), 14u);
  EXPECT_EQ(std::tuple(texts[0].text, texts[0].rect, texts[0].h, texts[0].v, texts[12].text),
            std::tuple(" 0", TRect{200, 1840, 200, 1840}, DcHAlign::Center, DcVAlign::Top, "12"));
  EXPECT_EQ(std::tuple(texts[13].text, texts[13].rect.left),
            std::tuple("Std", 2550));  // axis + 10 mm
  // Y: labels end 5 mm left of the axis, centred on their ticks (half of FontHeight 56).
  const auto y5 = std::find_if(texts.begin(), texts.end(), [](auto& t) { return t.text == "0.5"; });
  ASSERT_NE(y5, texts.end());
  EXPECT_EQ(std::tuple(y5->h, y5->v, y5->rect.left, y5->rect.top),
            std::tuple(DcHAlign::Right, DcVAlign::Baseline, 150, 1990 - (950 - 28)));
  EXPECT_EQ(f.diagram.PlotRect(), (TRect{200, 1790, 2450, 290}));
  EXPECT_FLOAT_EQ(f.diagram.DivWidthX(), 2250.0f / 12);
  EXPECT_FLOAT_EQ(f.diagram.DivWidthY(), 150.0f);
}

TEST(Axes, TemperatureAxisAndLegendOnlyInCombinations) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  for (int mode : {3, 18, 19}) {
    f.ShowChannels({3, 17});
    f.diagram.SetWindowMode(mode);
    f.DrawScreen();
    for (const char* text : {"Celsius", "28", "Kanal", "3", "T"})
      EXPECT_EQ(f.HasText(text), mode != 3) << mode << text;
  }
  f.ShowChannels({3});
  f.DrawScreen();
  EXPECT_FALSE(f.HasText("Celsius"));
  EXPECT_FALSE(f.HasText("T"));
}

// ------------------------------------------------------------------- grid

TEST(Grid, LinesOrCrossesInsideTheAxes) {
  DrawFixture f;
  f.diagram.Layout().GridPen.Color = 0x00AA00;
  f.diagram.Layout().GridStyle = 2;
  f.DrawScreen();
  const auto lines = f.SegmentsOfColor(0x00AA00);
  ASSERT_EQ(lines.size(), 22u);  // not on the axes themselves
  EXPECT_EQ(std::tuple(lines[0].from, lines[0].to, lines[10].from, lines[10].to),  // 187.5 -> 188
            std::tuple(TPoint{200, 1640}, TPoint{2450, 1640}, TPoint{388, 1790}, TPoint{388, 290}));

  f.diagram.Layout().GridStyle = 1;
  f.DrawScreen();
  const auto grid = f.SegmentsOfColor(0x00AA00);
  ASSERT_EQ(grid.size(), 2u * 120);  // 12 x 10 crosses of two strokes
  // A fifth of a division: 187.5 x 0.1 -> 19 pixels either side, 15 vertically.
  EXPECT_EQ(std::tuple(grid[0].from, grid[0].to, grid[1].from, grid[1].to),
            std::tuple(TPoint{369, 1640}, TPoint{407, 1640}, TPoint{388, 1655}, TPoint{388, 1625}));

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

TEST(Curves, StopAtTheFirstEmptySlot) {
  DrawFixture f;
  f.diagram.SetWindowMode(2);
  for (int i = 0; i < 10; ++i) f.Add(i * 3600, 0.1f * i + 0.05f);
  f.store.Samples[6] = TVQRSample{};
  f.DrawScreen();
  EXPECT_EQ(f.dc.Of(Op::Polyline).front().points.size(), 5u);
}

TEST(Curves, SingleWindowDrawsItsChannelCombinationTheVisibleOnesWithLegend) {
  DrawFixture f;
  f.Add(0, 0.1f);
  f.Add(3600, 0.2f);
  f.ShowChannels({1, 2, 5, 9, 17});
  f.diagram.ChannelPens()[5].Color = 0x123456;
  f.diagram.SetWindowMode(5);
  f.DrawScreen();
  const auto single = f.dc.Of(Op::Polyline);
  ASSERT_EQ(single.size(), 1u);
  EXPECT_EQ(single[0].pen.Color, 0x123456u);
  for (int ch = 1; ch <= kTempChannel; ++ch)
    EXPECT_EQ(f.diagram.ChannelPens()[ch].Visible, ch == 5);

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
  TTestAccess::Cal(f.data, 1).CalMin = 0.2f;
  TTestAccess::Cal(f.data, 17).CalMin = 19.0f;
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 950);
  EXPECT_EQ(f.diagram.ValueToDeviceY(17, 20.0f), 950);  // (20 - 12) x 1500 / 16
  f.data.SetZeroPoint(true);
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 650);
  EXPECT_EQ(f.diagram.ValueToDeviceY(17, 20.0f), 950);
  TTestAccess::Scaling(f.data).UserFactor = 2.0f;
  EXPECT_EQ(f.diagram.ValueToDeviceY(1, 0.5f), 350);  // minus 0.2 x 2
  EXPECT_EQ(f.diagram.TimeToDeviceX(21600), 1325);
}

}  // namespace

namespace {

// ----------------------------------------------------------------- marker letters

// The letters "A" and "B" above two marker lines stand right of their line;
// where they would touch, the left line's letter moves to its left side, so
// that two markers close together never print one letter over the other.
TEST(MarkLabels, CloseMarkersKeepTheirLettersApart) {
  const struct {
    int32_t a, b;
    bool moved;  // the left line's letter stands left of it
  } cases[] = {{100, 300, false}, {300, 100, false}, {100, 110, false}, {100, 109, true},
               {109, 100, true},  {100, 101, true},  {100, 100, true}};
  const int32_t gap = 3, width = RecordingDC{}.TextWidth("A");
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " " << c.b);
    DrawFixture f;
    TCursorFrame frame;
    frame.PlotRect = {50, 40, 550, 500};
    frame.SampleX = {0, c.a, c.b};
    TCursorMarks marks;
    marks.MarkA = 1;
    marks.MarkB = 2;
    const TCursorReadout r = LayoutCursorReadout(f.diagram, frame, marks, f.dc);
    PaintCursorReadout(f.dc, r);
    struct Box {
      int32_t left, right;
    } box[2];
    for (const auto& t : f.dc.Texts()) {
      ASSERT_TRUE(t.text == "A" || t.text == "B");
      const int32_t left = t.h == DcHAlign::Right ? t.rect.left - width : t.rect.left;
      box[t.text == "B"] = {left, left + width};
      EXPECT_EQ(t.rect.top, frame.PlotRect.top - 1);
    }
    const bool aLeft = c.a <= c.b;
    const Box& l = box[aLeft ? 0 : 1];
    const Box& rr = box[aLeft ? 1 : 0];
    EXPECT_LT(l.right, rr.left);
    EXPECT_EQ(rr.left, std::max(c.a, c.b) + gap);
    EXPECT_EQ(l.left, c.moved ? std::min(c.a, c.b) - gap - width : std::min(c.a, c.b) + gap);
    // Everything painted lies within what the overlay says it covers.
    EXPECT_LE(r.Bounds().left, l.left);
    EXPECT_GE(r.Bounds().right, rr.right);
  }
}

}  // namespace
