#pragma once
// The processing object: the one object through which the windows, printing
// and the exports read a recording: links, calibration, ranges, axes,
// smoothing and the exports (in export/). The diagram drawn from it is
// TVQRDiagram in chart/.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "data/vqrdat.h"
#include "data/vqrtypes.h"

class IProcessGauge;
class TVQRLogFile;
class TVQRMetaData;
class TVQRAsciiFile;
class TVQREqualizer;

class TVqrDataObjectNew {
 public:
  TVqrDataObjectNew();
  ~TVqrDataObjectNew();
  TVqrDataObjectNew(const TVqrDataObjectNew&) = delete;
  TVqrDataObjectNew& operator=(const TVqrDataObjectNew&) = delete;

  void SetStore(TVQRDataObject* store) { Store = store; }
  void SetGauge(IProcessGauge* gauge) { Gauge = gauge; }
  void SetLogFile(TVQRLogFile* reader) { LogFile = reader; }
  void SetMetaData(TVQRMetaData* meta) { MetaData = meta; }
  void SetExportFile(TVQRAsciiFile* file) { ExportFile = file; }

  /// Restores the built-in axis scaling.
  void SetDefaultScaling() { Scaling = TAxisScaling{}; }

  /// Decodes the open reader's file into the store and calibrates it; true
  /// when the header was accepted.
  bool ReadData();
  /// Raw ranges, reference check, scales, calibrated values and ranges, axes:
  /// the calibration that ReadData runs after decoding.
  void Calibrate();

  int GetSampleCount() const;
  int32_t GetTime(int i) const;
  float GetValue(int i, int ch) const;

  /// Reference readings of calibration points 1 and 2 (channels 1..16).
  int16_t RefRaw1(int ch) const;
  int16_t RefRaw2(int ch) const;

  /// Triangular moving average of all 17 channels, distance clamped to 1..32.
  void Smooth(int distance);

  bool ExportCalibrated();
  bool ExportRaw();
  bool ExportCalParams();

  float ApplyUserFactor(float v) const { return v * Scaling.UserFactor; }

  /// Fits the three axes to a run that ends at lastTime seconds, whose
  /// largest value is overallMax and whose temperatures lie between tempMin
  /// and tempMax, with this object's scaling: the rules of a read recording,
  /// which fits them to itself. Counts as a fit (a zoom ends).
  void FitAxes(int32_t lastTime, float overallMax, float tempMin, float tempMax);
  /// The axes fitted to this recording alone, as after reading it.
  void FitOwnAxes() {
    FitAxes(LastTime, OverallMax, Cal[kTempChannel].CalMin, Cal[kTempChannel].CalMax);
  }

  TVQRDataObject* Store = nullptr;
  IProcessGauge* Gauge = nullptr;
  float RefValue2 = 0.0f;
  float RefValue1 = 0.0f;
  TVQRLogFile* LogFile = nullptr;
  TVQRAsciiFile* ExportFile = nullptr;
  int32_t RecordIndex = 0;
  int32_t ExportIndex = 0;
  std::array<ChannelCal, 18> Cal{};  // ChannelCal[1..17]
  TVQRMetaData* MetaData = nullptr;
  float OverallMax = 0.0f;
  AxisRange TimeAxis;
  AxisRange ValueAxis;
  AxisRange TempAxis;
  TAxisScaling Scaling;
  /// Counts the axis fits: a zoom of the axes ends with the next fit.
  uint32_t AxesFitted = 0;
  std::array<std::array<uint8_t, kRecordSize>, 4> HeaderRecords{};  // start, params, ref 1, ref 2
  std::array<uint8_t, kRecordSize> RecordBuffer{};
  int32_t LastTime = 0;
  bool ZeroPoint = false;
  std::unique_ptr<TVQREqualizer> Equalizer;

 private:
  bool ReadStep(uint8_t* buffer, bool& endOfFile);
  void DecodeDataRecord(bool& endOfFile);
  void CalcRawRanges();
  void CheckReferences();
  void CalcScales();
  void CalcCalValues();
  bool ExportSamples(bool calibrated);
  bool WriteSampleLine(const TVQRSample& s, bool calibrated);
  bool WriteRefLine(int record);
};
