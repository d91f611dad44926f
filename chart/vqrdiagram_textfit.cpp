// The texts of a printed page: measured on the printer in a run that draws
// nothing, then units moved clear of the texts they would touch and the
// diagram moved onto the paper where a text would leave it. A page on which
// every text fits is drawn exactly as laid out.

#include <algorithm>
#include <vector>

#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "chart/vqrplotter.h"

using vqrdraw::AddI;
using vqrdraw::RoundI;

namespace {

// Draws nothing; keeps the box of every text, measured on the real device.
class TTextCollector : public IDeviceContext {
 public:
  TTextCollector(const IDeviceContext& device, const int& tag) : device_(device), tag_(tag) {}

  void SetPen(const DcPen&) override {}
  void SetFont(const DcFont& font) override { font_ = font; }
  void SetTextColor(uint32_t) override {}
  bool MoveTo(int32_t, int32_t) override { return true; }
  void LineTo(int32_t, int32_t) override {}
  void Polyline(const TPoint*, int) override {}
  void Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) override {
    if (text.empty()) return;
    Placed.push_back({DcTextBox(x, y, device_.MeasureText(font_, text), h, v), tag_});
  }
  int32_t TextWidth(std::string_view text) const override {
    return device_.MeasureText(font_, text).Width;
  }
  DcTextExtent MeasureText(const DcFont& font, std::string_view text) const override {
    return device_.MeasureText(font, text);
  }
  void SetClipRect(const TRect&) override {}
  void ClearClip() override {}
  void FillRect(const TRect&, uint32_t) override {}
  void SetPixel(int32_t, int32_t, uint32_t) override {}
  int32_t DpiX() const override { return device_.DpiX(); }
  int32_t DpiY() const override { return device_.DpiY(); }

  std::vector<TPlacedText> Placed;

 private:
  const IDeviceContext& device_;
  const int& tag_;
  DcFont font_;
};

TRect Moved(const TRect& r, int64_t dx) {
  return {AddI(r.left, dx), r.top, AddI(r.right, dx), r.bottom};
}

// The least move of [from, to) into [lo, hi); the start wins when it is
// longer than the room.
int64_t MoveInto(int64_t from, int64_t to, int64_t lo, int64_t hi) {
  if (from < lo) return lo - from;
  if (to > hi) return std::max(hi - to, lo - from);
  return 0;
}

}  // namespace

std::vector<TPlacedText> TVQRDiagram::MeasurePrintedTexts() {
  // The texts as they would be drawn, in device pixels of the printer (the
  // preview's too: it is laid out as its page is printed).
  TTextCollector collector(*canvas_, textTag_);
  const TVQRPlotter saved = *plotter_;
  IDeviceContext* const canvas = canvas_;
  plotter_->DC = &collector;
  plotter_->SetScale(0, 0, 1.0f);
  canvas_ = &collector;
  dryRun_ = true;
  DrawAxes();
  DrawCurves();
  dryRun_ = false;
  canvas_ = canvas;
  *plotter_ = saved;
  return std::move(collector.Placed);
}

// A unit that touches another text moves along its baseline, away from its
// axis's labels, until it is clear of every text.
void TVQRDiagram::MoveUnitsClear(std::vector<TPlacedText>& texts) {
  for (int axis = 0; axis < 3; ++axis) {
    const auto unit = std::find_if(texts.begin(), texts.end(),
                                   [&](const TPlacedText& t) { return t.Tag == kTagUnit + axis; });
    if (unit == texts.end()) continue;
    const TAxisLayout& a = *AxisLayoutOf(axis);
    const int direction = axis == 0 ? (a.UnitOffset >= 0 ? 1 : -1) : (a.LabelOffset < 0 ? -1 : 1);
    const int32_t gap = std::max(1, (unit->Box.bottom - unit->Box.top) / 4);
    for (size_t round = 0; round <= texts.size(); ++round) {
      int64_t move = 0;
      for (const TPlacedText& t : texts) {
        if (&t == &*unit || !DcBoxesTouch(unit->Box, t.Box, gap)) continue;
        const int64_t m = direction > 0 ? int64_t{t.Box.right} + gap - unit->Box.left
                                        : int64_t{t.Box.left} - gap - unit->Box.right;
        if (direction * m > direction * move) move = m;
      }
      if (move == 0) break;
      unit->Box = Moved(unit->Box, move);
      unitShift_[axis] = AddI(unitShift_[axis], move);
    }
  }
}

