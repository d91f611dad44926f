#include "chart/cursorpaint.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <tuple>

#include "chart/curvestats.h"
#include "chart/diagrampaint.h"
#include "chart/drawmath.h"
#include "chart/vqrplotter.h"
#include "data/numtext.h"
#include "data/translate.h"

namespace {

constexpr uint32_t kCursorColor = 0x505050;
constexpr uint32_t kMarkColor = 0x000000;
constexpr uint32_t kBoxBorder = 0x808080;
constexpr int32_t kGap = 8;       // between the cursor line and the box
constexpr int32_t kPadding = 4;   // inside the box
constexpr int32_t kLabelGap = 3;  // between a marker line and its letter

TRect Union(const TRect& a, const TRect& b) {
  if (a.right <= a.left || a.bottom <= a.top) return b;
  if (b.right <= b.left || b.bottom <= b.top) return a;
  return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
          std::max(a.bottom, b.bottom)};
}

int ValueDecimals(const TVQRDiagram& diagram, int ch) {
  if (ch == kTempChannel) return 1;
  return std::clamp(diagram.Axes().Value().Decimals + 2, 1, 6);
}

std::string CurveName(const TVQRDiagram& diagram, int ch) {
  if (ch == kTempChannel) return diagram.Layout().Legend.TempChannel;
  return TrArg(TrText("Diagram", "Kanal %1"), std::to_string(ch));
}

/// A number text with another decimal point.
std::string WithPoint(std::string text, std::string_view point) {
  if (point != ".")
    if (const size_t dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, point);
  return text;
}

std::string TimeText(const TVQRAxes& axes, double seconds, std::string_view point) {
  const bool days = axes.Time().TimeInDays;
  return WithPoint(FixedText(seconds / (days ? 86400.0 : 3600.0), days ? 3 : 2), point);
}

/// Each marker's letter right of its line; where the two would come closer
/// than a line to its letter, the left one's goes left of its line.
void PlaceMarkLabels(TCursorReadout& r, const IDeviceContext& dc) {
  r.LabelA = {r.MarkAX >= 0 ? r.MarkAX + kLabelGap : -1, DcHAlign::Left};
  r.LabelB = {r.MarkBX >= 0 ? r.MarkBX + kLabelGap : -1, DcHAlign::Left};
  if (r.MarkAX < 0 || r.MarkBX < 0) return;
  const bool aLeft = r.MarkAX <= r.MarkBX;
  const int32_t leftX = aLeft ? r.MarkAX : r.MarkBX;
  const int32_t rightX = aLeft ? r.MarkBX : r.MarkAX;
  const int32_t leftWidth = dc.TextWidth(aLeft ? "A" : "B");
  // Apart by at least the gap between a line and its letter: as they are.
  if (leftX + kLabelGap + leftWidth + kLabelGap <= rightX + kLabelGap) return;
  TMarkLabel& label = aLeft ? r.LabelA : r.LabelB;
  label = {leftX - kLabelGap, DcHAlign::Right};
}

}  // namespace

TRect TCursorReadout::Bounds() const {
  TRect r;
  for (const int32_t x : {CursorX, MarkAX, MarkBX})
    if (x >= 0) r = Union(r, {x - 2, PlotRect.top - LineHeight - 2, x + 3, PlotRect.bottom + 1});
  // The marker letters stand above the plot, beside their line.
  if (MarkAX >= 0 || MarkBX >= 0) {
    r.left -= LineHeight;
    r.right += LineHeight;
  }
  return Union(r, Box);
}

TCursorFrame CaptureCursorFrame(const TVQRDiagram& diagram) {
  TCursorFrame f;
  const TRect& p = diagram.PlotRect();
  f.PlotRect = {std::min(p.left, p.right), std::min(p.top, p.bottom), std::max(p.left, p.right),
                std::max(p.top, p.bottom)};
  const TVqrDataObjectNew& data = diagram.Data();
  const int n = DrawnSampleCount(data);
  f.SampleX.assign(n + 1, 0);
  const TVQRPlotter* plotter = diagram.Plotter();
  for (int i = 1; i <= n; ++i) {
    const int32_t x = diagram.TimeToDeviceX(SampleOf(data, i).Seconds);
    f.SampleX[i] = plotter ? plotter->MapX(x) : x;
  }
  f.FontHeight = std::clamp((diagram.DrawRect().bottom - diagram.DrawRect().top) / 36, 11, 40);
  const TRect& d = diagram.DrawRect();
  f.Picture = {std::min(d.left, d.right), std::min(d.top, d.bottom), std::max(d.left, d.right),
               std::max(d.top, d.bottom)};
  return f;
}

int SampleAtX(const TCursorFrame& frame, int32_t x) {
  int best = 0;
  int64_t bestDistance = 0;
  for (size_t i = 1; i < frame.SampleX.size(); ++i) {
    const int64_t d = std::llabs(int64_t{frame.SampleX[i]} - x);
    if (best == 0 || d < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = d;
    }
  }
  return best;
}

