#include "asciimode.h"

bool AsciiModeFromSettings(const TToolSettingsOptions& options, TAsciiMode& mode,
                           std::string& error) {
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
