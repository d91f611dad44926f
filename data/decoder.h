#pragma once
// The decoder: reads a raw data file record by record into a sample store,
// checks its header, and calibrates what it read into a recording.

#include <array>
#include <cstdint>

#include "data/recording.h"

class IProcessGauge;
class TVQRLogFile;
class TVQRMetaData;

class TVQRDecoder {
 public:
  /// meta and gauge may be null.
  TVQRDecoder(TVQRLogFile& file, TVQRDataObject& store, TVQRMetaData* meta, IProcessGauge* gauge)
      : file_(file), store_(store), meta_(meta), gauge_(gauge) {}

  /// ReadData: the four header records into rec, the run parameters into
  /// the metadata, up to 1500 data records into the store, then Calibrate;
  /// true when the header was accepted. A rejected header leaves the store,
  /// the calibration and the reference values as they were.
  bool ReadData(TVQRRecording& rec);
  /// Raw ranges, reference check, scales, calibrated values and ranges of
  /// the samples in store, into rec: the calibration that ReadData runs
  /// after decoding (the axes are fitted by their owner).
  static void Calibrate(TVQRDataObject& store, TVQRRecording& rec);

 private:
  bool ReadStep(uint8_t* buffer, bool& endOfFile);
  void DecodeDataRecord(TVQRRecording& rec, bool& endOfFile);

  TVQRLogFile& file_;
  TVQRDataObject& store_;
  TVQRMetaData* meta_;
  IProcessGauge* gauge_;
  int32_t recordIndex_ = 0;
  std::array<uint8_t, kRecordSize> record_{};
};
