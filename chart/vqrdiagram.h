#pragma once
// The diagram of a recording: layout, channel pens and print options, the page
// set-up of one drawing (screen, printer or preview), the drawing of axes,
// grid, curves and legend through the plotter, the zoom and the overview
// cells. It reads the recording through the processing object and changes
// only its time and value axes (the zoom, through their owner).

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chart/charttypes.h"
#include "chart/notes.h"
#include "data/vqrfileo.h"
#include "settings/limits.h"

class IDeviceContext;
class TVQRPlotter;

/// One recording of a comparison as the diagram draws it.
struct TDiagramRun {
  const TVqrDataObjectNew* Data = nullptr;
  int32_t TimeOffset = 0;  // seconds added to every sample time of the run
  std::string Name;        // the legend's text: the file's name without folder
};

/// Grid of the last drawing in device pixels: the plot rectangle (mapped,
/// so top and bottom as on the device) and the width of one division.
struct TDiagramGrid {
  TRect PlotRect;
  float DivWidthX = 0.0f;
  float DivWidthY = 0.0f;
  // A free axis: its first tick lies First pixels from the axis start (along
  // the axis, before mirroring), its last Last divisions after it.
  bool FreeX = false;
  bool FreeY = false;
  float FirstX = 0.0f;
  float FirstY = 0.0f;
  int32_t LastX = 0;
  int32_t LastY = 0;
};

/// A text of a drawing with its box as measured on the device.
struct TPlacedText {
  TRect Box;
  int Tag = 0;  // what the text is (the diagram's own classification)
};

class TVQRDiagram {
 public:
  explicit TVQRDiagram(TVqrDataObjectNew& data);
  /// A further diagram of the same recording with axes of its own, which it
  /// zooms and draws by; the caller keeps axes alive as long as the diagram.
  TVQRDiagram(TVqrDataObjectNew& data, TVQRAxes& axes);
  ~TVQRDiagram();
  TVQRDiagram(const TVQRDiagram&) = delete;
  TVQRDiagram& operator=(const TVQRDiagram&) = delete;

  TVqrDataObjectNew& Data() { return data_; }
  const TVqrDataObjectNew& Data() const { return data_; }
  /// The axes this diagram is drawn and zoomed by: the recording's own,
  /// unless it was made with axes of its own.
  TVQRAxes& Axes() { return axes_; }
  const TVQRAxes& Axes() const { return axes_; }

  // ------------------------------------------------------------ configuration
  /// Restores the built-in layout, channel pens and/or print options.
  void SetDefaults(bool layout, bool pens, bool printOptions);
  TDiagramLayout& Layout() { return layout_; }
  const TDiagramLayout& Layout() const { return layout_; }
  /// Pens 1..17 (element 0 unused); Visible marks the curves of a combination.
  TChannelPens& ChannelPens() { return pens_; }
  const TChannelPens& ChannelPens() const { return pens_; }
  TPrintOptions& PrintOptions() { return printOptions_; }
  const TPrintOptions& PrintOptions() const { return printOptions_; }
  /// 1..16 a channel, kCombi1Mode / kCombi2Mode a combination.
  void SetWindowMode(int mode) { windowMode_ = mode; }
  int WindowMode() const { return windowMode_; }

  /// The recordings of a comparison, the diagram's own first (its Data is
  /// this diagram's). Each visible curve is drawn once per run and the legend
  /// names the runs. ownTime and ownValue are the own recording's axes, which
  /// the overview keeps. Fewer than two runs: the one recording as ever.
  void SetComparison(std::vector<TDiagramRun> runs, const AxisRange& ownTime,
                     const AxisRange& ownValue);
  const std::vector<TDiagramRun>& Runs() const { return runs_; }
  bool Comparing() const { return runs_.size() > 1; }
  /// The pen of run k's curve of a channel drawn with pen: run 0 the pen
  /// itself; a solid pen dashed, dotted, dash-dotted and dash-dot-dotted in
  /// turn (lighter from the fifth run on); a styled pen in lighter shades.
  static TPenRec RunPen(const TPenRec& pen, int k);
  /// The limits drawn with each curve: dashed lines in the curve's colour,
  /// the parts of the curve outside them lightly marked.
  void SetLimits(const TVQRLimits& limits) { limits_ = limits; }
  const TVQRLimits& Limits() const { return limits_; }

  // ---------------------------------------------------------------- page set-up
  void SetPrintMode(bool printing, const TRect& previewRect);
  void BeginDraw(IDeviceContext& canvas, const TRect& rect, bool mirror);
  /// Unbinds the canvas after a drawing, so that the diagram never keeps a
  /// device context that has gone; drawing without a new BeginDraw is a no-op.
  void EndDraw();
  int PageToDeviceX(int x) const;
  int PageToDeviceY(int y) const;
  void ApplyPen(const TPenRec& pen);
  void ApplyFont(const TFontRec& font);

