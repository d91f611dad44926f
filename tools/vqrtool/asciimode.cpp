#include "asciimode.h"

#include "toolsettings.h"

bool AsciiModeFromSettings(const std::string& ini, TAsciiMode& mode, std::string& error) {
  TToolSettingsOptions options;
  options.IniFile = ini;
  const auto settings = LoadToolSettings(options, &error);
  if (!settings) return false;
  // The program checks the parameters first, then raw data, else calibrated.
  const TVQRShowSettings& t = *settings->Table;
  if (t.AsciiFileCalParams->GetBool(1))
    mode = TAsciiMode::CalParams;
  else if (t.AsciiFileRaw->GetBool(1))
    mode = TAsciiMode::Raw;
  else
    mode = TAsciiMode::Calibrated;
  return true;
}
