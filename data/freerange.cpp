#include "data/freerange.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <tuple>
#include <utility>

namespace {
// More ticks than this are never wanted; the step grows instead.
constexpr double kMaxSteps = 10.0;

/// The smallest of 1, 2, 5 x 10^n not below x (x > 0), and its n.
std::pair<double, int> RoundStepAtLeast(double x) {
  int n = static_cast<int>(std::floor(std::log10(x)));
  for (;;) {
    const double decade = std::pow(10.0, n);
    for (const double m : {1.0, 2.0, 5.0})
      if (m * decade >= x * (1.0 - 1e-9)) return {m * decade, n};
    ++n;
  }
}

/// Characters of the decimal text of trunc(v), 0 when that is "0".
int IntegerDigits(double v) {
  char buf[64];
  const auto res = std::to_chars(buf, buf + sizeof buf, std::trunc(v), std::chars_format::fixed, 0);
  const std::string text(buf, res.ptr);
  return text == "0" || text == "-0" ? 0 : static_cast<int>(text.size());
}
}  // namespace

double AxisLow(const AxisRange& axis) { return -static_cast<double>(axis.Start); }

double AxisHigh(const AxisRange& axis) {
  return static_cast<double>(axis.Span) - static_cast<double>(axis.Start);
}

double TimeLabelFactor(const AxisRange& time) {
  return time.TimeInDays ? 1.0 / 86400.0 : 1.0 / 3600.0;
}

bool SetFreeRange(AxisRange& axis, double lo, double hi, double factor, double minStep) {
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(factor > 0.0) || !(minStep > 0.0)) return false;
  if (lo > hi) std::swap(lo, hi);
  AxisRange a = axis;
  a.Start = static_cast<float>(-lo);
  a.Span = static_cast<float>(hi - lo);
  if (!std::isfinite(a.Start) || !std::isfinite(a.Span) || !(a.Span > 0.0f)) return false;
  // From here on the ends as stored, so that they give the same ticks again.
  lo = AxisLow(a);
  hi = AxisHigh(a);
  const double from = lo * factor, to = hi * factor;
  if (!(to > from)) return false;
  auto [step, exponent] = RoundStepAtLeast((to - from) / kMaxSteps);
  if (step < minStep) std::tie(step, exponent) = RoundStepAtLeast(minStep);
  // Ends that lie on a step (within float noise) carry a tick.
  const double slack = 1e-6;
  const double first = std::ceil(from / step - slack);
  const double last = std::floor(to / step + slack);
  if (!(last - first < 1e6)) return false;
  a.TickStep = step;
  a.FirstTick = first * step;
  // A range narrower than the smallest step may hold no tick at all; its
  // one candidate is then drawn only if it lies inside.
  a.Divisions = static_cast<int32_t>(std::max(0.0, last - first));
  a.IntDigits = IntegerDigits(to);
  a.Decimals = std::clamp(-exponent, 0, 6);
  axis = a;
  return true;
}
