#pragma once
// The program's settings for the programs beside it (vqrtool, the Python
// module): found like the program finds them (or named), but read only: they
// never create or write an INI file.

#include <memory>
#include <string>

#include "settings/iniclass.h"
#include "settings/settings.h"

struct TToolSettingsOptions {
  std::string IniFile;     // --ini FILE (a file, or a folder holding vqrshow4.INI)
  std::string PublicFile;  // --public FILE
  bool Defaults = false;   // no INI file at all: the built-in values
  /// A module inside another program (an interpreter): the folder of that
  /// program is no place of the settings; without a file in the home folder
  /// the built-in values apply.
  bool NoProgramDir = false;
};

/// The INI object and the loaded table, without controls.
struct TToolSettings {
  TZTIniClass Ini;
  std::unique_ptr<TVQRShowSettings> Table;
};

/// Only locates them: Ini names the files found, Table is null.
std::unique_ptr<TToolSettings> LocateToolSettings(const TToolSettingsOptions& options,
                                                  std::string* error);

/// Locates and loads the settings read-only. Null, with a message in *error,
/// when the INI or public file named in options is nothing readable.
std::unique_ptr<TToolSettings> LoadToolSettings(const TToolSettingsOptions& options,
                                                std::string* error);