double RunSeconds(const TVQRDiagram& diagram, size_t k, double ownSeconds) {
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  if (k == 0 || k >= runs.size()) return ownSeconds;
  return ownSeconds + runs[0].TimeOffset - runs[k].TimeOffset;
}

int RunSampleNear(const TVQRDiagram& diagram, size_t k, double ownSeconds) {
  const std::vector<TDiagramRun>& runs = diagram.Runs();
  if (k == 0 || k >= runs.size() || !runs[k].Data) return 0;
  const TVqrDataObjectNew& data = *runs[k].Data;
  const int n = DrawnSampleCount(data);
  const double t = RunSeconds(diagram, k, ownSeconds);
  if (n == 0 || t < SampleOf(data, 1).Seconds || t > SampleOf(data, n).Seconds) return 0;
  return NearestSample(data, t);
}

std::vector<TReadoutLine> ReadoutLines(const TVQRDiagram& diagram, int sample,
                                       std::string_view point) {
  std::vector<TReadoutLine> lines;
  const TVqrDataObjectNew& data = diagram.Data();
  if (sample < 1 || sample > DrawnSampleCount(data)) return lines;
  const int32_t seconds = SampleOf(data, sample).Seconds;
  lines.push_back({TimeText(diagram.Axes(), seconds, point) + " " + diagram.UnitText(0) + "  (" +
                       ElapsedClockText(seconds) + ")",
                   kDcBlack});
  const TChannelPens& pens = diagram.ChannelPens();
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    if (!pens[ch].Visible) continue;
    std::string text = CurveName(diagram, ch) + ": ";
    const int decimals = ValueDecimals(diagram, ch);
    const float own = DrawnValue(data, sample, ch);
    text += WithPoint(FixedText(own, decimals), point);
    const std::string unit = diagram.UnitText(ch == kTempChannel ? 2 : 1);
    if (!unit.empty()) text.append(" ").append(unit);
    lines.push_back({std::move(text), ResolveColor(pens[ch].Color)});
    const std::vector<TDiagramRun>& runs = diagram.Runs();
    for (size_t k = 1; k < runs.size(); ++k) {
      std::string line = "  " + runs[k].Name + ": ";
      const int i = RunSampleNear(diagram, k, seconds);
      if (i == 0) {
        line += '-';
      } else {
        const float v = DrawnValue(*runs[k].Data, i, ch);
        line += WithPoint(FixedText(v, decimals), point);
        if (!unit.empty()) line.append(" ").append(unit);
        // Signed always; a difference that rounds to zero as "+0.00", never "-0.00".
        std::string diff = FixedText(static_cast<double>(v) - own, decimals);
        if (diff.find_first_not_of("-0.") == std::string::npos) diff = FixedText(0.0, decimals);
        line += diff[0] == '-' ? "  \u0394 " : "  \u0394 +";
        line += WithPoint(diff, point);
      }
      lines.push_back({std::move(line), ResolveColor(TVQRDiagram::RunPen(pens[ch], k).Color)});
    }
  }
  return lines;
}

