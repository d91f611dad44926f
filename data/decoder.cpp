#include "data/decoder.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "data/MetaData.h"
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

using TCalTable = std::array<ChannelCal, 18>;

void CalcRawRanges(const TVQRDataObject& store, TCalTable& cal) {
  std::array<int32_t, 18> lo;
  std::array<int32_t, 18> hi;
  lo.fill(100000);
  hi.fill(-100000);
  const int n = CountedSamples(store);
  for (int i = 1; i <= n; ++i) {
    const auto& raw = store.Samples[i].Raw;
    for (int ch = 1; ch <= kTempChannel; ++ch) {
      lo[ch] = std::min<int32_t>(lo[ch], raw[ch]);
      hi[ch] = std::max<int32_t>(hi[ch], raw[ch]);
    }
  }
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    cal[ch].RawMin = lo[ch];
    cal[ch].RawMax = hi[ch];
  }
}

void CalcScales(const TVQRRecording& rec, float ref1, float ref2, TCalTable& cal) {
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    const int32_t raw1 = rec.RefRaw1(ch);
    const int32_t d = rec.RefRaw2(ch) - raw1;
    ChannelCal& c = cal[ch];
    if (d > 0) {
      c.Scale = static_cast<float>((static_cast<double>(ref2) - ref1) / d);
      c.Offset =
          static_cast<float>(static_cast<double>(ref1) - raw1 * static_cast<double>(c.Scale));
    } else {
      c.Scale = 1.0f;
      c.Offset = 0.0f;
    }
  }
  cal[kTempChannel].Scale = 0.1f;
  cal[kTempChannel].Offset = 0.0f;
}

void CheckReferences(const TVQRRecording& rec, float& ref1, float& ref2, TCalTable& cal) {
  if (ValidReferences(ref1, ref2)) return;
  int32_t s1 = 0;
  int32_t s2 = 0;
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    s1 += rec.RefRaw1(ch);
    s2 += rec.RefRaw2(ch);
  }
  const float r = s1 != 0 ? static_cast<float>(static_cast<double>(s2) / s1) : 0.0f;
  if (!std::isfinite(r) || r <= 0.0f) {
    // No usable ratio of the reference sums: a fixed pair keeps every scale finite.
    ref2 = 1.0f;
    ref1 = 2.0f;
    return;
  }
  ref2 = 1.0f;
  ref1 = static_cast<float>(1.0 / r);
  CalcScales(rec, ref1, ref2, cal);
  float m = 0.0f;
  for (int ch = 1; ch <= kMeasureChannels; ++ch) {
    const float p = static_cast<float>(static_cast<double>(cal[ch].RawMax) * cal[ch].Scale);
    if (p > m) m = p;
  }
  if (m <= 0.0f) return;  // no positive maximum: keep 1.0 and 1 / r
  const float v2 = static_cast<float>(1.0 / m);
  const float v1 = static_cast<float>(static_cast<double>(v2) / r);
  if (UsableRef(v1) && UsableRef(v2)) {
    ref2 = v2;
    ref1 = v1;
  }
}

float CalcCalValues(TVQRDataObject& store, TCalTable& cal) {
  std::array<float, 18> lo;
  std::array<float, 18> hi;
  std::array<double, 18> scale;
  std::array<double, 18> offset;
  lo.fill(1000.0f);
  hi.fill(-1000.0f);
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    scale[ch] = cal[ch].Scale;
    offset[ch] = cal[ch].Offset;
  }
  const int n = CountedSamples(store);
  for (int i = 1; i <= n; ++i) {
    TVQRSample& s = store.Samples[i];
    for (int ch = 1; ch <= kTempChannel; ++ch) {
      const float v = static_cast<float>(s.Raw[ch] * scale[ch] + offset[ch]);
      s.Cal[ch] = v;
      if (v > hi[ch]) hi[ch] = v;
      if (v < lo[ch]) lo[ch] = v;
    }
  }
  float overallMax = -1000.0f;
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    cal[ch].CalMin = lo[ch];
    cal[ch].CalMax = hi[ch];
    if (ch <= kMeasureChannels && hi[ch] > overallMax) overallMax = hi[ch];
  }
  return overallMax < 0.1f ? 0.1f : overallMax;
}
}  // namespace

bool TVQRDecoder::ReadStep(uint8_t* buffer, bool& endOfFile) {
  ++recordIndex_;
  const bool ok = file_.ReadRecord(buffer);
  if (!ok) endOfFile = true;
  if (gauge_) gauge_->SetPosition(file_.GetPosition());
  return ok;
}

void TVQRDecoder::DecodeDataRecord(TVQRRecording& rec, bool& endOfFile) {
  const uint8_t* r = record_.data();
  if (!ReadStep(record_.data(), endOfFile) || r[0] != kDataMarker) return;
  if (recordIndex_ == 1 && r[1] == 0 && r[2] == 0 && r[3] == 0 && r[4] == 0) {
    recordIndex_ = 0;  // a zero time stamp never becomes sample 1
    return;
  }
  TVQRSample& s = store_.Samples[recordIndex_];
  s.Day = r[1];
  s.Hour = r[2];
  s.Minute = r[3];
  s.Second = r[4];
  s.Seconds = s.Day * 86400 + s.Hour * 3600 + s.Minute * 60 + s.Second;
  for (int ch = 1; ch <= kTempChannel; ++ch) s.Raw[ch] = ReadI16(r + 5 + 2 * (ch - 1));
  rec.lastTime_ = s.Seconds;
}

bool TVQRDecoder::ReadData(TVQRRecording& rec) {
  recordIndex_ = 0;
  bool endOfFile = false;
  // The header records are kept as read, even those of a rejected header.
  for (auto& header : rec.headers_)
    if (!ReadStep(header.data(), endOfFile)) return false;
  if (rec.headers_[1][0] != kParamMarker || rec.headers_[2][0] != kRef1Marker ||
      rec.headers_[3][0] != kRef2Marker)
    return false;
  if (meta_) meta_->ParseHeader(rec.headers_[1].data());
  rec.refValue1_ = ReadF32(rec.headers_[1].data() + 29);
  rec.refValue2_ = ReadF32(rec.headers_[1].data() + 33);

  recordIndex_ = 0;
  store_.Clear();
  rec.lastTime_ = 0;  // an empty recording must not keep the previous file's end
  // The slot bound keeps the loop inside the store even if the counter is
  // changed by a record; it stops after the record that took slot 1501.
  do {
    DecodeDataRecord(rec, endOfFile);
  } while (!endOfFile && recordIndex_ <= kMaxSamples);
  store_.SampleCount = recordIndex_ - 1;
  Calibrate(store_, rec);
  return true;
}

void TVQRDecoder::Calibrate(TVQRDataObject& store, TVQRRecording& rec) {
  CalcRawRanges(store, rec.cal_);
  CheckReferences(rec, rec.refValue1_, rec.refValue2_, rec.cal_);
  CalcScales(rec, rec.refValue1_, rec.refValue2_, rec.cal_);
  rec.overallMax_ = CalcCalValues(store, rec.cal_);
}
