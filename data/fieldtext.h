#pragma once
// Right-aligned number fields written straight into a character buffer: the
// hot path of the ASCII export, inline so that a caller with constant widths
// and decimals gets code for just those. The same digits as AppendFixed and
// AppendInt (data/numtext.h).

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace fieldtext {
inline constexpr double kPow10[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6};

// Two decimal digits per entry: "00" "01" ... "99".
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The values written have a few decimals and a moderate size: the product
// with a small power of ten then decides the digits, far faster than a full
// conversion. For a 32-bit float the product is exact (24 + 20 bits fit a
// double), so even halves round to even as in a full conversion; for any other
// double it is trusted only well away from a half.
// Writes the text so that it ends just before end (room for 24 characters
// before it) and returns where it starts, or null when the value needs the
// full conversion.
inline char* FormatFixedFast(char* end, double value, int decimals) {
  if (decimals < 0 || decimals > 6) return nullptr;
  const double scaled = std::fabs(value * kPow10[decimals]);
  if (!(scaled < 1.0e12)) return nullptr;  // also infinities and NaN
  // Through a signed integer, which the processor converts in one step.
  auto n = static_cast<uint64_t>(static_cast<int64_t>(scaled));
  const double frac = scaled - static_cast<double>(static_cast<int64_t>(n));  // exact below 2^52
  if (std::fabs(frac - 0.5) < 0.01 && static_cast<double>(static_cast<float>(value)) != value)
    return nullptr;
  // Halves to even; without a branch, as the digits below are unpredictable.
  n += static_cast<uint64_t>((frac > 0.5) | ((frac == 0.5) & ((n & 1) != 0)));
  char* p = end;
  int d = decimals;
  for (; d >= 2; d -= 2, n /= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (n % 100), 2);
  }
  if (d > 0) {
    *--p = static_cast<char>('0' + n % 10);
    n /= 10;
  }
  if (decimals > 0) *--p = '.';
  for (; n >= 100; n /= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (n % 100), 2);
  }
  if (n >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * n, 2);
  } else {
    *--p = static_cast<char>('0' + n);
  }
  if (std::signbit(value)) *--p = '-';
  return p;
}

/// Room a field needs beyond max(width, 0) at the place it is written.
constexpr size_t kPutRoom = 400;

/// Text right-aligned in width at out; returns the end.
inline char* PutPadded(char* out, const char* text, size_t len, int width) {
  if (width > 0 && len < static_cast<size_t>(width)) {
    std::memset(out, ' ', static_cast<size_t>(width) - len);
    out += static_cast<size_t>(width) - len;
  }
  std::memcpy(out, text, len);
  return out + len;
}

// Short fields, the usual case, are formatted at the end of a block of
// blanks and move as one piece of fixed size.
constexpr size_t kBlock = 32;
struct TFieldBlock {
  char text[2 * kBlock];  // blanks and the text, then room read beyond it
  char* End() { return text + kBlock; }
  TFieldBlock() { std::memset(text, ' ', kBlock); }
  char* Put(char* out, const char* start, int width) {
    const auto len = static_cast<size_t>(End() - start);
    const size_t n = width > 0 ? std::max(len, static_cast<size_t>(width)) : len;
    if (n > kBlock) return PutPadded(out, start, len, width);
    std::memcpy(out, End() - n, kBlock);  // the room after the field is the caller's
    return out + n;
  }
};

char* PutPaddedFixedSlow(char* out, double value, int decimals, int width);
}  // namespace fieldtext

/// AppendPaddedFixed / AppendPaddedInt written at out, which must have room
/// for fieldtext::kPutRoom characters beyond max(width, 0); returns the end
/// of the field (no terminating zero). Characters after the end, up to that
/// room, may be overwritten.
inline char* PutPaddedFixed(char* out, double value, int decimals, int width) {
  fieldtext::TFieldBlock block;
  if (const char* start =
          fieldtext::FormatFixedFast(block.End(), value, std::clamp(decimals, 0, 20)))
    return block.Put(out, start, width);
  return fieldtext::PutPaddedFixedSlow(out, value, decimals, width);
}

inline char* PutPaddedInt(char* out, int64_t value, int width) {
  fieldtext::TFieldBlock block;
  uint64_t n = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
  char* p = block.End();
  for (; n >= 100; n /= 100) {
    p -= 2;
    std::memcpy(p, fieldtext::kDigitPairs + 2 * (n % 100), 2);
  }
  if (n >= 10) {
    p -= 2;
    std::memcpy(p, fieldtext::kDigitPairs + 2 * n, 2);
  } else {
    *--p = static_cast<char>('0' + n);
  }
  if (value < 0) *--p = '-';
  return block.Put(out, p, width);
}
