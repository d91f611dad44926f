#pragma once
// A curve's points from its samples: samples that stay on the pixel of the
// last point are merged into the next point as their mean. When the time
// axis shows only part of a recording, the samples far outside it are left
// out in a way that keeps every visible point and every cut at the plot's
// edges as the whole recording gives them.

#include <cstdint>
#include <limits>

#include "chart/drawmath.h"
#include "data/vqrtypes.h"

/// The inputs of a plotter's x mapping that land inside [left, right]:
/// x < First lands left of it, x >= Past right of it.
struct TInputColumns {
  int64_t First = std::numeric_limits<int64_t>::min();
  int64_t Past = std::numeric_limits<int64_t>::max();
};

/// The columns for a non-decreasing mapX (int32_t -> int32_t).
template <class MapX>
TInputColumns InputColumns(const MapX& mapX, int32_t left, int32_t right) {
  // The smallest input whose image exceeds limit (or is at least it).
  auto firstAbove = [&mapX](int32_t limit, bool orEqual) {
    int64_t lo = std::numeric_limits<int32_t>::min();
    int64_t hi = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    while (lo < hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      const int32_t m = mapX(static_cast<int32_t>(mid));
      if (m > limit || (orEqual && m == limit))
        hi = mid;
      else
        lo = mid + 1;
    }
    return lo;
  };
  return {firstAbove(left, true), firstAbove(right, false)};
}

/// Which samples to merge: those from Begin to Count; from End on, every
/// sample lands right of the columns, and the first point there whose input
/// is Past or beyond ends the curve.
struct TSampleSpan {
  int Begin = 0;
  int End = 0;
  int Count = 0;
  int64_t Past = std::numeric_limits<int64_t>::max();
};

/// All n samples.
inline TSampleSpan AllSamples(int n) { return {0, n, n}; }

/// The samples of xs[0..n) (a recording's sample columns) that give the same
/// curve inside cols as all of them, from any start point. Times in any
/// order are allowed; they only leave more samples in.
TSampleSpan VisibleSamples(const int32_t* xs, int n, const TInputColumns& cols);

/// Merges the samples of span into out (at most cap points) and returns the
/// count. yOf(i) is the y of sample i; each(i) is called for every merged
/// sample. origin is the last point before the first sample.
template <class YOf, class Each>
int MergeSamples(const int32_t* xs, const TSampleSpan& span, TPoint origin, const YOf& yOf,
                 const Each& each, TPoint* out, int cap) {
  int count = 0;
  int64_t sumX = 0, sumY = 0, n = 0;
  // A later start follows a column other than its own, so its sample is a
  // point of its own, as in the whole curve.
  int32_t lastX = span.Begin > 0 ? xs[span.Begin - 1] : origin.x;
  int32_t lastY = origin.y;
  for (int i = span.Begin; i < span.Count; ++i) {
    ++n;
    const int32_t x = xs[i];
    const int32_t y = yOf(i);
    sumX += x;
    sumY += y;
    each(i);
    if (x == lastX && y == lastY) continue;
    const TPoint p{vqrdraw::RoundI(static_cast<double>(sumX) / n),
                   vqrdraw::RoundI(static_cast<double>(sumY) / n)};
    if (count < cap) out[count++] = p;
    lastX = p.x;
    lastY = p.y;
    sumX = sumY = n = 0;
    if (i >= span.End && p.x >= span.Past) break;
  }
  return count;
}
