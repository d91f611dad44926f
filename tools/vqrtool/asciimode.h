#pragma once
// The export mode vqrtool uses when --mode is not given.

#include <string>

#include "export/AsciiBatch.h"

/// The mode the settings choose (ini: the --ini file, empty for the default
/// settings). The settings file is only ever read, never created or written.
TAsciiMode AsciiModeFromSettings(const std::string& ini);
