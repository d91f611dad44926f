#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "drawfixture.h"

namespace {

struct ZoomFixture : DrawFixture {
  AxisRange time{12, 172800.0f, 0.0f, 2, 0, false};  // 48 h
  AxisRange value{10, 1.0f, 0.0f, 1, 1, false};
  ZoomFixture() {
    obj.TimeAxis = time;
    obj.ValueAxis = value;
    obj.SetWindowMode(1);
    DrawScreen();
  }
};

TEST(ZoomSnap, SnapsToTheNearestCrossingOfTheLastDrawing) {
  ZoomFixture f;
  struct {
    TPoint in, snapped, index;
  } cases[] = {
      {{400, 1500}, {388, 1490}, {1, -2}},  // above the time axis: negative y indexes
      {{200, 1790}, {200, 1790}, {0, 0}},
      {{294, 1715}, {388, 1790}, {1, 0}},  // -0.5 divisions rounds to the even 0
      {{2600, 100}, {2638, 140}, {13, -11}},
  };
  for (const auto& c : cases) {
    TPoint pt = c.in;
    EXPECT_EQ(f.obj.SnapToGrid(pt), c.index) << c.in.x << "," << c.in.y;
    EXPECT_EQ(pt, c.snapped);
  }
}

TEST(Zoom, SelectionRefitsTimeAndValueAxesOnly) {
  ZoomFixture f;
  EXPECT_FALSE(f.obj.RestoreZoom());  // nothing to restore yet
  const AxisRange temp = f.obj.TempAxis;
  f.obj.SetZoom({2, 3, 5, 7});  // 8 h .. 20 h, 0.3 .. 0.7
  EXPECT_TRUE(f.obj.ZoomAvailable);
  EXPECT_EQ(f.obj.TimeAxis.Divisions, 12);
  EXPECT_FLOAT_EQ(f.obj.TimeAxis.Span, 43200.0f);
  EXPECT_FLOAT_EQ(f.obj.TimeAxis.Start, -28800.0f);
  EXPECT_EQ(f.obj.ValueAxis.Divisions, 8);
  EXPECT_NEAR(f.obj.ValueAxis.Span, 0.4f, 1e-6);
  EXPECT_NEAR(f.obj.ValueAxis.Start, -0.3f, 1e-6);
  EXPECT_EQ(f.obj.TempAxis, temp);
  EXPECT_EQ(f.obj.SavedX, f.time);
  EXPECT_EQ(f.obj.SavedY, f.value);

  f.DrawScreen();  // the labels follow the zoomed axes
  EXPECT_EQ(f.dc.Texts().front().text, " 8");
  EXPECT_TRUE(f.HasText("0.30"));

  const AxisRange zoomedX = f.obj.TimeAxis;
  f.obj.ResetZoom();
  EXPECT_EQ(f.obj.TimeAxis, f.time);
  EXPECT_EQ(f.obj.ValueAxis, f.value);
  EXPECT_TRUE(f.obj.RestoreZoom());
  EXPECT_EQ(f.obj.TimeAxis, zoomedX);

  ZoomFixture reversed;  // corners in the other order: the same scales
  reversed.obj.SetZoom({5, 7, 2, 3});
  EXPECT_EQ(reversed.obj.TimeAxis, zoomedX);
}

TEST(Zoom, SelectionBetweenTwoCrossingsCountsMagnitudes) {
  EXPECT_EQ(ZoomSelBetween({5, -7}, {2, -3}), (TZoomSel{2, 3, 5, 7}));
  EXPECT_EQ(ZoomSelBetween({INT_MIN, 0}, {1, INT_MIN}), (TZoomSel{1, 0, INT_MAX, INT_MAX}));
}

TEST(Zoom, UnusableOrWildSelectionsKeepTheScalesFinite) {
  const TZoomSel sels[] = {{3, 3, 3, 3},
                           {0, 0, 0, 5},
                           {-50, -50, 50, 50},
                           {0, 0, INT_MAX, INT_MAX},
                           {INT_MIN, INT_MIN, INT_MAX, INT_MAX}};
  for (const TZoomSel& sel : sels) {
    ZoomFixture f;
    f.obj.SetZoom(sel);
    for (const AxisRange* a : {&f.obj.TimeAxis, &f.obj.ValueAxis}) {
      EXPECT_TRUE(std::isfinite(a->Span));
      EXPECT_TRUE(std::isfinite(a->Start));
      EXPECT_GE(a->Divisions, 1);
    }
    if (!f.obj.ZoomAvailable) {
      EXPECT_EQ(f.obj.TimeAxis, f.time);  // an empty selection changes nothing
    }
    f.DrawScreen();
    f.obj.ResetZoom();
    EXPECT_EQ(f.obj.TimeAxis, f.time);
  }
}

}  // namespace
