#include "data/recording.h"

namespace {
int16_t ReadI16(const uint8_t* p) {
  return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}
}  // namespace

int TVQRRecording::GetSampleCount() const { return store_ ? store_->SampleCount : 0; }

int32_t TVQRRecording::GetTime(int i) const {
  if (!store_ || i < 1 || i > kMaxSamples) return 0;
  return store_->Samples[i].Seconds;
}

float TVQRRecording::GetValue(int i, int ch) const {
  if (!store_ || i < 1 || i > kMaxSamples || ch < 1 || ch > kTempChannel) return 0.0f;
  return store_->Samples[i].Cal[ch];
}

int16_t TVQRRecording::RefRaw1(int ch) const {
  if (ch < 1 || ch > kMeasureChannels) return 0;
  return ReadI16(headers_[2].data() + 5 + 2 * (ch - 1));
}

int16_t TVQRRecording::RefRaw2(int ch) const {
  if (ch < 1 || ch > kMeasureChannels) return 0;
  return ReadI16(headers_[3].data() + 5 + 2 * (ch - 1));
}
