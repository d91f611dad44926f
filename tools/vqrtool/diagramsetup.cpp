#include "diagramsetup.h"

#include <cstdio>

#include "command.h"

bool TDiagramSetup::OpenSettings(const TToolSettingsOptions& options, std::string& error) {
  settings_ = LoadToolSettings(options, &error);
  return settings_ != nullptr;
}

TLoadStatus TDiagramSetup::Load(const std::string& path) {
  TVqrDataObjectNew& d = rec_.Data();
  settings_->Table->TakeAxisScaling(*d.GetLayout());
  const TLoadStatus status = rec_.Load(path);
  if (status == TLoadStatus::Ok) {
    settings_->Table->TakeDiagramLayout(*d.GetLayout());
    settings_->Table->TakePrinterSettings(*d.GetPrintOptions());
  }
  return status;
}

int TDiagramSetup::OpenAndLoad(const char* command, const TToolSettingsOptions& options,
                               const std::string& path) {
  std::string error;
  if (!OpenSettings(options, error)) {
    std::fprintf(stderr, "vqrtool %s: %s\n", command, error.c_str());
    return kExitOpenFailed;
  }
  const TLoadStatus status = Load(path);
  if (status != TLoadStatus::Ok)
    std::fprintf(stderr, "%s: %s\n", path.c_str(), LoadStatusText(status).c_str());
  return static_cast<int>(status);
}

int TDiagramSetup::OpenWindow(int mode) {
  TVqrDataObjectNew& d = rec_.Data();
  d.SetDefaults(true, true, false);
  d.SetWindowMode(mode);
  int curves = 1;
  if (mode == 18)
    curves = settings_->Table->TakeCombiPens1(d.ChannelPens);
  else if (mode == 19)
    curves = settings_->Table->TakeCombiPens2(d.ChannelPens);
  else
    settings_->Table->TakeSinglePens(d.ChannelPens);
  settings_->Table->TakeDiagramLayout(*d.GetLayout());
  return curves;
}

std::string LoadStatusText(TLoadStatus status) {
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
