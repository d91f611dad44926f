// Notes on the diagram: a thin line at the note's time across the plot and a
// small flag with its text at the top, stacked where flags would overlap; a
// note tied to a curve marks that curve's value on the line.

#include <algorithm>
#include <climits>

#include "chart/drawmath.h"
#include "chart/vqrdiagram.h"
#include "chart/vqrplotter.h"

using vqrdraw::RoundI;

namespace {
constexpr uint32_t kNoteLine = 0x505050;
constexpr uint32_t kNoteFlag = 0xC8F8FF;  // light yellow (0x00BBGGRR)
}  // namespace

int32_t TVQRDiagram::NoteX(int32_t time) const {
  const int64_t t = int64_t{time} + (Comparing() ? runs_[0].TimeOffset : 0);
  const int32_t x =
      TimeToDeviceX(static_cast<int32_t>(std::clamp<int64_t>(t, INT32_MIN, INT32_MAX)));
  return plotter_ ? plotter_->MapX(x) : x;
}

void TVQRDiagram::DrawNotes() {
  if (!printing_) screenNotes_.clear();
  if (dryRun_ || !canvas_ || !plotter_ || !notes_ || notes_->empty()) return;
  const TRect& r = grid_.PlotRect;
  const int32_t left = std::min(r.left, r.right), right = std::max(r.left, r.right);
  const int32_t top = std::min(r.top, r.bottom), bottom = std::max(r.top, r.bottom);
  const int32_t dpi = std::max(1, std::min(dpiX_, dpiY_));
  const int32_t lineWidth = std::max(1, RoundI(dpi / 150.0));
  const int32_t pad = std::max(2, RoundI(dpi / 48.0));
  const int32_t dot = std::max(3, RoundI(dpi / 24.0));

  ApplyFontScaled(layout_.Legend.Font, 0.85);
  DcFont font = plotter_->CurrentFont;
  font.Weight = 400;
  font.Italic = false;
  canvas_->SetFont(font);
  canvas_->SetTextColor(kDcBlack);

  std::vector<TRect> flags;
  for (size_t i = 0; i < notes_->size(); ++i) {
    const TNote& note = (*notes_)[i];
    const int32_t x = NoteX(note.Time);
    if (x < left || x > right) continue;
    canvas_->SetClipRect({left, top, right + 1, bottom + 1});
    canvas_->SetPen(DcPen{kNoteLine, lineWidth, DcDash::Solid});
    if (canvas_->MoveTo(x, top)) canvas_->LineTo(x, bottom);
    if (note.Channel >= 1 && note.Channel <= kTempChannel) {
      const int32_t y = plotter_->MapY(ValueToDeviceY(note.Channel, note.Value));
      const uint32_t color = ResolveColor(pens_[note.Channel].Color);
      canvas_->FillRect({x - dot, y - dot, x + dot + 1, y + dot + 1}, kNoteLine);
      canvas_->FillRect({x - dot + lineWidth, y - dot + lineWidth, x + dot + 1 - lineWidth,
                         y + dot + 1 - lineWidth},
                        color);
    }
    canvas_->ClearClip();

    // The flag right of the line, left of it where it would leave the plot,
    // below the flags it would cover.
    const std::string text = NoteFlagText(note.Text);
    const DcTextExtent e = canvas_->MeasureText(font, text);
    const int32_t w = e.Width + 2 * pad;
    const int32_t h = e.Ascent + e.Descent + pad;
    TRect box{x, top, x + w, top + h};
    if (box.right > right && x - w >= left) box = {x - w, top, x, top + h};
    for (bool moved = true; moved;) {
      moved = false;
      for (const TRect& f : flags)
        if (DcBoxesTouch(box, f, 0)) {
          box.top = f.bottom;
          box.bottom = f.bottom + h;
          moved = true;
        }
    }
    flags.push_back(box);
    canvas_->FillRect(box, kNoteFlag);
    canvas_->SetPen(DcPen{kNoteLine, lineWidth, DcDash::Solid});
    if (canvas_->MoveTo(box.left, box.top)) {
      canvas_->LineTo(box.right - 1, box.top);
      canvas_->LineTo(box.right - 1, box.bottom - 1);
      canvas_->LineTo(box.left, box.bottom - 1);
      canvas_->LineTo(box.left, box.top);
    }
    canvas_->Text(box.left + pad, box.top + pad / 2, text, DcHAlign::Left, DcVAlign::Top);
    if (!printing_) screenNotes_.push_back({static_cast<int>(i), x, top, bottom, box});
  }
}
