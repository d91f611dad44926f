#include "settings/readonlysettings.h"

#include <sys/stat.h>

#include <utility>

std::unique_ptr<TToolSettings> LocateToolSettings(const TToolSettingsOptions& options,
                                                  std::string* error) {
  auto result = std::make_unique<TToolSettings>();
  TZTIniClass& ini = result->Ini;
  if (options.Defaults) {
    ini.ReadOnly = true;  // no file name: every read gives its default
  } else {
    TLocateInputs in = TLocateInputs::FromProcess();
    in.Args.clear();
    in.ReadOnly = true;
    in.BaseName = "vqrshow4";  // the program's INI file, not vqrtool's
    in.NoProgramDir = options.NoProgramDir;
    std::string expected, expectedPublic;  // the files --ini and --public name
    for (const auto& [name, value] :
         {std::pair<const char*, const std::string&>{"ini", options.IniFile},
          {"public", options.PublicFile}}) {
      if (value.empty()) continue;
      struct stat st {};
      if (stat(value.c_str(), &st) != 0) {
        if (error) *error = "cannot read " + value;
        return nullptr;
      }
      std::string v = value;
      if (S_ISDIR(st.st_mode) && v.back() != '/') v += '/';
      (std::string(name) == "ini" ? expected : expectedPublic) =
          S_ISDIR(st.st_mode) ? v + "vqrshow4.INI" : v;
      in.Args.push_back("--" + std::string(name) + "=" + v);
    }
    ini.Locate(in);
    // Neither falls back silently: a FIFO or a huge file is not settings.
    for (const auto& [named, taken] :
         {std::pair{expected, ini.IniFileName}, std::pair{expectedPublic, ini.PublicIniFileName}}) {
      if (!named.empty() && taken != named) {
        if (error) *error = "cannot read " + named;
        return nullptr;
      }
    }
  }
  return result;
}

std::unique_ptr<TToolSettings> LoadToolSettings(const TToolSettingsOptions& options,
                                                std::string* error) {
  auto result = LocateToolSettings(options, error);
  if (result) {
    result->Table = std::make_unique<TVQRShowSettings>(&result->Ini);
    result->Table->LoadAll();
  }
  return result;
}
