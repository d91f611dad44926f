#include "chart/curvestats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "data/numtext.h"

namespace {

double Hours(int32_t seconds) { return seconds / 3600.0; }

/// The statistics over the samples that forEach(visit) visits, in sample
/// order. Two passes in double: the means first, then the sums of squared
/// deviations, which keeps the variance and the slope free of cancellation.
template <typename ForEach, typename ValueOf>
TCurveStats StatsOver(const TVqrDataObjectNew& data, int ch, ForEach forEach, ValueOf valueOf) {
  TCurveStats st;
  st.Channel = ch;
  if (!data.Recording().Store() || ch < 1 || ch > kTempChannel) return st;
  double sumV = 0.0, sumT = 0.0;
  forEach([&](int i) {
    const float v = valueOf(i);
    const double h = Hours(SampleOf(data, i).Seconds);
    if (st.Count == 0) {
      st.Min = st.Max = st.First = v;
      st.MinAtHours = st.MaxAtHours = st.FirstAtHours = h;
    }
    if (v < st.Min) st.Min = v, st.MinAtHours = h;
    if (v > st.Max) st.Max = v, st.MaxAtHours = h;
    st.Last = v;
    st.LastAtHours = h;
    sumV += v;
    sumT += h;
    ++st.Count;
  });
  if (st.Count == 0) return st;
  st.Mean = sumV / st.Count;
  const double meanT = sumT / st.Count;
  double ssV = 0.0, ssT = 0.0, sTV = 0.0;
  forEach([&](int i) {
    const double dv = valueOf(i) - st.Mean;
    const double dt = Hours(SampleOf(data, i).Seconds) - meanT;
    ssV += dv * dv;
    ssT += dt * dt;
    sTV += dt * dv;
  });
  if (st.Count >= 2) {
    st.StdDev = std::sqrt(ssV / (st.Count - 1));
    if (ssT > 0.0) st.SlopePerH = sTV / ssT;
  }
  return st;
}

}  // namespace

int DrawnSampleCount(const TVqrDataObjectNew& data) {
  if (!data.Recording().Store()) return 0;
  int n = 0;
  while (n < kMaxSamples && !SampleOf(data, n + 1).IsEmpty()) ++n;
  return n;
}

float DrawnValue(const TVqrDataObjectNew& data, int i, int ch) {
  const TVQRSample& s = SampleOf(data, i);
  if (ch == kTempChannel) return s.Cal[ch];
  const float v = data.ApplyUserFactor(s.Cal[ch]);
  if (!data.ZeroPoint()) return v;
  // As the drawing does it: the difference taken in double, kept as float.
  return static_cast<float>(static_cast<double>(v) -
                            data.ApplyUserFactor(data.Recording().Cal(ch).CalMin));
}

int NearestSample(const TVqrDataObjectNew& data, double seconds) {
  const int n = DrawnSampleCount(data);
  if (n == 0) return 0;
  // A moment beyond the run is taken at its first or last time: far from it
  // the distances to all samples would round to the same double.
  double first = SampleOf(data, 1).Seconds, last = first;
  for (int i = 2; i <= n; ++i) {
    first = std::min<double>(first, SampleOf(data, i).Seconds);
    last = std::max<double>(last, SampleOf(data, i).Seconds);
  }
  seconds = std::isnan(seconds) ? first : std::clamp(seconds, first, last);
  int best = 0;
  double bestDistance = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double d = std::fabs(SampleOf(data, i).Seconds - seconds);
    if (best == 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
    }
  }
  return best;
}

TCurveStats CurveStats(const TVqrDataObjectNew& data, int ch, double fromSeconds,
                       double toSeconds) {
  if (fromSeconds > toSeconds) std::swap(fromSeconds, toSeconds);
  const int n = DrawnSampleCount(data);
  return StatsOver(
      data, ch,
      [&](auto visit) {
        for (int i = 1; i <= n; ++i) {
          const int32_t t = SampleOf(data, i).Seconds;
          if (t >= fromSeconds && t <= toSeconds) visit(i);
        }
      },
      [&](int i) { return DrawnValue(data, i, ch); });
}

