#include "data/vqrfileo.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "data/MetaData.h"
#include "data/RangeTable.h"
#include "data/equalizer.h"
#include "data/processgauge.h"
#include "data/vqrlogfile.h"

namespace {
constexpr uint8_t kParamMarker = 10;
constexpr uint8_t kRef1Marker = 21;
constexpr uint8_t kRef2Marker = 22;
constexpr uint8_t kDataMarker = 31;

// Larger references would overflow the calibrated values of a 16-bit reading.
constexpr float kRefLimit = 1.0e30f;

int16_t ReadI16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

float ReadF32(const uint8_t* p) {
  const uint32_t bits = static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
                        (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
  return std::bit_cast<float>(bits);
}

bool UsableRef(float v) { return std::isfinite(v) && std::fabs(v) <= kRefLimit; }

bool ValidReferences(float ref1, float ref2) {
  return UsableRef(ref1) && UsableRef(ref2) && static_cast<double>(ref1) >= 0.01 &&
         static_cast<double>(ref2) >= 0.01 && ref2 < ref1;
}

int CountedSamples(const TVQRDataObject& store) {
  return std::clamp(store.SampleCount, 0, kMaxSamples);
}
}  // namespace

TVqrDataObjectNew::TVqrDataObjectNew() = default;
TVqrDataObjectNew::~TVqrDataObjectNew() = default;

bool TVqrDataObjectNew::ReadStep(uint8_t* buffer, bool& endOfFile) {
  ++RecordIndex;
  const bool ok = LogFile->ReadRecord(buffer);
  if (!ok) endOfFile = true;
  if (Gauge) Gauge->SetPosition(LogFile->GetPosition());
  return ok;
}

void TVqrDataObjectNew::DecodeDataRecord(bool& endOfFile) {
  const uint8_t* r = RecordBuffer.data();
  if (!ReadStep(RecordBuffer.data(), endOfFile) || r[0] != kDataMarker) return;
  if (RecordIndex == 1 && r[1] == 0 && r[2] == 0 && r[3] == 0 && r[4] == 0) {
    RecordIndex = 0;  // a zero time stamp never becomes sample 1
    return;
  }
  TVQRSample& s = Store->Samples[RecordIndex];
  s.Day = r[1];
  s.Hour = r[2];
  s.Minute = r[3];
  s.Second = r[4];
  s.Seconds = s.Day * 86400 + s.Hour * 3600 + s.Minute * 60 + s.Second;
  for (int ch = 1; ch <= kTempChannel; ++ch) s.Raw[ch] = ReadI16(r + 5 + 2 * (ch - 1));
  LastTime = s.Seconds;
}

bool TVqrDataObjectNew::ReadData() {
  if (!LogFile || !Store) return false;
  RecordIndex = 0;
  bool endOfFile = false;
  for (auto& header : HeaderRecords)
    if (!ReadStep(header.data(), endOfFile)) return false;
  if (HeaderRecords[1][0] != kParamMarker || HeaderRecords[2][0] != kRef1Marker ||
      HeaderRecords[3][0] != kRef2Marker)
    return false;
  if (MetaData) MetaData->ParseHeader(HeaderRecords[1].data());
  RefValue1 = ReadF32(HeaderRecords[1].data() + 29);
  RefValue2 = ReadF32(HeaderRecords[1].data() + 33);

  RecordIndex = 0;
  Store->Clear();
  LastTime = 0;  // an empty recording must not keep the previous file's end
  // The slot bound keeps the loop inside the store even if the counter is
  // changed by a record; it stops after the record that took slot 1501.
  do {
    DecodeDataRecord(endOfFile);
  } while (!endOfFile && RecordIndex <= kMaxSamples);
  Store->SampleCount = RecordIndex - 1;
  Calibrate();
  return true;
}

void TVqrDataObjectNew::Calibrate() {
  if (!Store) return;
  CalcRawRanges();
  CheckReferences();
  CalcScales();
  CalcCalValues();
  FitOwnAxes();
}

int TVqrDataObjectNew::GetSampleCount() const { return Store ? Store->SampleCount : 0; }

int32_t TVqrDataObjectNew::GetTime(int i) const {
  if (!Store || i < 1 || i > kMaxSamples) return 0;
  return Store->Samples[i].Seconds;
}

float TVqrDataObjectNew::GetValue(int i, int ch) const {
  if (!Store || i < 1 || i > kMaxSamples || ch < 1 || ch > kTempChannel) return 0.0f;
  return Store->Samples[i].Cal[ch];
}

int16_t TVqrDataObjectNew::RefRaw1(int ch) const {
  if (ch < 1 || ch > kMeasureChannels) return 0;
  return ReadI16(HeaderRecords[2].data() + 5 + 2 * (ch - 1));
}

int16_t TVqrDataObjectNew::RefRaw2(int ch) const {
  if (ch < 1 || ch > kMeasureChannels) return 0;
  return ReadI16(HeaderRecords[3].data() + 5 + 2 * (ch - 1));
}

void TVqrDataObjectNew::CalcRawRanges() {
  std::array<int32_t, 18> lo;
  std::array<int32_t, 18> hi;
  lo.fill(100000);
  hi.fill(-100000);
  const int n = CountedSamples(*Store);
  for (int i = 1; i <= n; ++i) {
    const auto& raw = Store->Samples[i].Raw;
    for (int ch = 1; ch <= kTempChannel; ++ch) {
      lo[ch] = std::min<int32_t>(lo[ch], raw[ch]);
      hi[ch] = std::max<int32_t>(hi[ch], raw[ch]);
    }
  }
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    Cal[ch].RawMin = lo[ch];
    Cal[ch].RawMax = hi[ch];
  }
}

