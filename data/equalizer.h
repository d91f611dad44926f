#pragma once
#include <array>
#include <cstdint>

class IProcessGauge;
class TVQRDataObject;

/// The smoothing distances the equalizer takes; others are limited to them.
inline constexpr int kMinSmoothDistance = 1;
inline constexpr int kMaxSmoothDistance = 32;

/// Symmetric triangular moving average over one channel's calibrated values.
/// The ends are extended by point reflection, so a straight line stays straight.
class TVQREqualizer {
 public:
  void Setup(IProcessGauge* gauge, int distance);
  void Apply(TVQRDataObject& store, int ch);

  int Distance() const { return distance_; }
  float Norm() const { return norm_; }
  float Weight(int k) const { return (k >= 0 && k <= 32) ? weights_[k] : 0.0f; }

 private:
  std::array<float, 1569> work_{};  // 1..1568: sample i at 32 + i
  std::array<float, 33> weights_{};
  float norm_ = 1.0f;
  int32_t distance_ = 1;
  int32_t count_ = 0;
  IProcessGauge* gauge_ = nullptr;
};
