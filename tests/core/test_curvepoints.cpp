#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "chart/curvepoints.h"
#include "chart/recordingdc.h"
#include "chart/vqrplotter.h"

namespace {

// What the plotter sends to the device for the merged points of span.
std::vector<std::vector<TPoint>> Drawn(const std::vector<int32_t>& xs,
                                       const std::vector<int32_t>& ys, const TSampleSpan& span,
                                       TPoint origin, float scale, int32_t offset,
                                       const TRect& box) {
  RecordingDC dc;
  TVQRPlotter plotter;
  plotter.SetDC(&dc);
  plotter.SetScale(offset, 0, scale);
  std::vector<TPoint> points(xs.size() + 1);
  const int count = MergeSamples(
      xs.data(), span, origin, [&ys](int i) { return ys[i]; }, [](int) {}, points.data(),
      static_cast<int>(points.size()));
  plotter.Polyline(points.data(), count, box);
  std::vector<std::vector<TPoint>> out;
  for (const RecordingDC::Call& c : dc.Of(RecordingDC::Op::Polyline)) out.push_back(c.points);
  return out;
}

// Leaving out the samples outside the box must not change a single drawn
// point, whatever the order of the samples' columns, however many share a
// column, and wherever the start point lies.
TEST(CurvePoints, LeavingOutSamplesOutsideDrawsTheSameCurve) {
  struct {
    const char* name;
    int step;     // largest column step between samples (0: all on one column)
    int back;     // one sample in `back` steps back instead
    float scale;  // the plotter's
    int32_t offset;
  } cases[] = {
      {"zoomed in: one sample every few columns", 6, 0, 1.0f, 0},
      {"zoomed out: many samples share a column", 1, 0, 1.0f, 0},
      {"times running back now and then", 4, 7, 1.0f, 0},
      {"scaled and moved like a printed page", 3, 0, 2.37f, -55},
      {"scaled down", 5, 11, 0.41f, 17},
      {"a single column", 0, 0, 1.0f, 0},
  };
  std::mt19937 rng(7);
  for (const auto& c : cases) {
    for (int round = 0; round < 400; ++round) {
      const int n = 1 + static_cast<int>(rng() % 300);
      std::vector<int32_t> xs(n), ys(n);
      int32_t x = static_cast<int32_t>(rng() % 40) - 20, y = 50;
      for (int i = 0; i < n; ++i) {
        if (i > 0 && rng() % 3 == 0) {  // the same pixel again
          xs[i] = x;
          ys[i] = y;
          continue;
        }
        if (c.back && rng() % c.back == 0)
          x -= static_cast<int32_t>(rng() % 30);
        else if (c.step)
          x += static_cast<int32_t>(rng() % (c.step + 1));
        y += static_cast<int32_t>(rng() % 9) - 4;
        xs[i] = x;
        ys[i] = y;
      }
      // A box somewhere over the curve, sometimes beside it.
      const int32_t left = static_cast<int32_t>(rng() % 400) - 50;
      const TRect box{left, 20, left + static_cast<int32_t>(rng() % 300), 80};
      // The start point on the first column now and then.
      const TPoint origin{rng() % 4 == 0 ? xs[0] : 0, rng() % 4 == 0 ? ys[0] : 0};
      TVQRPlotter mapping;
      mapping.SetScale(c.offset, 0, c.scale);
      const TInputColumns cols =
          InputColumns([&mapping](int32_t v) { return mapping.MapX(v); }, box.left, box.right);
      const TSampleSpan span = VisibleSamples(xs.data(), n, cols);
      ASSERT_EQ(Drawn(xs, ys, span, origin, c.scale, c.offset, box),
                Drawn(xs, ys, AllSamples(n), origin, c.scale, c.offset, box))
          << c.name << ", round " << round;
    }
  }
}

// The saving itself: a zoomed view of a long recording merges only the
// samples near it.
TEST(CurvePoints, AZoomedViewMergesOnlyTheSamplesNearIt) {
  std::vector<int32_t> xs;
  for (int i = 0; i < 1500; ++i) xs.push_back(-3000 + 4 * i);  // columns -3000 .. 2996
  const auto identity = [](int32_t v) { return v; };
  const struct {
    int32_t left, right;
    int begin, end;
  } cases[] = {{100, 900, 774, 976},      // first inside 775, last inside 975
               {-5000, -4000, 0, 0},      // left of every sample
               {5000, 6000, 1499, 1500},  // right of every sample: only the last
               {-3000, 2996, 0, 1500}};
  for (const auto& c : cases) {
    const TSampleSpan span =
        VisibleSamples(xs.data(), 1500, InputColumns(identity, c.left, c.right));
    EXPECT_EQ(span.Begin, c.begin) << c.left;
    EXPECT_EQ(span.End, c.end) << c.left;
  }
}

}  // namespace
