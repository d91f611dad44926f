// Calibration from the header references, value ranges, axes and smoothing.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "chart/vqrdiagram.h"
#include "core_fixtures.h"
#include "data/RangeTable.h"

namespace {

// A recording with the given references, 16 channels reading `raw` each sample.
std::vector<uint8_t> FileWithRefs(float ref1, float ref2, const std::vector<int16_t>& raws,
                                  int16_t refRaw1 = 1000, int16_t refRaw2 = 4000) {
  DatHeader h;
  h.Params.RefValue1 = ref1;
  h.Params.RefValue2 = ref2;
  h.Ref1 = DatHeader::Filled(refRaw1);
  h.Ref2 = DatHeader::Filled(refRaw2);
  TDatWriter w;
  h.AddTo(w);
  int t = 0;
  for (int16_t r : raws) w.Add(MakeDataRecord(t += 60, Readings(r)));
  return w.Bytes();
}

void ExpectFiniteCalibration(const TVqrDataObjectNew& d) {
  EXPECT_TRUE(std::isfinite(d.Recording().RefValue1()) &&
              std::isfinite(d.Recording().RefValue2()) &&
              std::isfinite(d.Recording().OverallMax()));
  for (int ch = 1; ch <= 17; ++ch) {
    const ChannelCal& c = d.Recording().Cal(ch);
    EXPECT_TRUE(std::isfinite(c.Scale) && std::isfinite(c.Offset) && std::isfinite(c.CalMin) &&
                std::isfinite(c.CalMax))
        << ch;
    for (int i = 1; i <= d.GetSampleCount(); ++i) ASSERT_TRUE(std::isfinite(d.GetValue(i, ch)));
  }
}

TEST(Calibration, TwoPointLineThroughTheHeaderReferences) {
  TVQRSession rec;
  ASSERT_EQ(LoadBytes(rec, FileWithRefs(2.0f, 0.5f, {2500, 1000, 4000})), TLoadStatus::Ok);
  const TVqrDataObjectNew& d = rec.Data();
  const ChannelCal& c = d.Recording().Cal(1);
  EXPECT_EQ(std::tuple(d.Recording().RefValue1(), d.Recording().RefValue2(), c.Scale, c.Offset,
                       c.RawMin, c.RawMax, c.CalMax),
            std::tuple(2.0f, 0.5f, -0.0005f, 2.5f, 1000, 4000, 2.0f));
  // Temperature: raw tenths of a degree.
  EXPECT_EQ(std::tuple(d.GetValue(1, 1), d.GetValue(2, 16), d.Recording().OverallMax(),
                       d.GetValue(1, 17)),
            std::tuple(1.25f, 2.0f, 2.0f, 23.5f));
  EXPECT_FLOAT_EQ(d.GetValue(3, 16), 0.5f);
  EXPECT_FLOAT_EQ(c.CalMin, 0.5f);
}

TEST(Calibration, EqualOrReversedReferenceReadingsKeepTheRawValue) {
  for (int16_t second : {1000, 999}) {
    TVQRSession rec;
    ASSERT_EQ(LoadBytes(rec, FileWithRefs(2.0f, 0.5f, {1234, -20}, 1000, second)), TLoadStatus::Ok);
    const TVqrDataObjectNew& d = rec.Data();
    EXPECT_EQ(std::tuple(d.Recording().Cal(5).Scale, d.Recording().Cal(5).Offset, d.GetValue(1, 5),
                         d.GetValue(2, 5)),
              std::tuple(1.0f, 0.0f, 1234.0f, -20.0f));
  }
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

TEST(Calibration, ReplacesInvalidReferencesWithFiniteOnes) {
  const struct {
    const char* name;
    float ref1, ref2;
    int16_t refRaw1, refRaw2;
    std::vector<int16_t> raws;
    float want1, want2;  // NaN: only finiteness is checked
  } cases[] = {{"ValidKept", 2.0f, 0.5f, 1000, 4000, {2500}, 2.0f, 0.5f},
               {"LargeButSafeKept", 1.0e6f, 0.5f, 1000, 4000, {2500}, 1.0e6f, 0.5f},
               // Sums 16000 / 32000: r = 2; scaled maximum 4000 x 0.0005 = 2, so the
               // replacement scales the largest reading to 1.0.
               {"PointTwoNotBelowPointOne", 0.5f, 2.0f, 1000, 2000, {4000, 3000}, 0.25f, 0.5f},
               {"BelowOneHundredth", 2.0f, 0.005f, 1000, 2000, {4000}, 0.25f, 0.5f},
               // The nearest float to 0.01 lies just below one hundredth.
               {"FloatOneHundredth", 2.0f, 0.01f, 1000, 2000, {4000}, 0.25f, 0.5f},
               {"NaN", kNaN, 0.5f, 1000, 2000, {4000}, 0.25f, 0.5f},
               {"Infinite", kInf, 0.5f, 1000, 2000, {4000}, 0.25f, 0.5f},
               {"NegativeInfinite", 2.0f, -kInf, 1000, 2000, {4000}, 0.25f, 0.5f},
               {"TooLargeToScale", 3.0e38f, 0.5f, 1000, 2000, {4000}, 0.25f, 0.5f},
               // No usable ratio of the reference sums: the fixed pair 2.0 / 1.0.
               {"PointOneSumZero", 0.5f, 2.0f, 0, 2000, {4000}, 2.0f, 1.0f},
               {"NegativeRatio", 0.5f, 2.0f, -1000, 2000, {4000}, 2.0f, 1.0f},
               {"BothSumsZero", kNaN, kNaN, 0, 0, {4000}, 2.0f, 1.0f},
               // No positive scaled maximum: 1.0 and 1 / r stay.
               {"NoSamples", 0.5f, 2.0f, 1000, 2000, {}, 0.5f, 1.0f},
               {"OnlyNegativeReadings", 0.5f, 2.0f, 1000, 2000, {-5, -7}, 0.5f, 1.0f},
               {"ExtremeReadings", 0.0f, 0.0f, -32768, 32767, {-32768, 32767}, kNaN, kNaN}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TVQRSession rec;
    ASSERT_EQ(LoadBytes(rec, FileWithRefs(c.ref1, c.ref2, c.raws, c.refRaw1, c.refRaw2)),
              TLoadStatus::Ok);
    ExpectFiniteCalibration(rec.Data());
    if (!std::isnan(c.want1)) {
      EXPECT_FLOAT_EQ(rec.Data().Recording().RefValue1(), c.want1);
      EXPECT_FLOAT_EQ(rec.Data().Recording().RefValue2(), c.want2);
    }
  }
}

TEST(Axes, TimeAxisCountsHoursUpToMaxHourThenDays) {
  struct Case {
    int32_t lastTime;
    int maxHour;
    bool days;
    float span;
    int divisions;
    int decimals;
  };
  for (const Case& c :
       {Case{40 * 3600, 48, false, 172800.0f, 12, 0}, Case{48 * 3600, 48, false, 172800.0f, 12, 0},
        Case{50 * 3600, 48, true, 345600.0f, 16, 2},
        Case{30 * 3600, 24, true, 172800.0f, 12, 6},  // 1/6 day steps
        Case{5 * 3600, 48, false, 21600.0f, 12, 1},
        Case{300 * 86400, 48, true, 2764800.0f, 16, 0}}) {
    TDatWriter w;
    DatHeader{}.AddTo(w);
    w.Add(MakeDataRecord(60, Readings(2000)));
    w.Add(MakeDataRecord(std::min(c.lastTime, 255 * 86400), Readings(2000)));
    TVQRSession rec;
    rec.Data().Axes().SetScaling({c.maxHour, rec.Data().Axes().Scaling().UserFactor});
    ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
    const AxisRange& a = rec.Data().Axes().Time();
    EXPECT_EQ(std::tuple(a.TimeInDays, a.Span, a.Divisions, a.Start, a.Decimals),
              std::tuple(c.days, c.span, c.divisions, 0.0f, c.decimals))
        << c.lastTime;
  }
}

TEST(Axes, TemperatureAxisRoundsTheRangeOutwards) {
  struct {
    int16_t lowest, highest;  // tenths of a degree
    float span, start;
  } cases[] = {
      {192, 267, 16.0f, -12.0f},   // max 28, min 18: 12 .. 28
      {0, 29, 8.0f, 0.0f},         // max 4, min -1, but nothing below 0: 0 .. 8
      {100, 350, 32.0f, -4.0f},    // max 36, min 9: 4 .. 36
      {-49, 29, 16.0f, 12.0f},     // max 4, min -6: -12 .. 4
      {-125, 31, 32.0f, 28.0f},    // max 4, min -14: -28 .. 4
      {-1, 150, 32.0f, 16.0f},     // just below 0: max 16, -16 .. 16
      {-300, -100, 32.0f, 41.0f},  // max -9, min -31: -41 .. -9
  };
  for (const auto& c : cases) {
    TDatWriter w;
    DatHeader{}.AddTo(w);
    w.Add(MakeDataRecord(60, Readings(2000, c.lowest)));
    w.Add(MakeDataRecord(120, Readings(2000, c.highest)));
    TVQRSession rec;
    ASSERT_EQ(LoadBytes(rec, w.Bytes()), TLoadStatus::Ok);
    const AxisRange& a = rec.Data().Axes().Temp();
    EXPECT_EQ(std::tuple(a.Divisions, a.Span, a.Start), std::tuple(8, c.span, c.start)) << c.lowest;
  }
}

TEST(Axes, ReadingClearsTheZoom) {
  TVQRSession rec;
  TVQRDiagram diagram(rec.Data());
  ASSERT_EQ(LoadBytes(rec, SimpleFile(3)), TLoadStatus::Ok);
  diagram.SetZoom({1, 1, 3, 3});
  ASSERT_TRUE(diagram.ZoomAvailable());
  ASSERT_EQ(LoadBytes(rec, SimpleFile(3)), TLoadStatus::Ok);
  EXPECT_FALSE(diagram.ZoomAvailable());
  EXPECT_FALSE(diagram.RestoreZoom());
}

TEST(RangeTable, FitPicksTheFirstEntryThatHoldsTheRange) {
  const struct {
    const TRangeEntry* (*table)();
    int count;
    double max, min;
    int divisions;
    float span, start;
  } cases[] = {{ValueTable, kValueTableCount, 0.1f, 0, 10, 0.1f, 0},  // exactly a tenth
               {ValueTable, kValueTableCount, 0.11, 0, 10, 0.2f, 0},
               {ValueTable, kValueTableCount, 0.0001, 0, 10, 0.001f, 0},
               {ValueTable, kValueTableCount, 1.0e7, 0, 10, 500000.0f, 0},  // beyond the table
               {TempTable, kTempTableCount, 28, 18, 8, 16.0f, -12.0f},      // ends at the maximum
               {TempTable, kTempTableCount, 6, 2, 8, 8.0f, 0},              // fits from zero
               {TempTable, kTempTableCount, 50, 0.5, 8, 34.0f, -16.0f},     // too wide
               {HourTable, kHourTableCount, 2880000, 0, 10, 2880000.0f, 0},
               {DayTable, kDayTableCount, 180000, 0, 16, 345600.0f, 0}};
  for (const auto& c : cases) {
    AxisRange a;
    FitAxis(c.table(), c.count, a, c.max, c.min);
    EXPECT_EQ(std::tuple(a.Divisions, a.Span, a.Start), std::tuple(c.divisions, c.span, c.start))
        << c.max;
  }
}

// Smoothing over channel 1 only; the other channels stay flat.
TVQRSession& Curve(TVQRSession& rec, const std::vector<float>& values) {
  rec.Store().Clear();
  rec.Data().SetStore(&rec.Store());
  rec.Store().SampleCount = static_cast<int>(values.size());
  for (size_t i = 0; i < values.size(); ++i) {
    rec.Store().Samples[i + 1].Seconds = static_cast<int32_t>(60 * (i + 1));
    rec.Store().Samples[i + 1].Cal[1] = values[i];
  }
  return rec;
}

TEST(Smooth, SpreadsASpikeOverTheTriangle) {
  std::vector<float> v(60, 0.0f);
  v[29] = 3.0f;  // sample 30
  TVQRSession rec;
  Curve(rec, v).Data().Smooth(2);
  const float want[] = {0, 1.0f / 3, 2.0f / 3, 1, 2.0f / 3, 1.0f / 3, 0};
  for (int k = 0; k < 7; ++k) EXPECT_NEAR(rec.Data().GetValue(27 + k, 1), want[k], 1e-6) << k;
}

TEST(Smooth, KeepsAStraightLineIncludingBothEnds) {
  for (int distance : {2, 8, 32}) {
    std::vector<float> v;
    for (int i = 0; i < 40; ++i) v.push_back(0.5f + 0.25f * i);
    TVQRSession rec;
    Curve(rec, v).Data().Smooth(distance);
    for (int i = 1; i <= 40; ++i)
      EXPECT_NEAR(rec.Data().GetValue(i, 1), v[i - 1], 1e-4) << distance << " " << i;
  }
}

}  // namespace