TCursorReadout LayoutCursorReadout(const TVQRDiagram& diagram, const TCursorFrame& frame,
                                   const TCursorMarks& marks, IDeviceContext& dc,
                                   std::string_view point) {
  TCursorReadout r;
  r.PlotRect = frame.PlotRect;
  r.Font = DcFont{"", frame.FontHeight, 400, false};
  r.LineHeight = frame.FontHeight + frame.FontHeight / 4;
  const int count = static_cast<int>(frame.SampleX.size()) - 1;
  // A sample outside the plot (zoomed away) has no line.
  auto xOf = [&](int i) {
    if (i < 1 || i > count) return -1;
    const int32_t x = frame.SampleX[i];
    return x >= frame.PlotRect.left && x <= frame.PlotRect.right ? x : -1;
  };
  r.MarkAX = xOf(marks.MarkA);
  r.MarkBX = xOf(marks.MarkB);
  dc.SetFont(r.Font);
  PlaceMarkLabels(r, dc);
  if (marks.Band) {
    std::string text = TrText("Diagram", "Zoom: ");
    text += WithPoint(FixedText(std::min(marks.BandFrom, marks.BandTo), 2), point);
    text += " - ";
    text += WithPoint(FixedText(std::max(marks.BandFrom, marks.BandTo), 2), point);
    text += ' ';
    text += diagram.UnitText(0);
    r.Lines.push_back({std::move(text), kDcBlack});
  } else {
    r.CursorX = xOf(marks.Cursor);
    if (r.CursorX >= 0) r.Lines = ReadoutLines(diagram, marks.Cursor, point);
  }
  if (r.Lines.empty()) return r;

  const TRect& p = frame.PlotRect;
  const int32_t top = p.top + kPadding;
  const bool limited =
      frame.Picture.right > frame.Picture.left && frame.Picture.bottom > frame.Picture.top;
  const TRect& pic = frame.Picture;
  const int64_t roomHeight = limited ? int64_t{pic.bottom} - top : INT32_MAX;
  const int64_t roomWidth = limited ? int64_t{pic.right} - pic.left : INT32_MAX;
  const int lineCount = static_cast<int>(r.Lines.size());
  // Too many lines for the picture's height: in columns; too wide then: a
  // smaller font, down to a legible minimum.
  constexpr int32_t kMinFontHeight = 7;
  int32_t width = 0, height = 0;
  for (;;) {
    r.LineHeight = r.Font.Height + r.Font.Height / 4;
    dc.SetFont(r.Font);
    int32_t widest = 0;
    for (const TReadoutLine& line : r.Lines) widest = std::max(widest, dc.TextWidth(line.Text));
    r.ColumnWidth = widest + 2 * kPadding;
    const int64_t fit = std::max<int64_t>(1, (roomHeight - 2 * kPadding) / r.LineHeight);
    r.Columns = static_cast<int>((lineCount + fit - 1) / fit);
    r.RowsPerColumn = (lineCount + r.Columns - 1) / r.Columns;
    width = r.Columns * r.ColumnWidth;
    height = r.RowsPerColumn * r.LineHeight + 2 * kPadding;
    if ((height <= roomHeight && width <= roomWidth) || r.Font.Height <= kMinFontHeight) break;
    r.Font.Height = std::max(kMinFontHeight, r.Font.Height * 9 / 10);
  }
  int32_t left = p.left + kGap;
  if (r.CursorX >= 0) {
    // Beside the line, never over it: the values it reports lie on it.
    const int32_t rightRoom = p.right - r.CursorX;
    const int32_t leftRoom = r.CursorX - p.left;
    left = rightRoom >= width + kGap || rightRoom >= leftRoom ? r.CursorX + kGap
                                                              : r.CursorX - kGap - width;
  }
  if (limited) left = std::max(pic.left, std::min(left, pic.right - width));
  r.Box = {left, top, left + width, top + height};
  return r;
}

void PaintCursorReadout(IDeviceContext& dc, const TCursorReadout& r) {
  const TRect& p = r.PlotRect;
  auto vertical = [&](int32_t x, const DcPen& pen) {
    dc.SetPen(pen);
    if (dc.MoveTo(x, p.top)) dc.LineTo(x, p.bottom);
  };
  dc.SetFont(r.Font);
  const std::tuple<int32_t, const TMarkLabel&, const char*> marks[] = {{r.MarkAX, r.LabelA, "A"},
                                                                       {r.MarkBX, r.LabelB, "B"}};
  for (const auto& [x, label, name] : marks) {
    if (x < 0) continue;
    vertical(x, DcPen{kMarkColor, 1, DcDash::Dash});
    dc.SetTextColor(kMarkColor);
    dc.Text(label.X, p.top - 1, name, label.Align, DcVAlign::Bottom);
  }
  if (r.CursorX >= 0) vertical(r.CursorX, DcPen{kCursorColor, 1, DcDash::Solid});
  if (r.Lines.empty()) return;
  const TRect& b = r.Box;
  dc.FillRect(b, kDcWhite);
  dc.SetPen(DcPen{kBoxBorder, 1, DcDash::Solid});
  if (dc.MoveTo(b.left, b.top)) {
    dc.LineTo(b.right - 1, b.top);
    dc.LineTo(b.right - 1, b.bottom - 1);
    dc.LineTo(b.left, b.bottom - 1);
    dc.LineTo(b.left, b.top);
  }
  const int rows = std::max(1, r.RowsPerColumn);
  for (size_t i = 0; i < r.Lines.size(); ++i) {
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    dc.SetTextColor(r.Lines[i].Color);
    dc.Text(b.left + column * r.ColumnWidth + kPadding, b.top + kPadding + row * r.LineHeight,
            r.Lines[i].Text, DcHAlign::Left, DcVAlign::Top);
  }
}

void PaintDiagramWithCursor(TVQRDiagram& diagram, IDeviceContext& dc, const TRect& drawRect,
                            double cursorHours, const double* markHours) {
  PaintDiagram(diagram, dc, drawRect);
  const TCursorFrame frame = CaptureCursorFrame(diagram);
  TCursorMarks marks;
  marks.Cursor = NearestSample(diagram.Data(), cursorHours * 3600.0);
  if (markHours) {
    marks.MarkA = marks.Cursor;
    marks.MarkB = NearestSample(diagram.Data(), *markHours * 3600.0);
  }
  TCursorReadout readout = LayoutCursorReadout(diagram, frame, marks, dc);
  if (markHours) readout.CursorX = -1;  // the markers stand in its place
  PaintCursorReadout(dc, readout);
}
