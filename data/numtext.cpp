#include "data/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "data/fieldtext.h"

namespace {
using fieldtext::FormatFixedFast;
using fieldtext::kDigitPairs;

// Appends the len characters before end right-aligned in width; the blanks
// go into the room before them when it suffices (room: characters usable
// before text).
void AppendPaddedText(std::string& out, char* text, const char* end, size_t room, int width) {
  const auto len = static_cast<size_t>(end - text);
  if (width > 0 && len < static_cast<size_t>(width) && static_cast<size_t>(width) - len <= room) {
    const size_t pad = static_cast<size_t>(width) - len;
    std::memset(text - pad, ' ', pad);
    out.append(text - pad, static_cast<size_t>(width));
    return;
  }
  AppendPadded(out, text, len, width);
}
}  // namespace

void AppendInt(std::string& out, int64_t value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  decimals = std::clamp(decimals, 0, 20);
  char text[32];
  char* const end = text + sizeof text;
  if (const char* start = FormatFixedFast(end, value, decimals)) {
    out.append(start, static_cast<size_t>(end - start));
    return;
  }
  if (std::isnan(value)) {
    out += "NAN";
    return;
  }
  if (std::isinf(value)) {
    out += value < 0 ? "-INF" : "INF";
    return;
  }
  char buf[400];  // DBL_MAX has 309 integer digits
  auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  out.append(buf, res.ptr);
}

void AppendPaddedFixed(std::string& out, double value, int decimals, int width) {
  char text[64];
  char* const end = text + sizeof text;
  if (char* start = FormatFixedFast(end, value, std::clamp(decimals, 0, 20))) {
    AppendPaddedText(out, start, end, static_cast<size_t>(start - text), width);
    return;
  }
  std::string slow;
  AppendFixed(slow, value, decimals);
  AppendPadded(out, slow.data(), slow.size(), width);
}

void AppendPaddedInt(std::string& out, int64_t value, int width) {
  constexpr size_t kRoom = 40;
  char buf[kRoom + 24];
  auto res = std::to_chars(buf + kRoom, buf + sizeof buf, value);
  AppendPaddedText(out, buf + kRoom, res.ptr, kRoom, width);
}

void AppendPadded(std::string& out, const char* text, size_t len, int width) {
  if (width > 0 && len < static_cast<size_t>(width)) out.append(width - len, ' ');
  out.append(text, len);
}

char* fieldtext::PutPaddedFixedSlow(char* out, double value, int decimals, int width) {
  std::string slow;
  AppendFixed(slow, value, decimals);
  return PutPadded(out, slow.data(), slow.size(), width);
}

std::string IntText(int64_t value) {
  std::string s;
  AppendInt(s, value);
  return s;
}

std::string FixedText(double value, int decimals) {
  std::string s;
  AppendFixed(s, value, decimals);
  return s;
}

std::string ShortestFloatText(float value) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  return std::string(buf, res.ptr);
}

std::string_view TrimmedText(std::string_view s, std::string_view blanks) {
  const size_t b = s.find_first_not_of(blanks);
  if (b == std::string_view::npos) return {};
  return s.substr(b, s.find_last_not_of(blanks) - b + 1);
}

namespace {
// from_chars takes "-" but not "+"; a "+" before a digit or "." is allowed here.
std::string_view WithoutPlus(std::string_view t) {
  if (t.size() > 1 && t[0] == '+' && t[1] != '-' && t[1] != '+') t.remove_prefix(1);
  return t;
}
}  // namespace

bool WholeIntFromText(std::string_view s, int32_t& value) {
  const std::string_view t = WithoutPlus(TrimmedText(s));
  int32_t v = 0;
  const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
  if (t.empty() || res.ec != std::errc() || res.ptr != t.data() + t.size()) return false;
  value = v;
  return true;
}

bool WholeFloatFromText(std::string_view s, double& value) {
  const std::string_view t = WithoutPlus(TrimmedText(s));
  // Digits, sign, "." and exponent only: from_chars would also take "inf" and "nan".
  if (t.empty() || t.find_first_not_of("0123456789.eE+-") != std::string_view::npos) return false;
  double v = 0.0;
  const auto res = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (res.ec != std::errc() || res.ptr != t.data() + t.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

int32_t LeadingIntFromText(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  bool negative = false;
  if (i < s.size() && s[i] == '-') {
    negative = true;
    ++i;
  }
  uint32_t value = 0;  // wraps around like a 32-bit register
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
    value = value * 10u + static_cast<uint32_t>(s[i] - '0');
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

double LeadingDecimalFromText(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  long double scale = 1.0L;
  if (i < s.size() && s[i] == '-') {
    scale = -1.0L;
    ++i;
  }
  long double mantissa = 0.0L;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') mantissa = mantissa * 10 + (s[i++] - '0');
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
      mantissa = mantissa * 10 + (s[i++] - '0');
      scale *= 0.1L;
    }
  }
  const double r = static_cast<double>(mantissa * scale);
  return r == 0.0 ? 0.0 : r;  // "-" alone is 0, not -0
}
