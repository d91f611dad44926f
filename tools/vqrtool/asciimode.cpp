#include "asciimode.h"

TAsciiMode AsciiModeFromSettings(const std::string& /*ini*/) { return TAsciiMode::Calibrated; }
