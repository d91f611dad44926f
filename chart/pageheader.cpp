#include "chart/pageheader.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/vqrdiagram.h"

namespace {
// In tenths of a millimetre on paper.
constexpr int32_t kFontHeight = 30;
constexpr int32_t kRuleGap = 10;
constexpr int32_t kBelowRule = 20;
constexpr const char* kEllipsis = "\xE2\x80\xA6";  // …

int32_t OnPaper(int32_t tenthsMm, int32_t dpi) {
  return static_cast<int32_t>(static_cast<int64_t>(tenthsMm) * std::max(dpi, 1) / 254);
}

// Where each character of a UTF-8 text begins, and the text's end.
std::vector<size_t> CharStarts(const std::string& s) {
  std::vector<size_t> starts;
  for (size_t i = 0; i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) starts.push_back(i);
  starts.push_back(s.size());
  return starts;
}

// The largest n in [0, most] for which fits(n) holds, fits(0) taken as true
// and fits falling as n grows.
template <class Fits>
size_t Largest(size_t most, const Fits& fits) {
  size_t lo = 0, hi = most;
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    if (fits(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  return lo;
}
}  // namespace

int32_t PageHeaderFontHeight(int32_t dpi) { return std::max(6, OnPaper(kFontHeight, dpi)); }

int32_t PageHeaderHeight(int32_t dpi) {
  return PageHeaderFontHeight(dpi) * 5 / 4 + OnPaper(kRuleGap + kBelowRule, dpi);
}

TFittedHeader FitPageHeader(const IDeviceContext& dc, int32_t width, const TPageHeader& header,
                            DcFont font) {
  TFittedHeader fit{header.Left, header.Right, font};
  const auto needs = [&](const std::string& left, const DcFont& f) {
    const int64_t l = dc.MeasureText(f, left).Width;
    if (fit.Right.empty()) return l;
    return l + f.Height + dc.MeasureText(f, fit.Right).Width;
  };
  if (needs(fit.Left, font) <= width) return fit;

  // The recording's name shortened in the middle, its start and end kept.
  const size_t nameBytes = std::min(header.NameBytes, header.Left.size());
  const std::string name = header.Left.substr(0, nameBytes);
  const std::string rest = header.Left.substr(nameBytes);
  const std::vector<size_t> at = CharStarts(name);
  const size_t chars = at.size() - 1;
  const auto shortName = [&](size_t keep) {
    const size_t head = (keep + 1) / 2, tail = keep / 2;
    return name.substr(0, at[head]) + kEllipsis + name.substr(at[chars - tail]);
  };
  if (chars > 5) {
    const size_t keep =
        Largest(chars - 1, [&](size_t k) { return needs(shortName(k) + rest, font) <= width; });
    fit.Left = shortName(std::max<size_t>(keep, 4));
    fit.Left += rest;
    if (keep >= 4) return fit;
  }

  // A smaller font, down to two thirds.
  const int32_t smallest = std::max(6, font.Height * 2 / 3);
  while (fit.Font.Height > smallest && needs(fit.Left, fit.Font) > width) {
    const double room = static_cast<double>(width) / static_cast<double>(needs(fit.Left, fit.Font));
    fit.Font.Height = std::max(
        smallest, std::min(fit.Font.Height - 1, static_cast<int32_t>(fit.Font.Height * room)));
  }
  if (needs(fit.Left, fit.Font) <= width) return fit;

  // At last the end of the left part goes.
  const std::string left = fit.Left;
  const std::vector<size_t> lat = CharStarts(left);
  const size_t keep = Largest(lat.size() - 1, [&](size_t k) {
    return needs(left.substr(0, lat[k]) + kEllipsis, fit.Font) <= width;
  });
  fit.Left = left.substr(0, lat[keep]) + kEllipsis;
  return fit;
}

void DrawPageHeader(IDeviceContext& dc, const TRect& frame, const TPageHeader& header) {
  const int32_t left = std::min(frame.left, frame.right);
  const int32_t right = std::max(frame.left, frame.right);
  const int32_t top = std::min(frame.top, frame.bottom);
  const int32_t dpi = dc.DpiY();
  DcFont font;
  font.Face = "Arial";
  font.Height = PageHeaderFontHeight(dpi);
  const TFittedHeader fit = FitPageHeader(dc, right - left - 1, header, font);
  dc.SetFont(fit.Font);
  dc.SetTextColor(kDcBlack);
  const int32_t baseline = top + font.Height;
  dc.Text(left, baseline, fit.Left, DcHAlign::Left, DcVAlign::Baseline);
  if (!fit.Right.empty())
    dc.Text(right - 1, baseline, fit.Right, DcHAlign::Right, DcVAlign::Baseline);
  const int32_t rule = top + font.Height * 5 / 4 + OnPaper(kRuleGap, dpi);
  dc.SetPen(DcPen{kDcBlack, std::max(1, OnPaper(2, dpi)), DcDash::Solid});
  if (dc.MoveTo(left, rule)) dc.LineTo(right - 1, rule);
}

TRect PageBorderFrame(const TVQRDiagram& diagram, const TRect& page) {
  const TDiagramLayout& l = diagram.Layout();
  const auto px = [](int32_t units, float scale) {
    return static_cast<int32_t>(std::lround(static_cast<double>(units) * scale));
  };
  TRect frame;
  frame.left = std::clamp(page.left + px(l.BorderLeft, diagram.ScaleX()), page.left,
                          std::max(page.left, page.right - 1));
  frame.top = std::clamp(page.top + px(l.BorderTop, diagram.ScaleY()), page.top,
                         std::max(page.top, page.bottom - 1));
  frame.right = std::clamp(page.right - px(l.BorderRight, diagram.ScaleX()), frame.left + 1,
                           std::max(frame.left + 1, page.right));
  frame.bottom = std::clamp(page.bottom - px(l.BorderBottom, diagram.ScaleY()), frame.top + 1,
                            std::max(frame.top + 1, page.bottom));
  return frame;
}
