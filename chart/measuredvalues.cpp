#include "chart/measuredvalues.h"

#include <utility>

#include "chart/cursorpaint.h"
#include "chart/vqrdiagram.h"

std::vector<TMeasuredRow> MeasuredRows(const TVQRDiagram& diagram, const std::vector<int>& channels,
                                       const TMeasuredRange& range) {
  const TVqrDataObjectNew& own = diagram.Data();
  const int count = DrawnSampleCount(own);
  int a = range.MarkA, b = range.MarkB;
  const bool marked = a >= 1 && b >= 1 && a <= count && b <= count;
  double from = range.FromSeconds, to = range.ToSeconds;
  if (marked) {
    if (a > b) std::swap(a, b);
    from = SampleOf(own, a).Seconds;
    to = SampleOf(own, b).Seconds;
  }
  const bool empty = from > to;
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
