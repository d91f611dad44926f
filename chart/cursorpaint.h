#pragma once
// The measuring cursor of a diagram: a vertical line on the sample under the
// mouse with a read-out of the sample's time and of every visible curve's
// value there, two marker lines, and the time range of a zoom band. Drawn
// over a finished diagram through the device context, so that the channel
// window and vqrtool render draw the same.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chart/devicecontext.h"
#include "chart/vqrdiagram.h"

/// Where the samples of the last drawing of a diagram lie, taken right after
/// it was drawn (a print in between does not move them).
struct TCursorFrame {
  TRect PlotRect;                // normalised: left < right, top < bottom
  std::vector<int32_t> SampleX;  // device x of drawn sample i at [i]; [0] unused
  int32_t FontHeight = 13;
  TRect Picture;  // normalised drawing area: the read-out stays inside (empty: no limit)
};

/// What the cursor shows: samples as drawn indexes (1..), 0 for none.
struct TCursorMarks {
  int Cursor = 0;
  int MarkA = 0;
  int MarkB = 0;
  bool Band = false;      // a zoom band is being drawn: its time range instead
  float BandFrom = 0.0f;  // in the time axis's unit (hours or days)
  float BandTo = 0.0f;
};

/// One line of the read-out box in its colour (0x00BBGGRR).
struct TReadoutLine {
  std::string Text;
  uint32_t Color = kDcBlack;
};

/// The letter above a marker line: its anchor x and which side of the
/// anchor it stands on.
struct TMarkLabel {
  int32_t X = -1;
  DcHAlign Align = DcHAlign::Left;
};

/// The laid-out overlay: lines at the marked samples and the read-out box.
struct TCursorReadout {
  int32_t CursorX = -1;  // -1: no line
  int32_t MarkAX = -1;
  int32_t MarkBX = -1;
  TMarkLabel LabelA;  // right of its line, unless it would run into the other
  TMarkLabel LabelB;
  TRect Box;  // empty: no box
  std::vector<TReadoutLine> Lines;
  int32_t LineHeight = 0;
  /// Lines too many for the height of the picture stand in columns side by
  /// side, top to bottom, then left to right.
  int Columns = 1;
  int RowsPerColumn = 0;
  int32_t ColumnWidth = 0;
  TRect PlotRect;
  DcFont Font;
  /// Everything the overlay paints (empty when it paints nothing).
  TRect Bounds() const;
};

/// The frame of the diagram's last drawing; call right after it was drawn.
TCursorFrame CaptureCursorFrame(const TVQRDiagram& diagram);

/// The drawn sample whose x is nearest to device x (the earlier on a tie), 0
/// without samples.
int SampleAtX(const TCursorFrame& frame, int32_t x);

/// Time on run k's own axis (k 1.. of the diagram's comparison) of the
/// moment that lies at ownSeconds on the open recording's axis, as drawn with
/// the runs' time offsets. Without run k: ownSeconds.
double RunSeconds(const TVQRDiagram& diagram, size_t k, double ownSeconds);

/// The sample of run k nearest to the moment at ownSeconds on the open
/// recording's axis; 0 when that moment lies before run k's first or after
/// its last sample (the run has no value there).
int RunSampleNear(const TVQRDiagram& diagram, size_t k, double ownSeconds);

/// The read-out lines for a sample: the time (axis unit and h:mm:ss since the
/// start) and per visible curve "N: value unit" in the curve's colour. In a
/// comparison, under each curve one line per compared recording in its
/// curve's colour: "  NAME: value unit  Δ difference to the open one", or
/// "  NAME: -" where that recording has no sample at the time. Numbers are
/// written with decimalPoint (the program's locale on screen).
std::vector<TReadoutLine> ReadoutLines(const TVQRDiagram& diagram, int sample,
                                       std::string_view decimalPoint = ".");

/// Lays the overlay out; dc measures the text (its font is set for that).
TCursorReadout LayoutCursorReadout(const TVQRDiagram& diagram, const TCursorFrame& frame,
                                   const TCursorMarks& marks, IDeviceContext& dc,
                                   std::string_view decimalPoint = ".");

/// Paints a laid-out overlay over the diagram.
void PaintCursorReadout(IDeviceContext& dc, const TCursorReadout& readout);

/// The diagram as PaintDiagram draws it, with the cursor on the sample
/// nearest to cursorHours and, with markHours, the markers A (at
/// cursorHours) and B (at markHours) instead of the cursor line.
void PaintDiagramWithCursor(TVQRDiagram& diagram, IDeviceContext& dc, const TRect& drawRect,
                            double cursorHours, const double* markHours);