  // -------------------------------------------------------------------- drawing
  void DrawAxes();
  void DrawCurves();
  int TimeToDeviceX(int32_t t) const;
  int ValueToDeviceY(int ch, float v) const;
  float AxisValue(int axis, int i) const;
  std::string TickLabel(int axis, int i) const;
  std::string UnitText(int axis) const;

  /// The notes drawn after the curves (not owned; null: none).
  void SetNotes(const TNotes* notes) { notes_ = notes; }
  const TNotes* Notes() const { return notes_; }
  /// Where the last screen drawing put the notes it showed.
  const std::vector<TNoteMark>& ScreenNotes() const { return screenNotes_; }
  /// The x of a time of the open recording in the last drawing (device pixels).
  int32_t NoteX(int32_t time) const;

  // ----------------------------------------------------------------------- zoom
  /// Division indexes (ix, iy) under a pixel of the last screen drawing; pt
  /// is snapped to that grid crossing. A print in between does not change it.
  TPoint SnapToGrid(TPoint& pt) const;
  /// The zoom rule of the channel window: two grid crossings (division
  /// indexes as SnapToGrid gives them, in either order; on the mirrored
  /// screen the y indexes above the value axis start are negative) span a
  /// selection; false when it is narrower than one division either way.
  static bool ZoomSelection(TPoint from, TPoint to, TZoomSel& sel);
  void SetZoom(const TZoomSel& sel);
  /// Zooms to the given time and value axes, as a selection giving them
  /// would (a saved evaluation); false, nothing changed, when unusable.
  bool ZoomTo(const AxisRange& time, const AxisRange& value);
  void ResetZoom();
  bool RestoreZoom();
  /// True once a selection gave usable axes (RestoreZoom can show it again),
  /// until the recording's axes are fitted anew.
  bool ZoomAvailable() const;
  /// What ResetZoom and RestoreZoom go back to, so that drawing other
  /// windows in between (a report) leaves a window's zoom as it was.
  struct TZoomMemory {
    AxisRange ZoomedX, ZoomedY, SavedX, SavedY;
    bool Available = false;
  };
  TZoomMemory ZoomMemory() const { return {zoomedX_, zoomedY_, savedX_, savedY_, zoomAvailable_}; }
  void SetZoomMemory(const TZoomMemory& m) {
    zoomedX_ = m.ZoomedX;
    zoomedY_ = m.ZoomedY;
    savedX_ = m.SavedX;
    savedY_ = m.SavedY;
    zoomAvailable_ = m.Available;
  }
  /// The axes before the last SetZoom.
  const AxisRange& SavedX() const { return savedX_; }
  const AxisRange& SavedY() const { return savedY_; }

  // ------------------------------------------------------------------- overview
  void ComputeOverview(int ch, TOverviewCell& cell) const;
  std::string AxisScaleText(int axis) const;

  // ------------------------------------------------- state of the last drawing
  const TVQRPlotter* Plotter() const { return plotter_.get(); }
  bool Printing() const { return printing_; }
  bool PreviewActive() const { return previewActive_; }
  bool Landscape() const { return landscape_; }
  const TRect& DrawRect() const { return drawRect_; }
  int32_t DpiX() const { return dpiX_; }
  int32_t DpiY() const { return dpiY_; }
  float ScaleX() const { return scaleX_; }
  float ScaleY() const { return scaleY_; }
  float PreviewScale() const { return previewScale_; }
  float MeanScale() const { return meanScale_; }
  int32_t OriginX() const { return originX_; }
  int32_t OriginY() const { return originY_; }
  const TRect& PlotRect() const { return grid_.PlotRect; }
  float DivWidthX() const { return grid_.DivWidthX; }
  float DivWidthY() const { return grid_.DivWidthY; }
  /// The grid of the last screen drawing, which the zoom clicks refer to.
  const TDiagramGrid& ScreenGrid() const { return screenGrid_; }

 private:
  // What a text is, for the measuring run of a printed page.
  static constexpr int kTagOther = 0;
  static constexpr int kTagLabel = 1;  // + axis
  static constexpr int kTagUnit = 4;   // + axis