TCurveStats CurveStatsOfSamples(const TVqrDataObjectNew& data, int ch, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, DrawnSampleCount(data));
  return StatsOver(
      data, ch,
      [&](auto visit) {
        for (int i = first; i <= last; ++i) visit(i);
      },
      [&](int i) { return DrawnValue(data, i, ch); });
}

TCurveStats CalibratedRunStats(const TVqrDataObjectNew& data, int ch) {
  const int n = DrawnSampleCount(data);
  return StatsOver(
      data, ch,
      [&](auto visit) {
        for (int i = 1; i <= n; ++i) visit(i);
      },
      [&](int i) { return SampleOf(data, i).Cal[ch]; });
}

void TimeAxisRange(const TVqrDataObjectNew& data, double& fromSeconds, double& toSeconds) {
  TimeAxisRange(data.Axes(), fromSeconds, toSeconds);
}

void TimeAxisRange(const TVQRAxes& axes, double& fromSeconds, double& toSeconds) {
  fromSeconds = -static_cast<double>(axes.Time().Start);
  toSeconds = fromSeconds + axes.Time().Span;
}

std::string ElapsedClockText(int32_t seconds) {
  std::string text;
  if (seconds < 0) text += '-';
  const int64_t s = std::llabs(int64_t{seconds});
  AppendInt(text, s / 3600);
  for (const int64_t part : {s / 60 % 60, s % 60}) {
    text += part < 10 ? ":0" : ":";
    AppendInt(text, part);
  }
  return text;
}

namespace {

/// n / 10^decimals as text.
std::string ScaledText(int64_t n, int decimals) {
  std::string digits = IntText(n < 0 ? -n : n);
  if (decimals > 0) {
    if (static_cast<int>(digits.size()) <= decimals)
      digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
    digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
  }
  return n < 0 ? "-" + digits : digits;
}

}  // namespace

std::string HoursBoundText(double seconds, TTimeBound bound, int minDecimals) {
  if (!std::isfinite(seconds)) return {};
  // The samples lie on whole seconds: a From bound takes those from
  // ceil(seconds) on, a To bound those up to floor(seconds).
  const bool from = bound == TTimeBound::From;
  const double edge = bound == TTimeBound::At ? std::round(seconds)
                      : from                  ? std::ceil(seconds)
                                              : std::floor(seconds);
  auto takesTheSame = [&](const std::string& text) {
    double hours = 0.0;
    if (!WholeFloatFromText(text, hours)) return false;
    const double back = hours * 3600.0;  // as vqrtool stats reads it
    if (bound == TTimeBound::At) return std::round(back) == edge;
    return from ? back > edge - 1.0 && back <= edge : back >= edge && back < edge + 1.0;
  };
  const long double exact = static_cast<long double>(seconds) / 3600.0L;
  for (int d = std::clamp(minDecimals, 0, 9); d <= 9; ++d) {
    const long double scaled = exact * std::pow(10.0L, d);
    if (!(std::fabs(scaled) < 1.0e15L)) break;
    const auto nearest = static_cast<int64_t>(std::llround(scaled));
    const auto inside = static_cast<int64_t>(from ? std::floor(scaled) : std::ceil(scaled));
    for (const int64_t n : {nearest, inside, inside + (from ? -1 : 1)}) {
      std::string text = ScaledText(n, d);
      if (takesTheSame(text)) return text;
    }
  }
  // Far beyond any recording: the shortest text of the hours, moved inwards
  // until it takes the same samples.
  double hours = static_cast<double>(exact);
  char buf[32];
  for (int step = 0; step < 64; ++step) {
    const auto r = std::to_chars(buf, buf + sizeof buf, hours);
    std::string text(buf, r.ptr);
    if (takesTheSame(text) || step == 63) return text;
    hours = std::nextafter(hours, from ? -INFINITY : INFINITY);
  }
  return {};
}
