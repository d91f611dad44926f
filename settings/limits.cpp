#include "settings/limits.h"

#include <charconv>
#include <cmath>

#include "data/numtext.h"
#include "settings/settings.h"

bool TVQRLimits::Has(int ch) const {
  return ch >= 1 && ch <= kTempChannel &&
         (Lower[static_cast<size_t>(ch)] || Upper[static_cast<size_t>(ch)]);
}

bool TVQRLimits::Any() const {
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (Has(ch)) return true;
  return false;
}

std::optional<double> LimitFromText(std::string_view text) {
  std::string t(TrimmedText(text));
  if (t.empty()) return std::nullopt;
  if (const size_t comma = t.find(','); comma != std::string::npos) {
    if (t.find(',', comma + 1) != std::string::npos || t.find('.') != std::string::npos)
      return std::nullopt;
    t[comma] = '.';
  }
  double v = 0.0;
  if (!WholeFloatFromText(t, v)) return std::nullopt;
  return v;
}

std::string LimitText(std::optional<double> limit) {
  if (!limit || !std::isfinite(*limit)) return {};
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, *limit);
  return std::string(buf, r.ptr);
}

std::string LimitFieldText(const std::string& shown) { return LimitText(LimitFromText(shown)); }

TVQRLimits LimitsFromSettings(const TVQRShowSettings& settings) {
  TVQRLimits limits;
  const TZTiniSettingValue* lower = settings.Find("Limits", "Lower");
  const TZTiniSettingValue* upper = settings.Find("Limits", "Upper");
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const size_t k = static_cast<size_t>(ch);
    if (lower && ch <= lower->Count) limits.Lower[k] = LimitFromText(lower->GetString(ch));
    if (upper && ch <= upper->Count) limits.Upper[k] = LimitFromText(upper->GetString(ch));
  }
  return limits;
}
