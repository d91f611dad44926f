#include "chart/pageheader.h"

#include <algorithm>

namespace {
// In tenths of a millimetre on paper.
constexpr int32_t kFontHeight = 30;
constexpr int32_t kRuleGap = 10;
constexpr int32_t kBelowRule = 20;

int32_t OnPaper(int32_t tenthsMm, int32_t dpi) {
  return static_cast<int32_t>(static_cast<int64_t>(tenthsMm) * std::max(dpi, 1) / 254);
}
}  // namespace

int32_t PageHeaderFontHeight(int32_t dpi) { return std::max(6, OnPaper(kFontHeight, dpi)); }

int32_t PageHeaderHeight(int32_t dpi) {
  return PageHeaderFontHeight(dpi) * 5 / 4 + OnPaper(kRuleGap + kBelowRule, dpi);
}

void DrawPageHeader(IDeviceContext& dc, const TRect& frame, const TPageHeader& header) {
  const int32_t left = std::min(frame.left, frame.right);
  const int32_t right = std::max(frame.left, frame.right);
  const int32_t top = std::min(frame.top, frame.bottom);
  const int32_t dpi = dc.DpiY();
  DcFont font;
  font.Face = "Arial";
  font.Height = PageHeaderFontHeight(dpi);
  dc.SetFont(font);
  dc.SetTextColor(kDcBlack);
  const int32_t baseline = top + font.Height;
  dc.Text(left, baseline, header.Left, DcHAlign::Left, DcVAlign::Baseline);
  if (!header.Right.empty())
    dc.Text(right - 1, baseline, header.Right, DcHAlign::Right, DcVAlign::Baseline);
  const int32_t rule = top + font.Height * 5 / 4 + OnPaper(kRuleGap, dpi);
  dc.SetPen(DcPen{kDcBlack, std::max(1, OnPaper(2, dpi)), DcDash::Solid});
  if (dc.MoveTo(left, rule)) dc.LineTo(right - 1, rule);
}
