#pragma once
// Rounding and guarded arithmetic of the drawing code: every float-to-pixel
// conversion rounds half to even and saturates, so bad settings (zero spans,
// huge lengths) give finite, clamped coordinates instead of overflow.

#include <cmath>
#include <cstdint>
#include <limits>

namespace vqrdraw {

/// Nearest integer, ties to even; NaN gives 0, out-of-range values saturate.
inline int32_t RoundI(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

inline int32_t ClampI(int64_t v) {
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (v < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(v);
}

/// a + b without int32 overflow.
inline int32_t AddI(int32_t a, int64_t b) { return ClampI(static_cast<int64_t>(a) + b); }

/// a / b, or 0 when b is 0 or the quotient is not finite.
inline double SafeDiv(double a, double b) {
  if (b == 0.0) return 0.0;
  const double q = a / b;
  return std::isfinite(q) ? q : 0.0;
}

/// A double stored as a float: non-finite values become 0, huge ones saturate.
inline float ToFloat(double v) {
  if (!std::isfinite(v)) return 0.0f;
  constexpr double kMax = std::numeric_limits<float>::max();
  if (v > kMax) return std::numeric_limits<float>::max();
  if (v < -kMax) return -std::numeric_limits<float>::max();
  return static_cast<float>(v);
}

}  // namespace vqrdraw
