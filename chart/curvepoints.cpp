#include "chart/curvepoints.h"

#include <algorithm>

TSampleSpan VisibleSamples(const int32_t* xs, int n, const TInputColumns& cols) {
  TSampleSpan span = AllSamples(std::max(0, n));
  span.Past = cols.Past;
  if (!xs || n <= 0) return span;
  // Every sample before the first that lands in or right of the columns
  // gives points left of them. Among those, start at the last sample whose
  // predecessor lies right of all before it and which lies right of that
  // one: the predecessor then ends a point (it cannot repeat the last one),
  // and the sample is a point of its own, whatever came before.
  int first = 0;
  while (first < n && xs[first] < cols.First) ++first;
  int32_t before = 0;  // the largest column of xs[0..i-2]
  for (int i = 2; i < first; ++i) {
    before = i == 2 ? xs[0] : std::max(before, xs[i - 2]);
    if (before < xs[i - 1] && xs[i - 1] < xs[i]) span.Begin = i;
  }
  // From End on every sample lands right of the columns.
  span.End = n;
  while (span.End > 0 && xs[span.End - 1] >= cols.Past) --span.End;
  return span;
}
