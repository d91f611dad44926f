#include <gtest/gtest.h>

#include <climits>

#include "chart/recordingdc.h"
#include "chart/vqrplotter.h"

namespace {

TEST(Plotter, ScalesMirrorsAndRoundsHalfToEven) {
  const struct {
    float scale;
    int32_t offset, mirror, in, x, y;
  } cases[] = {{1.0f, 0, 995, 200, 200, 1790},                  // screen 2871 x 1991
               {0.5f, 0, 0, 5, 2, 2},                           // 2.5 -> 2
               {0.5f, 0, 0, 7, 4, 4},                           // 3.5 -> 4
               {0.5f, 10, 0, 3, 12, 12},                        // 1.5 -> 2, offset after scale
               {0.5f, 10, 100, 3, 12, 108},                     // (200 - 3) x 0.5 = 98.5 -> 98
               {1.0f, 0, INT_MAX, INT_MIN, INT_MIN, INT_MAX}};  // saturates
  for (const auto& c : cases) {
    TVQRPlotter p;
    p.SetScale(c.offset, c.offset, c.scale);
    p.SetMirror(c.mirror);
    EXPECT_EQ(p.MapX(c.in), c.x) << c.in;
    EXPECT_EQ(p.MapY(c.in), c.y) << c.in;
  }
}

TEST(Plotter, PensFollowScaleStyleAndColour) {
  RecordingDC dc;
  TVQRPlotter p;
  p.SetDC(&dc);
  struct {
    TPenRec pen;
    float scale;
    DcPen expected;
  } cases[] = {
      {{0x123456, 3, 0, 0}, 0.2f, {0x123456, 1, DcDash::Solid}},  // 0.6 -> 1
      {{0, 0, 1, 0}, 1.0f, {0, 1, DcDash::Dash}},                 // never below 1
      {{0, -7, 2, 0}, 1.0f, {0, 1, DcDash::Dot}},
      {{0, 5, 3, 0}, 0.5f, {0, 2, DcDash::DashDot}},  // 2.5 -> 2
      {{0, 7, 4, 0}, 0.5f, {0, 4, DcDash::DashDotDot}},
      {{0x02FF0000, 1, 9, 0}, 1.0f, {0xFF0000, 1, DcDash::Solid}},         // palette flag dropped
      {{static_cast<int32_t>(0xFF000005), 1, 0, 0}, 1.0f, {0xFFFFFF, 1}},  // window colour
      {{static_cast<int32_t>(0x80000008), 1, 0, 0}, 1.0f, {0x000000, 1}},  // window text
      {{0, INT_MAX, 0, 0}, 2.0f, {0, INT_MAX, DcDash::Solid}},             // saturates
  };
  for (const auto& c : cases) {
    p.SetScale(0, 0, c.scale);
    p.SetPen(c.pen);
    EXPECT_EQ(dc.Calls().back().pen, c.expected) << "width " << c.pen.Width;
  }
}

TEST(Plotter, ClippedPolylineIsSplitAtTheEdges) {
  RecordingDC dc;
  TVQRPlotter p;
  p.SetDC(&dc);
  // Rectangle 0..100 x 0..100, given with its corners swapped.
  const TRect clip{100, 0, 0, 100};
  TPoint pts[] = {{-50, 50}, {10, 50}, {20, 60}, {150, 60}, {150, 10},
                  {50, 10},  {50, 0},  {60, 0},  {60, -9},  {-10, 110}};
  p.Polyline(pts, 10, clip);
  std::vector<std::vector<TPoint>> pieces;
  for (const auto& c : dc.Of(RecordingDC::Op::Polyline)) pieces.push_back(c.points);
  const std::vector<std::vector<TPoint>> expected = {
      {{0, 50}, {10, 50}, {20, 60}, {100, 60}},  // enters and leaves
      {{100, 10}, {50, 10}, {50, 0}, {60, 0}},   // comes back; the edge itself is inside
      {{55, 0}, {0, 93}},                        // passes through
  };
  EXPECT_EQ(pieces, expected);

  dc.Clear();
  TPoint corner[] = {{-10, 10}, {10, -10}, {110, -10}};  // touches (0, 0) only
  p.Polyline(corner, 3, clip);
  TPoint outside[] = {{200, 200}};
  p.Polyline(outside, 1, clip);
  EXPECT_TRUE(dc.Calls().empty()) << dc.Dump();
}

}  // namespace
