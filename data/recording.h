#pragma once
// One recording as read from its raw data file: the samples (in the store it
// is linked to), the calibration and value range per channel, the reference
// values, the header records and the run's metadata. Read-only: the decoder
// (data/decoder.h) fills it, and smoothing changes the calibrated values of
// the samples in their store.

#include <array>
#include <cstdint>

#include "data/vqrdat.h"
#include "data/vqrtypes.h"

class TVQRMetaData;

class TVQRRecording {
 public:
  TVQRRecording() = default;
  TVQRRecording(const TVQRRecording&) = delete;
  TVQRRecording& operator=(const TVQRRecording&) = delete;

  /// The sample store; null until one is linked.
  const TVQRDataObject* Store() const { return store_; }
  /// The run's metadata; null when none is linked.
  const TVQRMetaData* Meta() const { return meta_; }

  /// SampleCount of the store (0 without one).
  int GetSampleCount() const;
  /// Seconds of sample i for 1 <= i <= 1500, otherwise 0.
  int32_t GetTime(int i) const;
  /// The calibrated value of channel ch of sample i for 1 <= i <= 1500, otherwise 0.
  float GetValue(int i, int ch) const;

  /// Calibration and value range of channel ch (1..17).
  const ChannelCal& Cal(int ch) const { return cal_[static_cast<size_t>(ch)]; }
  /// Reference values of calibration points 1 and 2, as the calibration used them.
  float RefValue1() const { return refValue1_; }
  float RefValue2() const { return refValue2_; }
  /// Largest CalMax of channels 1..16, at least 0.1.
  float OverallMax() const { return overallMax_; }
  /// Seconds of the last stored sample.
  int32_t LastTime() const { return lastTime_; }
  /// Reference readings of calibration points 1 and 2 (channels 1..16, else 0).
  int16_t RefRaw1(int ch) const;
  int16_t RefRaw2(int ch) const;
  /// The file's first four records: start, parameters, references 1 and 2.
  using THeaderRecord = std::array<uint8_t, kRecordSize>;
  const THeaderRecord& HeaderRecord(int k) const { return headers_[static_cast<size_t>(k)]; }

 private:
  friend class TVQRDecoder;        // fills it from a file
  friend class TVqrDataObjectNew;  // links the store and the metadata
  friend struct TTestAccess;

  const TVQRDataObject* store_ = nullptr;
  const TVQRMetaData* meta_ = nullptr;
  float refValue1_ = 0.0f;
  float refValue2_ = 0.0f;
  std::array<ChannelCal, 18> cal_{};  // 1..17
  float overallMax_ = 0.0f;
  int32_t lastTime_ = 0;
  std::array<THeaderRecord, 4> headers_{};
};
