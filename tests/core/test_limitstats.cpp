// Limit statistics of a curve: the straight line between samples, against
// values worked out by hand here and against a dense walk along the line.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "chart/limitstats.h"
#include "core_fixtures.h"
#include "session/LimitStats.h"

namespace {

using O = std::optional<double>;

void ExpectOpt(O got, O want, double tolerance, const char* what) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(*got, *want, tolerance) << what;
  }
}

// Expected figures in seconds and %, as one works them out on paper.
struct Case {
  const char* name;
  std::vector<TLimitPoint> points;
  O lower, upper;
  double outsideSeconds;
  O pct;
  int excursions;
  O firstSeconds;
  O largest;
};

TEST(LimitStats, WorkedCases) {
  const std::vector<Case> cases = {
      {"no limits", {{0, 0}, {60, 100}}, {}, {}, 0, 0.0, 0, {}, {}},
      {"touching the upper limit is inside", {{0, 0}, {10, 5}, {20, 0}}, {}, 5, 0, 0.0, 0, {}, {}},
      {"crossing between samples", {{0, 0}, {100, 10}}, {}, 5, 50, 50.0, 1, 50, 5},
      {"ends outside", {{0, 0}, {100, 0}, {200, 10}}, {}, 8, 20, 10.0, 1, 180, 2},
      {"starts outside below", {{0, -3}, {100, 1}}, -1, {}, 50, 50.0, 1, 0, -2},
      {"above, then below in one segment",
       {{0, 10}, {100, -12}},
       -5,
       5,
       100.0 * 12 / 22,
       100.0 * 12 / 22,
       2,
       0,
       -7},
      {"one sample outside", {{0, 9}}, {}, 5, 0, {}, 1, 0, 4},
      {"no samples", {}, 0, 1, 0, {}, 0, {}, {}},
      {"a peak between inside samples", {{0, 0}, {10, 10}, {20, 0}}, {}, 5, 10, 50.0, 1, 5, 5},
      {"back to the limit and out again", {{0, 6}, {10, 5}, {20, 6}}, {}, 5, 20, 100.0, 2, 0, 1},
      {"a jump at one moment", {{0, 0}, {30, 0}, {30, 9}, {60, 9}}, {}, 5, 30, 50.0, 1, 30, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TLimitStats s = LimitStatsOfPoints(c.points, c.lower, c.upper);
    EXPECT_NEAR(s.OutsideHours * 3600.0, c.outsideSeconds, 1e-9);
    ExpectOpt(s.OutsidePct, c.pct, 1e-9, "outside %");
    EXPECT_EQ(s.Excursions, c.excursions);
    EXPECT_EQ(s.Held(), c.excursions == 0);
    ExpectOpt(s.FirstCrossingHours ? O(*s.FirstCrossingHours * 3600.0) : O(), c.firstSeconds, 1e-9,
              "first crossing");
    ExpectOpt(s.LargestExcursion, c.largest, 1e-12, "largest excursion");
  }
}

// Random curves of whole numbers against limits halfway between them: no
// sample equals a limit, so a dense walk along each segment sees every
// stretch outside.
TEST(LimitStats, AgreeWithADenseWalkAlongTheLine) {
  std::mt19937 random(29);
  std::uniform_int_distribution<int> value(-10, 10), gap(1, 120), flip(0, 3);
  for (int round = 0; round < 200; ++round) {
    std::vector<TLimitPoint> points;
    double t = gap(random);
    for (int i = 0; i < 25; ++i, t += gap(random)) points.push_back({t, double(value(random))});
    const int kind = flip(random);
    const O lower = kind == 1 ? O() : O(std::min(0, value(random)) - 0.5);
    const O upper = kind == 2 ? O() : O(std::max(0, value(random)) + 0.5);
    auto outside = [&](double v) { return (upper && v > *upper) || (lower && v < *lower); };

    constexpr int kSteps = 4000;
    double outsideSeconds = 0.0;
    int excursions = 0;
    O first, largest;
    bool out = false;
    for (size_t i = 0; i < points.size(); ++i) {
      const TLimitPoint& p = points[i];
      const int from = i == 0 ? kSteps : 0;
      for (int k = from; k <= kSteps; ++k) {
        const TLimitPoint& q = i == 0 ? p : points[i - 1];
        const double f = double(k) / kSteps;
        const double v = q.Value + f * (p.Value - q.Value);
        const bool o = outside(v);
        if (o && !out) {
          ++excursions;
          if (!first) first = q.Seconds + f * (p.Seconds - q.Seconds);
        }
        if (k > 0 && i > 0 && o) outsideSeconds += (p.Seconds - q.Seconds) / kSteps;
        out = o;
      }
      if (outside(p.Value)) {
        const double beyond = upper && p.Value > *upper ? p.Value - *upper : p.Value - *lower;
        if (!largest || std::fabs(beyond) > std::fabs(*largest)) largest = beyond;
      }
    }
    const double span = points.back().Seconds - points.front().Seconds;
    const TLimitStats s = LimitStatsOfPoints(points, lower, upper);
    SCOPED_TRACE(round);
    EXPECT_EQ(s.Excursions, excursions);
    EXPECT_NEAR(s.OutsideHours * 3600.0, outsideSeconds, span * 2.0 / kSteps);
    ASSERT_TRUE(s.OutsidePct.has_value());
    EXPECT_NEAR(*s.OutsidePct, 100.0 * s.OutsideHours * 3600.0 / span, 1e-9);
    ExpectOpt(s.FirstCrossingHours ? O(*s.FirstCrossingHours * 3600.0) : O(), first, 120.0 / kSteps,
              "first crossing");
    ExpectOpt(s.LargestExcursion, largest, 1e-12, "largest excursion");
  }
}

// A recording below freezing through the session: the temperature in tenths
// of a degree, the limits in force set for the session alone.
TEST(LimitStats, NegativeTemperaturesOfARecording) {
  TDatWriter w;
  DatHeader{}.AddTo(w);
  const int16_t tenths[] = {-100, -40, 0, -60, -120, -20};
  for (int i = 0; i < 6; ++i) w.Add(MakeDataRecord(60 * (i + 1), Readings(1000, tenths[i])));
  TVQRSession session;
  ASSERT_EQ(LoadBytes(session, w.Bytes()), TLoadStatus::Ok);
  EXPECT_FALSE(session.Limits().Any());
  TVQRLimits limits;
  limits.Lower[kTempChannel] = -8.0;
  limits.Upper[kTempChannel] = -1.0;
  session.SetLimits(limits);
  EXPECT_TRUE(session.LimitsOwn());

  const auto all = SessionLimitStats(session, {1, kTempChannel}, std::nullopt, std::nullopt);
  ASSERT_EQ(all.size(), 1u);
  EXPECT_FALSE(all[0][0].has_value());  // channel 1 has no limit
  ASSERT_TRUE(all[0][1].has_value());
  const TLimitStats& s = *all[0][1];
  // -10 → -4 leaves the lower limit after 20 s; -4 → 0 → -6 is above -1
  // from 165 to 190 s; -6 → -12 → -2 is below -8 from 260 to 324 s.
  EXPECT_EQ(s.Excursions, 3);
  EXPECT_NEAR(s.OutsideHours * 3600.0, 20.0 + 25.0 + 64.0, 1e-4);
  EXPECT_NEAR(*s.OutsidePct, 100.0 * 109.0 / 300.0, 1e-4);
  EXPECT_NEAR(*s.FirstCrossingHours * 3600.0, 60.0, 1e-9);
  EXPECT_NEAR(*s.LargestExcursion, -4.0, 1e-5);
  // From 2.5 min on the range starts with the sample at 180 s, outside:
  // it crosses there, and the stretch before it does not count.
  const auto later = SessionLimitStats(session, {kTempChannel}, 150.0 / 3600.0, std::nullopt);
  EXPECT_NEAR(*later[0][0]->FirstCrossingHours * 3600.0, 180.0, 1e-9);
  EXPECT_NEAR(later[0][0]->OutsideHours * 3600.0, 10.0 + 64.0, 1e-4);

  session.SetLimits(std::nullopt);
  EXPECT_FALSE(session.LimitsOwn());
  EXPECT_FALSE(session.Limits().Any());
}

TEST(LimitStats, LimitTextsReadTheSameInEveryLocale) {
  const struct {
    const char* text;
    O value;
    const char* stored;
  } cases[] = {{"", {}, ""},
               {"  ", {}, ""},
               {"1.5", 1.5, "1.5"},
               {"1,5", 1.5, "1.5"},
               {" -2,25 ", -2.25, "-2.25"},
               {"1,5,0", {}, ""},
               {"1.5,0", {}, ""},
               {"abc", {}, ""},
               {"nan", {}, ""},
               {"1e400", {}, ""},
               {"+7", 7.0, "7"},
               {"0.1", 0.1, "0.1"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(LimitFromText(c.text), c.value);
    EXPECT_EQ(LimitFieldText(c.text), c.stored);
  }
}

}  // namespace
