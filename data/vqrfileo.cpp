#include "data/vqrfileo.h"

#include "data/decoder.h"
#include "data/equalizer.h"

TVqrDataObjectNew::TVqrDataObjectNew() = default;
TVqrDataObjectNew::~TVqrDataObjectNew() = default;

void TVqrDataObjectNew::SetStore(TVQRDataObject* store) {
  store_ = store;
  recording_.store_ = store;
}

void TVqrDataObjectNew::SetMetaData(TVQRMetaData* meta) {
  meta_ = meta;
  recording_.meta_ = meta;
}

bool TVqrDataObjectNew::ReadData() {
  if (!logFile_ || !store_) return false;
  TVQRDecoder decoder(*logFile_, *store_, meta_, gauge_);
  if (!decoder.ReadData(recording_)) return false;
  FitOwnAxes();
  return true;
}

void TVqrDataObjectNew::Calibrate() {
  if (!store_) return;
  TVQRDecoder::Calibrate(*store_, recording_);
  FitOwnAxes();
}

void TVqrDataObjectNew::Smooth(int distance) {
  if (!store_) return;
  if (!equalizer_) equalizer_ = std::make_unique<TVQREqualizer>();
  equalizer_->Setup(gauge_, distance);
  for (int ch = 1; ch <= kTempChannel; ++ch) equalizer_->Apply(*store_, ch);
}
