#include "toolsettings.h"

#include <sys/stat.h>

#include <cstdio>

std::unique_ptr<TToolSettings> LoadToolSettingsFor(const char* command,
                                                   const TToolSettingsOptions& options) {
  std::string error;
  auto settings = LoadToolSettings(options, &error);
  if (!settings) std::fprintf(stderr, "vqrtool %s: %s\n", command, error.c_str());
  return settings;
}

TLoadStatus LoadRecording(TVQRSession& session, const std::string& path) {
  const TLoadStatus status = session.Load(path);
  if (status != TLoadStatus::Ok)
    std::fprintf(stderr, "%s: %s\n", path.c_str(), LoadStatusText(status));
  return status;
}

const std::string* InputNamedBy(const std::string& output, const std::vector<std::string>& inputs) {
  struct stat out {};
  if (stat(output.c_str(), &out) != 0) return nullptr;
  for (const std::string& input : inputs) {
    struct stat in {};
    if (stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
      return &input;
  }
  return nullptr;
}

TSettingsArg TakeSettingsArg(const std::vector<std::string>& args, size_t& i,
                             TToolSettingsOptions& options) {
  const std::string& a = args[i];
  if (a == "--defaults") {
    options.Defaults = true;
    return TSettingsArg::Taken;
  }
  for (auto [name, target] : {std::pair<std::string, std::string*>{"--ini", &options.IniFile},
                              {"--public", &options.PublicFile}}) {
    if (a == name) {
      if (i + 1 >= args.size()) return TSettingsArg::MissingValue;
      *target = args[++i];
      return TSettingsArg::Taken;
    }
    if (a.size() > name.size() + 1 && a.starts_with(name + "=")) {
      *target = a.substr(name.size() + 1);
      return TSettingsArg::Taken;
    }
  }
  return TSettingsArg::NotOne;
}

const char* SettingsArgsConflict(const TToolSettingsOptions& options) {
  if (options.Defaults && (!options.IniFile.empty() || !options.PublicFile.empty()))
    return "--defaults reads no INI file";
  return nullptr;
}
