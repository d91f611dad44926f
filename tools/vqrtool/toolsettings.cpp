#include "toolsettings.h"

#include <sys/stat.h>

#include <cstdio>

#include "data/equalizer.h"
#include "data/numtext.h"

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

std::optional<std::string> InputNamedBy(const std::string& output,
                                        const std::vector<std::string>& inputs) {
  struct stat out {};
  if (stat(output.c_str(), &out) != 0) return std::nullopt;
  for (const std::string& input : inputs) {
    struct stat in {};
    if (stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
      return input;
  }
  return std::nullopt;
}

std::vector<std::string> FilesRead(std::vector<std::string> recordings,
                                   const TToolSettingsOptions& options,
                                   const std::vector<std::string>& compared) {
  for (const std::string* f : {&options.IniFile, &options.PublicFile})
    if (!f->empty()) recordings.push_back(*f);
  recordings.insert(recordings.end(), compared.begin(), compared.end());
  return recordings;
}

bool TakeSmoothValue(const char* command, const std::string& text, std::vector<int>& distances) {
  int n = 0;
  if (!WholeIntFromText(text, n) || n < kMinSmoothDistance) {
    std::fprintf(stderr, "vqrtool %s: --smooth takes a whole number of %d or more, not %s\n",
                 command, kMinSmoothDistance, text.c_str());
    return false;
  }
  if (n > kMaxSmoothDistance)
    std::fprintf(stderr, "vqrtool %s: smoothing distance %d is taken as %d\n", command, n,
                 kMaxSmoothDistance);
  distances.push_back(n);
  return true;
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
