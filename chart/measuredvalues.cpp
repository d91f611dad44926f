#include "chart/measuredvalues.h"

#include <utility>

#include "chart/cursorpaint.h"
#include "chart/vqrdiagram.h"

TResolvedRange ResolvedRange(const TVQRDiagram& diagram, const TMeasuredRange& range) {
  const TVqrDataObjectNew& own = diagram.Data();
  const int count = DrawnSampleCount(own);
  TResolvedRange r;
  r.MarkA = range.MarkA;
  r.MarkB = range.MarkB;
  r.Marked = r.MarkA >= 1 && r.MarkB >= 1 && r.MarkA <= count && r.MarkB <= count;
  r.FromSeconds = range.FromSeconds;
  r.ToSeconds = range.ToSeconds;
  if (r.Marked) {
    if (r.MarkA > r.MarkB) std::swap(r.MarkA, r.MarkB);
    r.FromSeconds = SampleOf(own, r.MarkA).Seconds;
    r.ToSeconds = SampleOf(own, r.MarkB).Seconds;
  } else {
    r.MarkA = r.MarkB = 0;
  }
  return r;
}

std::vector<TMeasuredRow> MeasuredRows(const TVQRDiagram& diagram, const std::vector<int>& channels,
                                       const TMeasuredRange& range) {
  const TVqrDataObjectNew& own = diagram.Data();
  const TResolvedRange resolved = ResolvedRange(diagram, range);
  const int a = resolved.MarkA, b = resolved.MarkB;
  const bool marked = resolved.Marked;
  const double from = resolved.FromSeconds, to = resolved.ToSeconds;
  const bool empty = resolved.Empty();
  // Without a comparison the diagram has no runs: its own recording alone.
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  const size_t recordings = diagram.Comparing() ? runs.size() : 1;
  std::vector<TMeasuredRow> rows;
  rows.reserve(channels.size());
  for (const int ch : channels) {
    TMeasuredRow& row = rows.emplace_back();
    row.Channel = ch;
    for (size_t k = 0; k < recordings; ++k) {
      const TVqrDataObjectNew& data = k ? *runs[k].Data : own;
      TCurveStats& st = row.Runs.emplace_back();
      st.Channel = ch;
      if (marked && k == 0)
        st = CurveStatsOfSamples(data, ch, a, b);
      else if (!empty)
        st = CurveStats(data, ch, RunSeconds(diagram, k, from), RunSeconds(diagram, k, to));
    }
  }
  return rows;
}