void TVQRDiagram::FitPrintedTexts() {
  if (!plotter_ || !canvas_ || dryRun_) return;
  // Borders that collapse the frame or push it off the paper are a set-up
  // of their own: drawn as set up.
  if (drawRect_.left >= drawRect_.right || drawRect_.top >= drawRect_.bottom ||
      drawRect_.left < paper_.left || drawRect_.right > paper_.right ||
      drawRect_.top < paper_.top || drawRect_.bottom > paper_.bottom)
    return;
  // Every text on the paper, a point from its edge.
  const int64_t mx = std::max(1, RoundI(dpiX_ / 72.0));
  const int64_t my = std::max(1, RoundI(dpiY_ / 72.0));
  const int64_t roomLeft = int64_t{paper_.left} + mx, roomRight = int64_t{paper_.right} - mx;
  const int64_t roomTop = int64_t{paper_.top} + my, roomBottom = int64_t{paper_.bottom} - my;
  TRect all;
  // Texts that together are wider or higher than the paper (fonts follow the
  // mean of both scales, so a narrow page gets relatively large ones), or
  // that run into each other, are made smaller until they fit; the diagram
  // keeps its size. Where that does not help either (a page set up larger
  // than the paper), the page stays as set up, its units clear of the others.
  constexpr double kSmallestFonts = 0.5;
  fontFactor_ = 1.0;
  for (;;) {
    unitShift_.fill(0);
    std::vector<TPlacedText> texts = MeasurePrintedTexts();
    if (texts.empty()) return;
    MoveUnitsClear(texts);
    all = texts.front().Box;
    for (const TPlacedText& t : texts) {
      all.left = std::min(all.left, t.Box.left);
      all.top = std::min(all.top, t.Box.top);
      all.right = std::max(all.right, t.Box.right);
      all.bottom = std::max(all.bottom, t.Box.bottom);
    }
    const double width = static_cast<double>(all.right) - all.left;
    const double height = static_cast<double>(all.bottom) - all.top;
    const bool wide = width > static_cast<double>(roomRight - roomLeft);
    const bool high = height > static_cast<double>(roomBottom - roomTop);
    bool overlap = false;
    for (size_t i = 0; i < texts.size() && !overlap; ++i)
      for (size_t j = i + 1; j < texts.size() && !overlap; ++j)
        overlap = DcBoxesTouch(texts[i].Box, texts[j].Box, 0);
    if (!wide && !high && !overlap) break;
    if (fontFactor_ <= kSmallestFonts) {
      fontFactor_ = 1.0;
      unitShift_.fill(0);
      std::vector<TPlacedText> asSetUp = MeasurePrintedTexts();
      MoveUnitsClear(asSetUp);
      return;
    }
    const double room = std::min(wide ? (roomRight - roomLeft) / width : 0.97,
                                 high ? (roomBottom - roomTop) / height : 0.97);
    fontFactor_ = std::max(kSmallestFonts, fontFactor_ * std::clamp(room, 0.5, 0.97));
  }

  const int64_t dx = MoveInto(all.left, all.right, roomLeft, roomRight);
  const int64_t dy = MoveInto(all.top, all.bottom, roomTop, roomBottom);
  if (dx == 0 && dy == 0) return;
  // The diagram moves as a whole: the mirror line moves with the rectangle,
  // so a move down of the rectangle is a move down on the paper too.
  drawRect_ = {AddI(drawRect_.left, dx), AddI(drawRect_.top, dy), AddI(drawRect_.right, dx),
               AddI(drawRect_.bottom, dy)};
  originX_ = PageToDeviceX(layout_.DataStartX);
  originY_ = PageToDeviceY(layout_.DataStartY);
  if (mirror_)
    plotter_->SetMirror(
        vqrdraw::ClampI((static_cast<int64_t>(drawRect_.bottom) + drawRect_.top) / 2));
}
