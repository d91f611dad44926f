#pragma once
// The header line of a printed page: what the page shows on the left (file,
// recording start, window, print date) and, in a report, its page number on
// the right, over a thin rule at the top of the drawing frame.

#include <string>

#include "chart/devicecontext.h"

struct TPageHeader {
  std::string Left;
  std::string Right;  // empty: none
};

/// The header's character height in device pixels at dpi: 3 mm on paper
/// whatever the diagram's scale, at least 6 pixels.
int32_t PageHeaderFontHeight(int32_t dpi);

/// How far the header reaches below the frame's top (text and rule), so that
/// what follows it on a page starts there.
int32_t PageHeaderHeight(int32_t dpi);

/// Draws header at the top of frame (device pixels, right and bottom
/// excluded) in black; a text too long for the frame is drawn as it is.
void DrawPageHeader(IDeviceContext& dc, const TRect& frame, const TPageHeader& header);
