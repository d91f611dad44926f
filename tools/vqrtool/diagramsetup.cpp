#include "diagramsetup.h"

#include <cstdio>

#include "chart/diagramsettings.h"
#include "command.h"

bool TDiagramSetup::OpenSettings(const TToolSettingsOptions& options, std::string& error) {
  settings_ = LoadToolSettings(options, &error);
  return settings_ != nullptr;
}

TLoadStatus TDiagramSetup::Load(const std::string& path) {
  settings_->Table->TakeAxisScaling(rec_.Data().Scaling);
  const TLoadStatus status = rec_.Load(path);
  if (status == TLoadStatus::Ok) {
    TakeDiagramSettings(*settings_->Table, diagram_);
    TakePrinterSettings(*settings_->Table, diagram_.PrintOptions());
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
  return PrepareWindowMode(*settings_->Table, diagram_, mode);
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
