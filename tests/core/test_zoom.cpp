#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "drawfixture.h"

namespace {

struct ZoomFixture : DrawFixture {
  AxisRange time{12, 172800.0f, 0.0f, 2, 0, false};  // 48 h
  AxisRange value{10, 1.0f, 0.0f, 1, 1, false};
  ZoomFixture() {
    TTestAccess::Axes(data).Time = time;
    TTestAccess::Axes(data).Value = value;
    diagram.SetWindowMode(1);
    DrawScreen();
  }
};

// A print in between keeps the grid of the last screen drawing.
TEST(ZoomSnap, SnapsToTheNearestCrossingOfTheLastScreenDrawing) {
  ZoomFixture f;
  struct {
    TPoint in, snapped, index;
  } cases[] = {{{400, 1500}, {388, 1490}, {1, -2}},  // above the time axis: negative y indexes
               {{200, 1790}, {200, 1790}, {0, 0}},
               {{294, 1715}, {388, 1790}, {1, 0}},  // -0.5 divisions rounds to the even 0
               {{2600, 100}, {2638, 140}, {13, -11}}};
  for (bool printed : {false, true}) {
    if (printed) f.DrawPrinter({0, 0, 7000, 5000});
    ASSERT_EQ(f.diagram.PlotRect() != f.diagram.ScreenGrid().PlotRect, printed);
    for (const auto& c : cases) {
      TPoint pt = c.in;
      EXPECT_EQ(f.diagram.SnapToGrid(pt), c.index) << c.in.x << "," << c.in.y << " " << printed;
      EXPECT_EQ(pt, c.snapped);
    }
  }
}

TEST(ZoomSelection, TwoCrossingsInAnyOrderOfAtLeastOneDivision) {
  struct {
    TPoint from, to;
    bool accepted;
    TZoomSel sel;
  } cases[] = {
      {{1, -1}, {3, -4}, true, {1, 1, 3, 4}},  // mirrored screen: y above the axis is negative
      {{3, -4}, {1, -1}, true, {1, 1, 3, 4}},
      {{3, 1}, {1, 4}, true, {1, 1, 3, 4}},
      {{5, -7}, {2, -3}, true, {2, 3, 5, 7}},
      {{2, 2}, {2, 5}, false, {}},                                   // no width
      {{2, 2}, {4, 2}, false, {}},                                   // no height
      {{INT_MIN, 0}, {1, INT_MIN}, true, {1, 0, INT_MAX, INT_MAX}},  // the lowest counts highest
  };
  for (const auto& c : cases) {
    const TZoomSel untouched{-7, -7, -7, -7};
    TZoomSel sel = untouched;
    EXPECT_EQ(TVQRDiagram::ZoomSelection(c.from, c.to, sel), c.accepted)
        << c.from.x << "," << c.to.x;
    EXPECT_EQ(sel, c.accepted ? c.sel : untouched);  // kept when refused
  }
}

TEST(Zoom, SelectionRefitsTimeAndValueAxesOnly) {
  ZoomFixture f;
  EXPECT_FALSE(f.diagram.RestoreZoom());  // nothing to restore yet
  const AxisRange temp = f.data.Axes().Temp();
  f.diagram.SetZoom({2, 3, 5, 7});  // 8 h .. 20 h, 0.3 .. 0.7
  EXPECT_TRUE(f.diagram.ZoomAvailable());
  EXPECT_EQ(std::tuple(f.data.Axes().Time().Divisions, f.data.Axes().Time().Span,
                       f.data.Axes().Time().Start),
            std::tuple(12, 43200.0f, -28800.0f));
  EXPECT_EQ(f.data.Axes().Value().Divisions, 8);
  EXPECT_NEAR(f.data.Axes().Value().Span, 0.4f, 1e-6);
  EXPECT_NEAR(f.data.Axes().Value().Start, -0.3f, 1e-6);
  EXPECT_EQ(std::tuple(f.data.Axes().Temp(), f.diagram.SavedX(), f.diagram.SavedY()),
            std::tuple(temp, f.time, f.value));

  f.DrawScreen();  // the labels follow the zoomed axes
  EXPECT_EQ(f.dc.Texts().front().text, " 8");
  EXPECT_TRUE(f.HasText("0.30"));

  const AxisRange zoomedX = f.data.Axes().Time();
  f.diagram.ResetZoom();
  EXPECT_EQ(f.data.Axes().Time(), f.time);
  EXPECT_EQ(f.data.Axes().Value(), f.value);
  EXPECT_TRUE(f.diagram.RestoreZoom());
  EXPECT_EQ(f.data.Axes().Time(), zoomedX);
}

TEST(Zoom, UnusableOrWildSelectionsKeepTheScalesFinite) {
  const TZoomSel sels[] = {{3, 3, 3, 3},
                           {0, 0, 0, 5},
                           {-50, -50, 50, 50},
                           {0, 0, INT_MAX, INT_MAX},
                           {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  for (const TZoomSel& sel : sels) {
    ZoomFixture f;
    f.diagram.SetZoom(sel);
    for (const AxisRange* a : {&f.data.Axes().Time(), &f.data.Axes().Value()}) {
      EXPECT_TRUE(std::isfinite(a->Span));
      EXPECT_TRUE(std::isfinite(a->Start));
      EXPECT_GE(a->Divisions, 1);
    }
    if (!f.diagram.ZoomAvailable()) {
      EXPECT_EQ(f.data.Axes().Time(), f.time);  // an empty selection changes nothing
    }
    f.DrawScreen();
    f.diagram.ResetZoom();
    EXPECT_EQ(f.data.Axes().Time(), f.time);
  }
}

}  // namespace
