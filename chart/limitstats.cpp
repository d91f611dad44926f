#include "chart/limitstats.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/measuredvalues.h"
#include "chart/vqrdiagram.h"

namespace {

struct TOutside {
  std::optional<double> lower, upper;
  bool operator()(double v) const { return (upper && v > *upper) || (lower && v < *lower); }
  /// How far v lies beyond a limit, signed; 0 inside.
  double Beyond(double v) const {
    const double above = upper && v > *upper ? v - *upper : 0.0;
    const double below = lower && v < *lower ? v - *lower : 0.0;
    return above >= -below ? above : below;
  }
};

/// Where a segment from v0 to v1 meets a limit: the fraction in (0, 1) of
/// the segment and the limit.
void Meetings(double v0, double v1, std::optional<double> limit,
              std::vector<std::pair<double, double>>& at) {
  if (!limit || v0 == v1) return;
  const double f = (*limit - v0) / (v1 - v0);
  if (f > 0.0 && f < 1.0) at.emplace_back(f, *limit);
}

}  // namespace

TLimitStats LimitStatsOfPoints(const std::vector<TLimitPoint>& points, std::optional<double> lower,
                               std::optional<double> upper) {
  TLimitStats st;
  st.Lower = lower;
  st.Upper = upper;
  const TOutside outside{lower, upper};
  double outsideSeconds = 0.0;
  // The curve is walked as a sequence of pieces: the samples, the moments
  // between samples where it meets a limit (there it equals the limit), and
  // the open stretches in between, each inside or outside throughout. An
  // excursion begins with an outside piece after an inside one (or first).
  bool out = false;
  auto piece = [&](double seconds, bool isOutside) {
    if (isOutside && !out) {
      ++st.Excursions;
      if (!st.FirstCrossingHours) st.FirstCrossingHours = seconds / 3600.0;
    }
    out = isOutside;
  };
  std::vector<std::pair<double, double>> at;
  for (size_t i = 0; i < points.size(); ++i) {
    const TLimitPoint& p = points[i];
    if (i > 0) {
      const TLimitPoint& q = points[i - 1];
      const double duration = p.Seconds - q.Seconds;
      at.clear();
      Meetings(q.Value, p.Value, lower, at);
      Meetings(q.Value, p.Value, upper, at);
      std::sort(at.begin(), at.end());
      double f0 = 0.0;
      for (size_t k = 0; k <= at.size(); ++k) {
        const double f1 = k < at.size() ? at[k].first : 1.0;
        if (f1 > f0) {
          const double middle = q.Value + (f0 + f1) / 2.0 * (p.Value - q.Value);
          const bool stretchOut = outside(middle);
          piece(q.Seconds + f0 * duration, stretchOut);
          if (stretchOut) outsideSeconds += std::fabs((f1 - f0) * duration);
        }
        if (k < at.size()) piece(q.Seconds + f1 * duration, outside(at[k].second));
        f0 = f1;
      }
    }
    const bool sampleOut = outside(p.Value);
    piece(p.Seconds, sampleOut);
    if (sampleOut) {
      const double beyond = outside.Beyond(p.Value);
      if (!st.LargestExcursion || std::fabs(beyond) > std::fabs(*st.LargestExcursion))
        st.LargestExcursion = beyond;
    }
  }
  st.OutsideHours = outsideSeconds / 3600.0;
  if (points.size() >= 2) {
    const double span = std::fabs(points.back().Seconds - points.front().Seconds);
    if (span > 0.0) st.OutsidePct = 100.0 * outsideSeconds / span;
  }
  return st;
}

std::vector<TLimitPoint> LimitPoints(const TVqrDataObjectNew& data, int ch, double fromSeconds,
                                     double toSeconds) {
  if (fromSeconds > toSeconds) std::swap(fromSeconds, toSeconds);
  std::vector<TLimitPoint> points;
  const int n = DrawnSampleCount(data);
  for (int i = 1; i <= n; ++i) {
    const int32_t t = SampleOf(data, i).Seconds;
    if (t >= fromSeconds && t <= toSeconds) points.push_back({double(t), DrawnValue(data, i, ch)});
  }
  return points;
}

std::vector<TLimitPoint> LimitPointsOfSamples(const TVqrDataObjectNew& data, int ch, int first,
                                              int last) {
  std::vector<TLimitPoint> points;
  first = std::max(first, 1);
  last = std::min(last, DrawnSampleCount(data));
  for (int i = first; i <= last; ++i)
    points.push_back({double(SampleOf(data, i).Seconds), DrawnValue(data, i, ch)});
  return points;
}

std::vector<TLimitVerdict> LimitVerdictRows(const TVQRDiagram& diagram, int channel,
                                            const TMeasuredRange& range, const TVQRLimits& limits) {
  std::vector<TLimitVerdict> rows;
  if (!limits.Has(channel)) return rows;
  const auto lower = limits.Lower[static_cast<size_t>(channel)];
  const auto upper = limits.Upper[static_cast<size_t>(channel)];
  // The same samples as the rows of "Messwerte".
  const TVqrDataObjectNew& own = diagram.Data();
  const TResolvedRange resolved = ResolvedRange(diagram, range);
  const int a = resolved.MarkA, b = resolved.MarkB;
  const bool marked = resolved.Marked;
  const double from = resolved.FromSeconds, to = resolved.ToSeconds;
  const bool empty = resolved.Empty();
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  const size_t recordings = diagram.Comparing() ? runs.size() : 1;
  for (size_t k = 0; k < recordings; ++k) {
    const TVqrDataObjectNew& data = k ? *runs[k].Data : own;
    std::vector<TLimitPoint> points;
    if (marked && k == 0)
      points = LimitPointsOfSamples(data, channel, a, b);
    else if (!empty)
      points = LimitPoints(data, channel, RunSeconds(diagram, k, from), RunSeconds(diagram, k, to));
    rows.push_back({channel, static_cast<int>(k), LimitStatsOfPoints(points, lower, upper)});
  }
  return rows;
}
