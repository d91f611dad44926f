#pragma once
// A recording with hand-set axes, drawn into a recording device context.

#include <algorithm>
#include <cmath>

#include "chart/recordingdc.h"
#include "chart/vqrdiagram.h"
#include "testaccess.h"

struct DrawFixture {
  TVQRDataObject store;
  TVqrDataObjectNew data;
  TVQRDiagram diagram{data};
  RecordingDC dc{600, 600};

  DrawFixture() {
    data.SetStore(&store);
    TTestAccess::Axes(data).Time = {12, 43200.0f, 0.0f, 2, 0, false};  // 12 h in hours
    TTestAccess::Axes(data).Value = {10, 1.0f, 0.0f, 1, 1, false};
    TTestAccess::Axes(data).Temp = {8, 16.0f, -12.0f, 2, 0, false};  // 12 .. 28 degrees
  }

  /// Appends a sample: every measurement channel reads value, T reads temp.
  void Add(int32_t seconds, float value, float temp = 20.0f) {
    const int i = ++store.SampleCount;
    TVQRSample& s = store.Samples[i];
    s.Day = 1;  // any non-zero time byte marks the slot as used
    s.Seconds = seconds;
    for (int ch = 1; ch <= kMeasureChannels; ++ch) s.Cal[ch] = value;
    s.Cal[kTempChannel] = temp;
  }

  void ShowChannels(std::initializer_list<int> channels) {
    for (int ch = 1; ch <= kTempChannel; ++ch) diagram.ChannelPens()[ch].Visible = 0;
    for (int ch : channels) diagram.ChannelPens()[ch].Visible = 1;
  }

  /// The screen drawing of the channel window on rect.
  void DrawScreen(TRect rect = {0, 0, 2871, 1991}) {
    dc.Clear();
    diagram.SetPrintMode(false, TRect{});
    diagram.BeginDraw(dc, rect, true);
    diagram.DrawAxes();
    diagram.DrawCurves();
  }

  /// The printout (preview when previewRect is not empty) on a printer page.
  void DrawPrinter(TRect page, TRect previewRect = {}) {
    dc.Clear();
    diagram.SetPrintMode(true, previewRect);
    diagram.BeginDraw(dc, page, true);
    diagram.DrawAxes();
    diagram.DrawCurves();
  }

  bool HasText(const std::string& s) const {
    const auto texts = dc.Texts();
    return std::any_of(texts.begin(), texts.end(), [&](const auto& c) { return c.text == s; });
  }

  std::vector<RecordingDC::Segment> SegmentsOfColor(uint32_t color) const {
    std::vector<RecordingDC::Segment> out;
    for (const auto& s : dc.Segments())
      if (s.pen.Color == color) out.push_back(s);
    return out;
  }
};
