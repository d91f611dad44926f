#include "session/Session.h"

#include <algorithm>

#include "chart/diagramsettings.h"
#include "chart/vqrdiagram.h"
#include "data/atomicfile.h"
#include "data/equalizer.h"
#include "data/processgauge.h"
#include "export/asciiexport.h"
#include "export/expfile.h"
#include "session/compared.h"
#include "settings/settings.h"

TVQRSession::TVQRSession(TVQRShowSettings* settings, IProcessGauge* gauge)
    : settings_(settings),
      gauge_(gauge),
      store_(std::make_unique<TVQRDataObject>()),
      meta_(std::make_unique<TVQRMetaData>()),
      reader_(std::make_unique<TVQRLogFile>()),
      data_(std::make_unique<TVqrDataObjectNew>()),
      diagram_(std::make_unique<TVQRDiagram>(*data_)) {
  data_->SetGauge(gauge);
  diagram_->SetNotes(&notes_);
}

TVQRSession::~TVQRSession() = default;

void TVQRSession::SetGauge(IProcessGauge* gauge) {
  gauge_ = gauge;
  data_->SetGauge(gauge);
}

void TVQRSession::Link() {
  // A new recording: the notes and an evaluation's own limits end with the old one.
  smoothing_.clear();
  notes_.clear();
  limits_.reset();
  store_->Clear();
  meta_->Clear();
  data_->SetStore(store_.get());
  data_->SetLogFile(reader_.get());
  data_->SetMetaData(meta_.get());
  data_->SetGauge(gauge_);
  // The axes computed while reading depend on Axis1/MaxHour and Axis2/UserFactor.
  if (settings_) {
    TAxisScaling scaling = data_->Axes().Scaling();
    settings_->TakeAxisScaling(scaling);
    data_->Axes().SetScaling(scaling);
  }
}

TLoadStatus TVQRSession::Load(const std::string& path) {
  EndComparison();
  Link();
  name_ = FileNamePart(path);
  start_ = 0;
  reader_->SetFileName(path);
  if (!reader_->Open()) return TLoadStatus::OpenFailed;
  const TLoadStatus status = ReadOpened();
  start_ = StartTime(path, data_->Recording().LastTime());
  return status;
}

TLoadStatus TVQRSession::LoadBuffer(const uint8_t* data, size_t size) {
  EndComparison();
  Link();
  name_.clear();
  start_ = 0;
  reader_->OpenBuffer(data, size);
  return ReadOpened();
}

TLoadStatus TVQRSession::ReadOpened() {
  if (gauge_) gauge_->Start(reader_->GetSize(), "Lesen:");
  const bool ok = data_->ReadData();
  if (gauge_) gauge_->Complete();
  reader_->Close();
  // A file that opened but did not decode is still shown with what it held.
  TakeDiagramSettings();
  return ok ? TLoadStatus::Ok : TLoadStatus::NotDecoded;
}

void TVQRSession::TakeDiagramSettings() {
  if (settings_) ::TakeDiagramSettings(*settings_, *diagram_);
}

int TVQRSession::PrepareWindow(int mode) {
  int curves = 0;
  if (settings_) {
    curves = PrepareWindowMode(*settings_, *diagram_, mode);
  } else {
    data_->Axes().SetDefaultScaling();
    diagram_->SetDefaults(true, true, false);
    diagram_->SetWindowMode(mode);
    curves = IsCombiMode(mode) ? 0 : 1;
  }
  for (const auto& c : compared_) c->Data.Axes().SetScaling(data_->Axes().Scaling());
  if (settings_) SetTimeAlign(AlignFromSettings(*settings_));
  diagram_->SetLimits(Limits());
  return curves;
}

void TVQRSession::Smooth(int distance) {
  int samples = data_->GetSampleCount();
  for (const auto& c : compared_) samples += c->Data.GetSampleCount();
  if (gauge_) gauge_->Start(samples * 17, "Filter:");
  data_->Smooth(distance);
  // Kept as the equalizer applies it.
  distance = std::clamp(distance, kMinSmoothDistance, kMaxSmoothDistance);
  smoothing_.push_back(distance);
  for (const auto& c : compared_) {
    c->Data.Smooth(distance);
    c->Smoothing.push_back(distance);
  }
  if (gauge_) gauge_->Complete();
}

const std::vector<int>& TVQRSession::Smoothing(int run) const {
  return run == 0 ? smoothing_ : compared_.at(static_cast<size_t>(run - 1))->Smoothing;
}

void TVQRSession::SmoothRun(int run, int distance) {
  if (run == 0) {
    data_->Smooth(distance);
    smoothing_.push_back(distance);
  } else {
    TCompared& c = *compared_.at(static_cast<size_t>(run - 1));
    c.Data.Smooth(distance);
    c.Smoothing.push_back(distance);
  }
}

TExportStatus TVQRSession::ExportAscii(const std::string& path, TVQRAsciiFile& file,
                                       TAsciiMode mode, TAtomicFile* later) {
  if (!file.Open(path)) return TExportStatus::OpenFailed;
  file.SetSeparator(',');
  if (gauge_) gauge_->Start(data_->GetSampleCount(), "Export:");
  bool ok = false;
  switch (mode) {
    case TAsciiMode::CalParams:
      ok = ::ExportCalParams(data_->Recording(), file, data_->Gauge());
      break;
    case TAsciiMode::Raw:
      ok = ::ExportRaw(data_->Recording(), file, data_->Gauge());
      break;
    case TAsciiMode::Calibrated:
      ok = ::ExportCalibrated(data_->Recording(), file, data_->Gauge());
      break;
  }
  if (gauge_) gauge_->Complete();
  // A write lost on closing (a full disk) is an export failure too.
  const bool closed = file.CloseExport(later);
  if (!ok && later) later->Discard();
  return ok && closed ? TExportStatus::Ok : TExportStatus::WriteFailed;
}

TAsciiMode AsciiModeFromSettings(const TVQRShowSettings* settings) {
  if (settings && settings->AsciiFileCalParams->GetBool(1)) return TAsciiMode::CalParams;
  if (settings && settings->AsciiFileRaw->GetBool(1)) return TAsciiMode::Raw;
  return TAsciiMode::Calibrated;
}

const char* LoadStatusText(TLoadStatus status) {
  switch (status) {
    case TLoadStatus::Ok:
      return "Ok";
    case TLoadStatus::NotDecoded:
      return "Error reading Data File!";
    case TLoadStatus::OpenFailed:
      return "Error opening data file!";
  }
  return "?";
}
