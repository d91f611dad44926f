#include "data/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// The values written have a few decimals and a moderate size: the product
// with a small power of ten then decides the digits, far faster than a full
// conversion. For a 32-bit float the product is exact (24 + 20 bits fit a
// double), so even halves round to even as in a full conversion; for any other
// double it is trusted only well away from a half.
bool AppendFixedFast(std::string& out, double value, int decimals) {
  if (decimals < 0 || decimals > 6 || !std::isfinite(value)) return false;
  const double scaled = std::fabs(value * kPow10[decimals]);
  if (!(scaled < 1.0e12)) return false;
  const double rounded = std::nearbyint(scaled);
  const bool exact = static_cast<double>(static_cast<float>(value)) == value;
  if (!exact && std::fabs(scaled - rounded) > 0.49) return false;
  uint64_t n = static_cast<uint64_t>(rounded);
  char digits[24];
  int len = 0;
  do {
    digits[len++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (len <= decimals) digits[len++] = '0';
  char text[32];
  int pos = 0;
  if (std::signbit(value)) text[pos++] = '-';
  for (int i = len - 1; i >= decimals; --i) text[pos++] = digits[i];
  if (decimals > 0) {
    text[pos++] = '.';
    for (int i = decimals - 1; i >= 0; --i) text[pos++] = digits[i];
  }
  out.append(text, static_cast<size_t>(pos));
  return true;
}
}  // namespace

void AppendInt(std::string& out, int64_t value) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  out.append(buf, res.ptr);
}

void AppendFixed(std::string& out, double value, int decimals) {
  decimals = std::clamp(decimals, 0, 20);
  if (AppendFixedFast(out, value, decimals)) return;
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

void AppendPadded(std::string& out, const char* text, size_t len, int width) {
  if (width > 0 && len < static_cast<size_t>(width)) out.append(width - len, ' ');
  out.append(text, len);
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
