#pragma once
// The processing object: the one object through which the windows, printing
// and the exports read a recording. Its data half (links, calibration, ranges,
// axes, smoothing, exports) is implemented in data/ and export/; its diagram
// half (page set-up, drawing, zoom, overview cells) in chart/, so that the
// data layer never depends on drawing.

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
class TVQRPlotter;
class IDeviceContext;

class TVqrDataObjectNew {
 public:
  TVqrDataObjectNew();
  ~TVqrDataObjectNew();
  TVqrDataObjectNew(const TVqrDataObjectNew&) = delete;
  TVqrDataObjectNew& operator=(const TVqrDataObjectNew&) = delete;

  // ---------------------------------------------------------------- data half
  void SetStore(TVQRDataObject* store) { Store = store; }
  void SetGauge(IProcessGauge* gauge) { Gauge = gauge; }
  void SetLogFile(TVQRLogFile* reader) { LogFile = reader; }
  void SetMetaData(TVQRMetaData* meta) { MetaData = meta; }
  void SetExportFile(TVQRAsciiFile* file) { ExportFile = file; }

  /// Restores the built-in layout, channel pens and/or print options.
  void SetDefaults(bool layout, bool pens, bool printOptions);

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

  float ApplyUserFactor(float v) const { return v * Layout.UserFactor; }

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
  std::array<std::array<uint8_t, kRecordSize>, 4> HeaderRecords{};  // start, params, ref 1, ref 2
  std::array<uint8_t, kRecordSize> RecordBuffer{};
  int32_t LastTime = 0;
  bool ZeroPoint = false;
  std::unique_ptr<TVQREqualizer> Equalizer;

  // ------------------------------------------------------------- diagram half
  TDiagramLayout* GetLayout() { return &Layout; }
  TPenRec* GetChannelPens() { return ChannelPens.data(); }  // index 1..17
  TPrintOptions* GetPrintOptions() { return &PrintOptions; }
  void SetWindowMode(int mode) { WindowMode = mode; }
  int GetWindowMode() const { return WindowMode; }

  // Page set-up.
  void SetPrintMode(bool printing, const TRect& previewRect);
  void BeginDraw(IDeviceContext& canvas, const TRect& rect, bool mirror);
  /// Unbinds the canvas after a drawing, so that the object never keeps a
  /// device context that has gone; drawing without a new BeginDraw is a no-op.
  void EndDraw();
  int PageToDeviceX(int x) const;
  int PageToDeviceY(int y) const;
  void ApplyPen(const TPenRec& pen);
  void ApplyFont(const TFontRec& font);

  // Drawing.
  void DrawAxes();
  void DrawCurves();
  int TimeToDeviceX(int32_t t) const;
  int ValueToDeviceY(int ch, float v) const;
  float AxisValue(int axis, int i) const;
  std::string TickLabel(int axis, int i) const;
  std::string UnitText(int axis) const;

  // Zoom.
  TPoint SnapToGrid(TPoint& pt) const;  // returns division indexes (ix, iy)
  void SetZoom(const TZoomSel& sel);
  void ResetZoom();
  bool RestoreZoom();

  // Overview.
  void ComputeOverview(int ch, TOverviewCell& cell) const;
  std::string AxisScaleText(int axis) const;

  TDiagramLayout Layout = MakeDefaultLayout();
  TChannelPens ChannelPens{};
  TPrintOptions PrintOptions;
  int32_t WindowMode = 0;
  AxisRange ZoomedX;
  AxisRange ZoomedY;
  AxisRange SavedX;
  AxisRange SavedY;
  bool ZoomAvailable = false;

  // Page set-up state (BeginDraw).
  std::shared_ptr<TVQRPlotter> Plotter;
  IDeviceContext* Canvas = nullptr;
  bool Printing = false;
  bool PreviewActive = false;
  TRect PreviewRect;
  bool Landscape = false;
  TRect DrawRect;
  int32_t DpiX = 0;
  int32_t DpiY = 0;
  float ScaleX = 0.0f;
  float ScaleY = 0.0f;
  float PreviewScale = 0.0f;
  float MeanScale = 0.0f;
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  bool AllBlackActive = false;

  // Drawing state (DrawAxes, DrawCurves).
  float TimeStart = 0.0f;
  float ValueStart = 0.0f;
  float TempStart = 0.0f;
  float TimeFactor = 0.0f;
  float ValueFactor = 0.0f;
  float TempFactor = 0.0f;
  TRect PlotRect;
  float DivWidthX = 0.0f;
  float DivWidthY = 0.0f;
  int32_t LegendIndex = 0;
  std::array<TPoint, kSampleSlots> Points{};

 private:
  // ---------------------------------------------------- data half internals
  bool ReadStep(uint8_t* buffer, bool& endOfFile);
  void DecodeDataRecord(bool& endOfFile);
  void CalcRawRanges();
  void CheckReferences();
  void CalcScales();
  void CalcCalValues();
  void SetupAxes();
  bool ExportSamples(bool calibrated);
  bool WriteSampleLine(const TVQRSample& s, bool calibrated);
  bool WriteRefLine(int record);

  // ------------------------------------------------- diagram half internals
  void DrawXAxis();
  void DrawYAxis();
  void DrawTAxis();
  void DrawVerticalAxis(int axis, const TAxisLayout& a, int32_t& y1, int32_t& y2);
  void DrawAxisScale(int axis, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawGridLines();
  void DrawGridCrosses();
  void DrawChannelCurve(int ch);
  void DrawLegendEntry(int ch);
  /// StepBy on the gauge, only while printing for real (not previewing).
  void PrintProgress(int delta);
  const AxisRange* RangeOf(int axis) const;
  const TAxisLayout* AxisLayoutOf(int axis) const;
};
