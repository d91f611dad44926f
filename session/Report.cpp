#include "session/Report.h"

#include <algorithm>

#include "chart/curvestats.h"
#include "chart/diagramcontroller.h"
#include "data/numtext.h"
#include "session/Session.h"

int PrepareReportWindow(TVQRSession& session, const TReportWindow& window) {
  const int mode = IsReportWindow(window.Mode) && window.Mode != kReportOverview ? window.Mode : 1;
  const int curves = session.PrepareWindow(mode);
  if (window.Mode == kReportOverview) return curves;
  if (window.Axes) {
    // Over the axes fitted now, as the window put back from a saved evaluation.
    TAxisSet axes;
    if (SavedAxesOver(session.Data().Axes().All(), *window.Axes, axes))
      session.Data().Axes().ZoomAll(axes);
  } else if (window.Zoomed) {
    // The window's rule for its two clicks: a selection under one division is none.
    TZoomSel sel;
    if (TVQRDiagram::ZoomSelection({window.Zoom.xFrom, window.Zoom.yFrom},
                                   {window.Zoom.xTo, window.Zoom.yTo}, sel))
      session.Diagram().SetZoom(sel);
  }
  return curves;
}

std::vector<TReportNote> ReportNotes(const TNotes& notes) {
  std::vector<TReportNote> list;
  for (const TNote& n : notes) list.push_back({n.Time / 3600.0, n.Channel, n.Text});
  return list;
}

std::vector<int> ReportChannels(const TVQRDiagram& diagram, int mode) {
  std::vector<int> channels;
  if (IsChannelMode(mode)) {
    channels.push_back(mode);
  } else if (IsCombiMode(mode)) {
    const TChannelPens& pens = diagram.ChannelPens();
    for (int ch = 1; ch <= kTempChannel; ++ch)
      if (pens[ch].Visible) channels.push_back(ch);
  }
  return channels;
}

TReportMeasured MeasureReportWindow(TVQRSession& session, const TReportWindow& window) {
  TReportMeasured m;
  m.Mode = window.Mode;
  m.MarkA = window.MarkA;
  m.MarkB = window.MarkB;
  if (!IsChannelMode(window.Mode) && !IsCombiMode(window.Mode)) return m;
  PrepareReportWindow(session, window);
  const TVQRDiagram& diagram = session.Diagram();
  const TVqrDataObjectNew& data = diagram.Data();
  const int count = DrawnSampleCount(data);
  const auto marked = [count](int s) { return s >= 1 && s <= count; };
  TMeasuredRange range;
  if (marked(window.MarkA) && marked(window.MarkB)) {
    m.Marked = true;
    range.MarkA = window.MarkA;
    range.MarkB = window.MarkB;
    m.FromSeconds = SampleOf(data, std::min(window.MarkA, window.MarkB)).Seconds;
    m.ToSeconds = SampleOf(data, std::max(window.MarkA, window.MarkB)).Seconds;
  } else {
    TimeAxisRange(data, m.FromSeconds, m.ToSeconds);
    m.MarkA = m.MarkB = 0;
  }
  range.FromSeconds = m.FromSeconds;
  range.ToSeconds = m.ToSeconds;
  m.Decimals = std::clamp(data.Axes().Value().Decimals + 3, 2, 7);
  if (diagram.Comparing())
    for (const TDiagramRun& run : diagram.Runs()) m.RunNames.push_back(run.Name);
  else
    m.RunNames.push_back(session.Name());
  const std::vector<int> channels = ReportChannels(diagram, window.Mode);
  m.Rows = MeasuredRows(diagram, channels, range);
  const TVQRLimits limits = session.Limits();
  for (int ch : channels)
    for (TLimitVerdict& v : LimitVerdictRows(diagram, ch, range, limits))
      m.Verdicts.push_back(std::move(v));
  return m;
}

bool ParseReportWindows(std::string_view text, std::vector<TReportWindow>& windows) {
  std::vector<TReportWindow> parsed;
  while (true) {
    const size_t comma = text.find(',');
    int32_t mode = -1;
    if (!WholeIntFromText(text.substr(0, comma), mode) || !IsReportWindow(mode)) return false;
    TReportWindow window;
    window.Mode = mode;
    parsed.push_back(window);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  windows = std::move(parsed);
  return true;
}

TReportWindowKeeper::TReportWindowKeeper(TVQRSession& session)
    : session_(session),
      mode_(session.Diagram().WindowMode()),
      axes_(session.Data().Axes().All()),
      zoom_(session.Diagram().ZoomMemory()) {}

TReportWindowKeeper::~TReportWindowKeeper() {
  TVQRDiagram& diagram = session_.Diagram();
  if (IsChannelMode(mode_) || IsCombiMode(mode_))
    session_.PrepareWindow(mode_);
  else
    diagram.SetWindowMode(mode_);
  session_.Data().Axes().ZoomAll(axes_);
  diagram.SetZoomMemory(zoom_);
}
