#include "chart/recordingdc.h"

#include <cstdio>

RecordingDC::Call RecordingDC::Make(Op op) const {
  Call c{op, {}, {}, {}, DcHAlign::Left, DcVAlign::Top, pen_, font_, textColor_, clipped_};
  return c;
}

void RecordingDC::SetPen(const DcPen& pen) {
  pen_ = pen;
  calls_.push_back(Make(Op::Pen));
}

void RecordingDC::SetFont(const DcFont& font) {
  font_ = font;
  calls_.push_back(Make(Op::Font));
}

void RecordingDC::SetTextColor(uint32_t color) {
  textColor_ = color;
  calls_.push_back(Make(Op::TextColor));
}

bool RecordingDC::MoveTo(int32_t x, int32_t y) {
  pos_ = {x, y};
  Call c = Make(Op::MoveTo);
  c.rect = {x, y, x, y};
  calls_.push_back(std::move(c));
  return true;
}

void RecordingDC::LineTo(int32_t x, int32_t y) {
  Call c = Make(Op::LineTo);
  c.rect = {pos_.x, pos_.y, x, y};
  pos_ = {x, y};
  calls_.push_back(std::move(c));
}

void RecordingDC::Polyline(const TPoint* points, int count) {
  Call c = Make(Op::Polyline);
  if (points && count > 0) c.points.assign(points, points + count);
  calls_.push_back(std::move(c));
}

void RecordingDC::Text(int32_t x, int32_t y, std::string_view text, DcHAlign h, DcVAlign v) {
  Call c = Make(Op::Text);
  c.rect = {x, y, x, y};
  c.text = std::string(text);
  c.h = h;
  c.v = v;
  calls_.push_back(std::move(c));
}

void RecordingDC::SetClipRect(const TRect& r) {
  clipped_ = true;
  Call c = Make(Op::Clip);
  c.rect = r;
  calls_.push_back(std::move(c));
}

void RecordingDC::ClearClip() {
  clipped_ = false;
  calls_.push_back(Make(Op::ClearClip));
}

void RecordingDC::FillRect(const TRect& r, uint32_t color) {
  Call c = Make(Op::Fill);
  c.rect = r;
  c.color = color;
  calls_.push_back(std::move(c));
}

void RecordingDC::SetPixel(int32_t x, int32_t y, uint32_t color) {
  Call c = Make(Op::Pixel);
  c.rect = {x, y, x, y};
  c.color = color;
  calls_.push_back(std::move(c));
}

std::vector<RecordingDC::Call> RecordingDC::Of(Op op) const {
  std::vector<Call> out;
  for (const Call& c : calls_)
    if (c.op == op) out.push_back(c);
  return out;
}

std::vector<RecordingDC::Segment> RecordingDC::Segments() const {
  std::vector<Segment> out;
  for (const Call& c : calls_)
    if (c.op == Op::LineTo)
      out.push_back({{c.rect.left, c.rect.top}, {c.rect.right, c.rect.bottom}, c.pen});
  return out;
}

std::string RecordingDC::Dump() const {
  std::string out;
  char buf[256];
  for (const Call& c : calls_) {
    switch (c.op) {
      case Op::Pen:
        std::snprintf(buf, sizeof buf, "pen %06X w%d dash%d\n", c.pen.Color, c.pen.Width,
                      static_cast<int>(c.pen.Dash));
        break;
      case Op::Font:
        std::snprintf(buf, sizeof buf, "font '%s' h%d w%d%s\n", c.font.Face.c_str(), c.font.Height,
                      c.font.Weight, c.font.Italic ? " italic" : "");
        break;
      case Op::TextColor:
        std::snprintf(buf, sizeof buf, "textcolor %06X\n", c.color);
        break;
      case Op::MoveTo:
        std::snprintf(buf, sizeof buf, "moveto %d,%d\n", c.rect.left, c.rect.top);
        break;
      case Op::LineTo:
        std::snprintf(buf, sizeof buf, "line %d,%d -> %d,%d\n", c.rect.left, c.rect.top,
                      c.rect.right, c.rect.bottom);
        break;
      case Op::Polyline:
        std::snprintf(buf, sizeof buf, "polyline %zu points\n", c.points.size());
        break;
      case Op::Text:
        std::snprintf(buf, sizeof buf, "text '%s' at %d,%d align %d/%d\n", c.text.c_str(),
                      c.rect.left, c.rect.top, static_cast<int>(c.h), static_cast<int>(c.v));
        break;
      case Op::Clip:
        std::snprintf(buf, sizeof buf, "clip %d,%d,%d,%d\n", c.rect.left, c.rect.top, c.rect.right,
                      c.rect.bottom);
        break;
      case Op::ClearClip:
        std::snprintf(buf, sizeof buf, "clearclip\n");
        break;
      case Op::Fill:
        std::snprintf(buf, sizeof buf, "fill %d,%d,%d,%d %06X\n", c.rect.left, c.rect.top,
                      c.rect.right, c.rect.bottom, c.color);
        break;
      case Op::Pixel:
        std::snprintf(buf, sizeof buf, "pixel %d,%d %06X\n", c.rect.left, c.rect.top, c.color);
        break;
    }
    out += buf;
  }
  return out;
}
