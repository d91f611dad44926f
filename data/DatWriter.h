#pragma once
// Builds raw data files record by record: the sample generator, the tests and
// the fuzzing seeds use it to make recordings of any shape.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/vqrtypes.h"

using TDatRecord = std::array<uint8_t, kRecordSize>;

struct TDatParams {
  std::array<int16_t, 6> Param{};  // Param1..Param6
  int16_t ProNumber = 0;
  int16_t HeatTemp = 0;  // tenths of a degree
  float RefValue1 = 0.0f;
  float RefValue2 = 0.0f;
};

TDatRecord MakeStartRecord(uint8_t marker = 0);
TDatRecord MakeParamRecord(const TDatParams& p);
/// Reference record of calibration point 1 (marker 21) or 2 (marker 22).
TDatRecord MakeRefRecord(int point, const std::array<int16_t, 16>& raw);
/// Data record (marker 31 unless given); raw[0..15] channels 1..16, raw[16] temperature.
TDatRecord MakeDataRecord(int32_t seconds, const std::array<int16_t, 17>& raw, uint8_t marker = 31);

/// Collects records into the bytes of a file.
class TDatWriter {
 public:
  void Add(const TDatRecord& r) { bytes_.insert(bytes_.end(), r.begin(), r.end()); }
  void AddBytes(const std::vector<uint8_t>& b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  bool Save(const std::string& path) const;

 private:
  std::vector<uint8_t> bytes_;
};
