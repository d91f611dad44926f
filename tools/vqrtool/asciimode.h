#pragma once
// The export mode vqrtool uses when --mode is not given.

#include <string>

#include "export/AsciiBatch.h"
#include "toolsettings.h"

/// The mode the settings choose. The settings file is only ever read, never
/// created or written. False, with a message, when --ini names nothing readable.
bool AsciiModeFromSettings(const TToolSettingsOptions& options, TAsciiMode& mode,
                           std::string& error);