  void DrawXAxis();
  void DrawYAxis();
  void DrawTAxis();
  void DrawVerticalAxis(int axis, const TAxisLayout& a, int32_t& y1, int32_t& y2);
  void DrawAxisScale(int axis, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  void DrawGridLines();
  void DrawGridCrosses();
  void DrawChannelCurve(int ch);
  void DrawNotes();
  void SampleColumns(const TVqrDataObjectNew& data, int32_t timeOffset,
                     std::vector<int32_t>& xs) const;
  void DrawRunCurve(int ch, const TVqrDataObjectNew& data, const std::vector<int32_t>& xs,
                    const TPenRec& pen, bool progress);
  /// Before the curves of a channel: the marks of the parts outside its
  /// limits on each run; after them, the limit lines.
  void DrawOutsideMarks(int ch, const TVqrDataObjectNew& data, const std::vector<int32_t>& xs,
                        const TPenRec& pen);
  void DrawLimitLines(int ch);
  int DrawnToDeviceY(int ch, double drawn) const;
  void DrawLegendEntry(int ch);
  void DrawRunLegend();
  void DrawLegendItem(bool withLine, const std::string& text);
  /// ApplyFont with the size times factor.
  void ApplyFontScaled(const TFontRec& font, double factor);
  /// Printing: lays the page's texts out once without drawing, measured on
  /// the device; moves units clear of the texts they touch and the diagram
  /// the least that brings every text onto the paper.
  void FitPrintedTexts();
  /// The texts a drawing would draw, measured; nothing is drawn.
  std::vector<TPlacedText> MeasurePrintedTexts();
  void MoveUnitsClear(std::vector<TPlacedText>& texts);
  int RunValueToDeviceY(const TVqrDataObjectNew& data, int ch, float v) const;
  /// StepBy on the gauge, only while printing for real (not previewing).
  void PrintProgress(int delta);
  const AxisRange* RangeOf(int axis) const;
  const TAxisLayout* AxisLayoutOf(int axis) const;
  /// Pixel of tick i of an axis running from start over length pixels;
  /// step: length / Divisions. False for a tick of a free axis outside it.
  bool TickPixel(int axis, int i, int32_t start, double length, float step, int32_t& p) const;
  std::vector<int32_t> GridPixels(int axis, int32_t start, int32_t length, float& spacing) const;
  /// The grid's fields of a free axis for the zoom clicks.
  void NoteFreeGrid(int axis, double length);

  TVqrDataObjectNew& data_;
  TVQRAxes& axes_;

  TDiagramLayout layout_ = MakeDefaultLayout();
  TChannelPens pens_{};
  TPrintOptions printOptions_;
  int32_t windowMode_ = 0;
  std::vector<TDiagramRun> runs_;
  TVQRLimits limits_;
  AxisRange ownTime_;
  AxisRange ownValue_;

  // Zoom.
  AxisRange zoomedX_;
  AxisRange zoomedY_;
  AxisRange savedX_;
  AxisRange savedY_;
  bool zoomAvailable_ = false;
  TAxesSubscription fits_;  // a fit of the recording's axes ends the zoom

  // Page set-up (BeginDraw).
  std::shared_ptr<TVQRPlotter> plotter_;
  IDeviceContext* canvas_ = nullptr;
  bool printing_ = false;
  bool previewActive_ = false;
  TRect previewRect_;
  bool landscape_ = false;
  TRect drawRect_;
  int32_t dpiX_ = 0;
  int32_t dpiY_ = 0;
  float scaleX_ = 0.0f;
  float scaleY_ = 0.0f;
  float previewScale_ = 0.0f;
  float meanScale_ = 0.0f;
  int32_t originX_ = 0;
  int32_t originY_ = 0;
  bool allBlackActive_ = false;

  // Drawing (DrawAxes, DrawCurves).
  float timeStart_ = 0.0f;
  float valueStart_ = 0.0f;
  float tempStart_ = 0.0f;
  float timeFactor_ = 0.0f;
  float valueFactor_ = 0.0f;
  float tempFactor_ = 0.0f;
  TDiagramGrid grid_;
  TDiagramGrid screenGrid_;
  int32_t legendIndex_ = 0;
  std::array<TPoint, kSampleSlots> points_{};
  std::vector<std::vector<int32_t>> runX_;  // per run: the x of its samples
  const TNotes* notes_ = nullptr;
  std::vector<TNoteMark> screenNotes_;

  // Texts of a printed page (FitPrintedTexts).
  TRect paper_;                         // the rectangle given to BeginDraw
  bool mirror_ = false;                 // BeginDraw's mirror flag
  bool dryRun_ = false;                 // measuring the texts: nothing reaches the canvas
  int textTag_ = 0;                     // what the next text is (the measuring run sorts by it)
  std::array<int32_t, 3> unitShift_{};  // per axis: unit text moved along its baseline
  std::array<TRect, 3> unitBox_{};      // per axis: the unit text's box (TextBox)
  std::array<bool, 3> unitDrawn_{};
  double fontFactor_ = 1.0;  // every font's size, so that the texts fit the paper
};
