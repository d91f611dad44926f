#pragma once
// Painting shared by the channel window, the overview window and vqrtool:
// plain drawing over a device context, no window code.

#include <array>
#include <string>

#include "chart/devicecontext.h"
#include "chart/vqrdiagram.h"

/// The 16 overview cells; element 0 is unused, cell k shows channel k.
using TOverviewCells = std::array<TOverviewCell, 17>;

/// Background of the windows around their white areas.
constexpr uint32_t kWindowBackground = 0xF0F0F0;

/// The white drawing area of a window client of width w whose usable height
/// ends at h: a margin of 2 % (at least 3 pixels) on every side.
TRect DiagramDrawRect(int w, int h);

/// The channel window's diagram: fills drawRect white and draws axes, grid,
/// curves and legend of the current window mode into it (screen set-up);
/// the device context is released again at the end.
void PaintDiagram(TVQRDiagram& obj, IDeviceContext& dc, const TRect& drawRect);

/// Cell layout of the overview for a client of the given width whose status
/// bar starts at statusBarTop (cells are not computed).
void LayoutOverviewCells(int clientWidth, int statusBarTop, TOverviewCells& cells);

/// Fills every cell's points from the recording.
void ComputeOverviewCells(const TVQRDiagram& obj, TOverviewCells& cells);

/// Draws the 16 thumbnails: white cells, black scales with quarter ticks and
/// the data in red, as single pixels or, with fillPixel, as a line.
void PaintOverview(IDeviceContext& dc, const TOverviewCells& cells, bool fillPixel);

/// The overview's scale read-out for its status bar.
std::string OverviewReadout(const TVQRDiagram& obj);
