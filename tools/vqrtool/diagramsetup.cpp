#include "diagramsetup.h"

#include <filesystem>
#include <fstream>

bool TDiagramSetup::OpenSettings(const std::string& ini, std::string& error) {
  ini_.ReadOnly = true;  // vqrtool never writes settings
  if (!ini.empty()) {
    std::ifstream probe(ini);
    if (!probe || std::filesystem::is_directory(ini)) {
      error = ini + ": cannot read the settings file";
      return false;
    }
    ini_.IniFileName = ini;
  }
  table_ = std::make_unique<TVQRShowSettings>(&ini_, nullptr);
  table_->LoadAll(1);
  return true;
}

TLoadStatus TDiagramSetup::Load(const std::string& path) {
  TVqrDataObjectNew& d = rec_.Data();
  table_->TakeAxisScaling(*d.GetLayout());
  const TLoadStatus status = rec_.Load(path);
  if (status == TLoadStatus::Ok) {
    table_->TakeDiagramLayout(*d.GetLayout());
    table_->TakePrinterSettings(*d.GetPrintOptions());
  }
  return status;
}

int TDiagramSetup::OpenWindow(int mode) {
  TVqrDataObjectNew& d = rec_.Data();
  d.SetDefaults(true, true, false);
  d.SetWindowMode(mode);
  int curves = 1;
  if (mode == 18)
    curves = table_->TakeCombiPens1(d.ChannelPens);
  else if (mode == 19)
    curves = table_->TakeCombiPens2(d.ChannelPens);
  else
    table_->TakeSinglePens(d.ChannelPens);
  table_->TakeDiagramLayout(*d.GetLayout());
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
