#include "data/equalizer.h"

#include <algorithm>

#include "data/processgauge.h"
#include "data/vqrdat.h"

void TVQREqualizer::Setup(IProcessGauge* gauge, int distance) {
  gauge_ = gauge;
  distance_ = std::clamp(distance, kMinSmoothDistance, kMaxSmoothDistance);
  weights_.fill(0.0f);
  weights_[0] = 1.0f;
  float sum = 0.0f;
  for (int k = 1; k <= distance_; ++k) {
    weights_[k] = static_cast<float>(distance_ - k + 1) / static_cast<float>(distance_ + 1);
    sum += weights_[k];
  }
  norm_ = 2.0f * (0.5f + sum);
}

void TVQREqualizer::Apply(TVQRDataObject& store, int ch) {
  if (ch < 1 || ch > 17) return;
  const int n = std::clamp(store.SampleCount, 0, 1500);
  work_.fill(0.0f);
  count_ = n;
  for (int i = 1; i <= n; ++i) work_[32 + i] = store.Samples[i].Cal[ch];
  // One pass, left then right: with fewer than 33 samples the reflection reads
  // zeros or extension values written earlier in this pass.
  for (int j = 1; j <= 32; ++j) {
    work_[33 - j] = 2.0f * work_[33] - work_[33 + j];
    work_[32 + n + j] = 2.0f * work_[32 + n] - work_[32 + n - j];
  }
  for (int i = 1; i <= n; ++i) {
    float y = work_[32 + i];
    for (int k = 1; k <= distance_; ++k) y += weights_[k] * (work_[32 + i - k] + work_[32 + i + k]);
    store.Samples[i].Cal[ch] = y / norm_;
    if (i % 10 == 0 && gauge_) gauge_->StepBy(10);
  }
}
