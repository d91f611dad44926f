#pragma once
// The processing object: one recording (data/recording.h) as its decoder
// reads it from the linked file into the linked store, the owner of its
// diagram axes (data/axes.h), the zero-point flag and the smoothing. The
// windows, printing and the exports read the recording through it; the
// diagram drawn from it is TVQRDiagram in chart/, the exports are functions
// over the recording in export/.

#include <cstdint>
#include <memory>

#include "data/axes.h"
#include "data/recording.h"

class IProcessGauge;
class TVQRLogFile;
class TVQRMetaData;
class TVQREqualizer;

class TVqrDataObjectNew {
 public:
  TVqrDataObjectNew();
  ~TVqrDataObjectNew();
  TVqrDataObjectNew(const TVqrDataObjectNew&) = delete;
  TVqrDataObjectNew& operator=(const TVqrDataObjectNew&) = delete;

  void SetStore(TVQRDataObject* store);
  void SetGauge(IProcessGauge* gauge) { gauge_ = gauge; }
  void SetLogFile(TVQRLogFile* reader) { logFile_ = reader; }
  void SetMetaData(TVQRMetaData* meta);
  IProcessGauge* Gauge() const { return gauge_; }

  /// Decodes the open reader's file into the store and calibrates it, then
  /// fits the axes to it; true when the header was accepted.
  bool ReadData();
  /// The calibration that ReadData runs after decoding, and the axes.
  void Calibrate();

  const TVQRRecording& Recording() const { return recording_; }
  TVQRAxes& Axes() { return axes_; }
  const TVQRAxes& Axes() const { return axes_; }

  int GetSampleCount() const { return recording_.GetSampleCount(); }
  int32_t GetTime(int i) const { return recording_.GetTime(i); }
  float GetValue(int i, int ch) const { return recording_.GetValue(i, ch); }
  int16_t RefRaw1(int ch) const { return recording_.RefRaw1(ch); }
  int16_t RefRaw2(int ch) const { return recording_.RefRaw2(ch); }

  /// Triangular moving average of all 17 channels, distance clamped to 1..32.
  void Smooth(int distance);

  /// Zero-point correction: the curves start from each channel's smallest value.
  bool ZeroPoint() const { return zeroPoint_; }
  void SetZeroPoint(bool on) { zeroPoint_ = on; }

  float ApplyUserFactor(float v) const { return axes_.ApplyUserFactor(v); }
  /// The axes fitted to this recording alone, as after reading it.
  void FitOwnAxes() { axes_.FitTo(recording_); }

 private:
  friend struct TTestAccess;
  TVQRDataObject* store_ = nullptr;
  IProcessGauge* gauge_ = nullptr;
  TVQRLogFile* logFile_ = nullptr;
  TVQRMetaData* meta_ = nullptr;
  TVQRRecording recording_;
  TVQRAxes axes_;
  bool zeroPoint_ = false;
  std::unique_ptr<TVQREqualizer> equalizer_;
};
