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
// Writes into text (room for 32 characters) and returns the length, or 0 when
// the value needs the full conversion.
int FormatFixedFast(char* text, double value, int decimals) {
  if (decimals < 0 || decimals > 6 || !std::isfinite(value)) return 0;
  const double scaled = std::fabs(value * kPow10[decimals]);
  if (!(scaled < 1.0e12)) return 0;
  uint64_t n = static_cast<uint64_t>(scaled);
  const double frac = scaled - static_cast<double>(n);  // exact below 2^52
  const bool exact = static_cast<double>(static_cast<float>(value)) == value;
  if (!exact && std::fabs(frac - 0.5) < 0.01) return 0;
  if (frac > 0.5 || (frac == 0.5 && (n & 1) != 0)) ++n;  // halves to even
  char digits[24];
  int len = 0;
  for (; n > 0xFFFFFFFFu; n /= 10) digits[len++] = static_cast<char>('0' + n % 10);
  auto small = static_cast<uint32_t>(n);  // 32-bit division is much cheaper
  do {
    digits[len++] = static_cast<char>('0' + small % 10);
    small /= 10;
  } while (small != 0);
  while (len <= decimals) digits[len++] = '0';
  int pos = 0;
  if (std::signbit(value)) text[pos++] = '-';
  for (int i = len - 1; i >= decimals; --i) text[pos++] = digits[i];
  if (decimals > 0) {
    text[pos++] = '.';
    for (int i = decimals - 1; i >= 0; --i) text[pos++] = digits[i];
  }
  return pos;
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
  if (const int len = FormatFixedFast(text, value, decimals)) {
    out.append(text, static_cast<size_t>(len));
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
  char text[32];
  if (const int len = FormatFixedFast(text, value, std::clamp(decimals, 0, 20))) {
    AppendPadded(out, text, static_cast<size_t>(len), width);
    return;
  }
  std::string slow;
  AppendFixed(slow, value, decimals);
  AppendPadded(out, slow.data(), slow.size(), width);
}

void AppendPaddedInt(std::string& out, int64_t value, int width) {
  char buf[24];
  auto res = std::to_chars(buf, buf + sizeof buf, value);
  AppendPadded(out, buf, static_cast<size_t>(res.ptr - buf), width);
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
