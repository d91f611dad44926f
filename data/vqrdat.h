#pragma once
#include <array>
#include <cstdint>

#include "data/vqrtypes.h"

/// One time-stamped sample: 17 raw readings and their calibrated values.
struct TVQRSample {
  uint8_t Day = 0;
  uint8_t Hour = 0;
  uint8_t Minute = 0;
  uint8_t Second = 0;
  int32_t Seconds = 0;
  std::array<int16_t, 18> Raw{};  // 1..17, Raw[17] = temperature in 0.1 degrees
  std::array<float, 18> Cal{};    // 1..17

  /// A slot whose four time bytes are 0 is empty: exports and curves stop there.
  bool IsEmpty() const { return Day == 0 && Hour == 0 && Minute == 0 && Second == 0; }
};

/// The sample store of one recording: slots 1..SampleCount are valid.
class TVQRDataObject {
 public:
  std::array<TVQRSample, kSampleSlots> Samples{};
  int32_t SampleCount = 0;

  /// Zeroes every slot; SampleCount is left alone (only ReadData sets it).
  void Clear() { Samples.fill(TVQRSample{}); }
};
