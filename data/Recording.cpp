#include "data/Recording.h"

#include "data/processgauge.h"

TVQRRecording::TVQRRecording()
    : store_(std::make_unique<TVQRDataObject>()),
      meta_(std::make_unique<TVQRMetaData>()),
      reader_(std::make_unique<TVQRLogFile>()),
      data_(std::make_unique<TVqrDataObjectNew>()) {}

TLoadStatus TVQRRecording::Load(const std::string& path) {
  store_->Clear();
  meta_->Clear();
  data_->SetStore(store_.get());
  data_->SetLogFile(reader_.get());
  data_->SetMetaData(meta_.get());
  reader_->SetFileName(path);
  if (!reader_->Open()) return TLoadStatus::OpenFailed;
  return ReadOpened();
}

TLoadStatus TVQRRecording::LoadBuffer(const uint8_t* data, size_t size) {
  store_->Clear();
  meta_->Clear();
  data_->SetStore(store_.get());
  data_->SetLogFile(reader_.get());
  data_->SetMetaData(meta_.get());
  reader_->OpenBuffer(data, size);
  return ReadOpened();
}

TLoadStatus TVQRRecording::ReadOpened() {
  IProcessGauge* gauge = data_->Gauge;
  if (gauge) gauge->Start(reader_->GetSize(), "Lesen:");
  const bool ok = data_->ReadData();
  if (gauge) gauge->Complete();
  reader_->Close();
  return ok ? TLoadStatus::Ok : TLoadStatus::NotDecoded;
}
