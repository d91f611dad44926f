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

TReadFiles::TReadFiles(const std::vector<std::string>& files) {
  for (const std::string& file : files) {
    struct stat st {};
    if (stat(file.c_str(), &st) == 0) ids_.try_emplace({st.st_dev, st.st_ino}, file);
  }
}

std::optional<std::string> TReadFiles::NamedBy(const std::string& output) const {
  struct stat out {};
  if (stat(output.c_str(), &out) != 0) return std::nullopt;
  const auto it = ids_.find({out.st_dev, out.st_ino});
  if (it == ids_.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> InputNamedBy(const std::string& output,
                                        const std::vector<std::string>& inputs) {
  return TReadFiles(inputs).NamedBy(output);
}

std::vector<std::string> FilesRead(std::vector<std::string> recordings,
                                   const TToolSettingsOptions& options,
                                   const std::vector<std::string>& compared) {
  for (const std::string* f : {&options.IniFile, &options.PublicFile})
    if (!f->empty()) recordings.push_back(*f);
  recordings.insert(recordings.end(), compared.begin(), compared.end());
  return recordings;
}

const char* SettingsArgsConflict(const TToolSettingsOptions& options) {
  if (options.Defaults && (!options.IniFile.empty() || !options.PublicFile.empty()))
    return "--defaults reads no INI file";
  return nullptr;
}
