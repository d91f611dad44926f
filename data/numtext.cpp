#include "data/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {
constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// Most values written are 32-bit floats with a few decimals: the product with a
// small power of ten is then exact in a double, and rounding it to an integer
// gives the same digits as a full fixed-point conversion, far faster.
bool AppendFixedFast(std::string& out, double value, int decimals) {
  if (decimals < 0 || decimals > 6) return false;
  if (!std::isfinite(value) || static_cast<double>(static_cast<float>(value)) != value)
    return false;
  const double scaled = value * kPow10[decimals];
  if (!(std::fabs(scaled) < 9.0e15)) return false;
  const double rounded = std::nearbyint(std::fabs(scaled));  // exact product: halves to even
  uint64_t n = static_cast<uint64_t>(rounded);
  char digits[24];
  int len = 0;
  do {
    digits[len++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (len <= decimals) digits[len++] = '0';
  if (std::signbit(value)) out.push_back('-');
  for (int i = len - 1; i >= decimals; --i) out.push_back(digits[i]);
  if (decimals > 0) {
    out.push_back('.');
    for (int i = decimals - 1; i >= 0; --i) out.push_back(digits[i]);
  }
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