void TVqrDataObjectNew::CheckReferences() {
  if (ValidReferences(RefValue1, RefValue2)) return;
  int32_t s1 = 0;
  int32_t s2 = 0;
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    s1 += RefRaw1(ch);
    s2 += RefRaw2(ch);
  }
  const float r = s1 != 0 ? static_cast<float>(static_cast<double>(s2) / s1) : 0.0f;
  if (!std::isfinite(r) || r <= 0.0f) {
    // No usable ratio of the reference sums: a fixed pair keeps every scale finite.
    RefValue2 = 1.0f;
    RefValue1 = 2.0f;
    return;
  }
  RefValue2 = 1.0f;
  RefValue1 = static_cast<float>(1.0 / r);
  CalcScales();
  float m = 0.0f;
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    const float p = static_cast<float>(static_cast<double>(Cal[ch].RawMax) * Cal[ch].Scale);
    if (p > m) m = p;
  }
  if (m <= 0.0f) return;  // no positive maximum: keep 1.0 and 1 / r
  const float v2 = static_cast<float>(1.0 / m);
  const float v1 = static_cast<float>(static_cast<double>(v2) / r);
  if (UsableRef(v1) && UsableRef(v2)) {
    RefValue2 = v2;
    RefValue1 = v1;
  }
}

void TVqrDataObjectNew::CalcScales() {
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    const int32_t raw1 = RefRaw1(ch);
    const int32_t d = RefRaw2(ch) - raw1;
    ChannelCal& c = Cal[ch];
    if (d > 0) {
      c.Scale = static_cast<float>((static_cast<double>(RefValue2) - RefValue1) / d);
      c.Offset =
          static_cast<float>(static_cast<double>(RefValue1) - raw1 * static_cast<double>(c.Scale));
    } else {
      c.Scale = 1.0f;
      c.Offset = 0.0f;
    }
  }
  Cal[kTempChannel].Scale = 0.1f;
  Cal[kTempChannel].Offset = 0.0f;
}

void TVqrDataObjectNew::CalcCalValues() {
  std::array<float, 18> lo;
  std::array<float, 18> hi;
  std::array<double, 18> scale;
  std::array<double, 18> offset;
  lo.fill(1000.0f);
  hi.fill(-1000.0f);
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    scale[ch] = Cal[ch].Scale;
    offset[ch] = Cal[ch].Offset;
  }
  const int n = CountedSamples(*Store);
  for (int i = 1; i <= n; ++i) {
    TVQRSample& s = Store->Samples[i];
    for (int ch = 1; ch <= kTempChannel; ++ch) {
      const float v = static_cast<float>(s.Raw[ch] * scale[ch] + offset[ch]);
      s.Cal[ch] = v;
      if (v > hi[ch]) hi[ch] = v;
      if (v < lo[ch]) lo[ch] = v;
    }
  }
  OverallMax = -1000.0f;
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    Cal[ch].CalMin = lo[ch];
    Cal[ch].CalMax = hi[ch];
    if (ch <= kMeasureChannels && hi[ch] > OverallMax) OverallMax = hi[ch];
  }
  if (OverallMax < 0.1f) OverallMax = 0.1f;
}

void TVqrDataObjectNew::FitAxes(int32_t lastTime, float overallMax, float tempMin, float tempMax) {
  ++AxesFitted;
  TimeAxis.TimeInDays = static_cast<int64_t>(Scaling.MaxHour) * 3600 < lastTime;
  if (TimeAxis.TimeInDays) {
    FitAxis(DayTable(), kDayTableCount, TimeAxis, lastTime, 0.0);
    AxisLabelFormat(TimeAxis, 1.0f / 86400.0f);
  } else {
    FitAxis(HourTable(), kHourTableCount, TimeAxis, lastTime, 0.0);
    AxisLabelFormat(TimeAxis, 1.0f / 3600.0f);
  }
  FitAxis(ValueTable(), kValueTableCount, ValueAxis,
          static_cast<double>(overallMax) * Scaling.UserFactor, 0.0);
  AxisLabelFormat(ValueAxis, 1.0f);
  const double top = std::nearbyint(static_cast<double>(tempMax) + 1.0);
  const double bottom = std::nearbyint(static_cast<double>(tempMin) - 1.0);
  // Temperatures below 0 cannot be shown on an axis from 0; it then ends at
  // the maximum and reaches one span below it.
  FitAxis(TempTable(), kTempTableCount, TempAxis, top, bottom, tempMin < 0.0f);
  AxisLabelFormat(TempAxis, 1.0f);
}

void TVqrDataObjectNew::Smooth(int distance) {
  if (!Store) return;
  if (!Equalizer) Equalizer = std::make_unique<TVQREqualizer>();
  Equalizer->Setup(Gauge, distance);
  for (int ch = 1; ch <= kTempChannel; ++ch) Equalizer->Apply(*Store, ch);
}
