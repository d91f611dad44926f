#pragma once
// The export mode vqrtool uses when --mode is not given.

#include <string>

#include "export/AsciiBatch.h"

/// The mode the settings choose (ini: the --ini file, empty for the program's
/// own search). The settings file is only ever read, never created or written.
/// False, with a message, when --ini names nothing readable.
bool AsciiModeFromSettings(const std::string& ini, TAsciiMode& mode, std::string& error);
