#pragma once
// The header line of a printed page: what the page shows on the left (file,
// recording start, window, print date) and, in a report, its page number on
// the right, over a thin rule at the top of the drawing frame.

#include <cstddef>
#include <string>

#include "chart/devicecontext.h"

class TVQRDiagram;

struct TPageHeader {
  std::string Left;
  std::string Right;  // empty: none
  /// The leading bytes of Left that name the recording: shortened in the
  /// middle first when the line is too long for the frame.
  size_t NameBytes = 0;
};

/// The header's character height in device pixels at dpi: 3 mm on paper
/// whatever the diagram's scale, at least 6 pixels.
int32_t PageHeaderFontHeight(int32_t dpi);

/// How far the header reaches below the frame's top (text and rule), so that
/// what follows it on a page starts there.
int32_t PageHeaderHeight(int32_t dpi);

/// Draws header at the top of frame (device pixels, right and bottom
/// excluded) in black. A line too long for the frame's width, as the device
/// measures it, gets a shortened recording name, then a smaller font, and
/// at last loses the end of its left part.
void DrawPageHeader(IDeviceContext& dc, const TRect& frame, const TPageHeader& header);

/// The page inside the diagram's borders (device pixels, right and bottom
/// excluded), before the diagram moves itself to keep its texts on the
/// paper: where a header line may run. diagram is set up for page.
TRect PageBorderFrame(const TVQRDiagram& diagram, const TRect& page);

/// The texts DrawPageHeader draws into width pixels with font (which it may
/// make smaller): left and right part.
struct TFittedHeader {
  std::string Left;
  std::string Right;
  DcFont Font;
};
TFittedHeader FitPageHeader(const IDeviceContext& dc, int32_t width, const TPageHeader& header,
                            DcFont font);
