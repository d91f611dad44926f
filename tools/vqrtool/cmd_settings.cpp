// vqrtool settings: every setting as the program sees it, one line per INI key.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "toolsettings.h"

namespace {

int RunSettings(const std::vector<std::string>& args) {
  TToolSettingsOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](const char* name, std::string& target) {
      const std::string eq = std::string(name) + "=";
      if (a == name && i + 1 < args.size()) {
        target = args[++i];
        return true;
      }
      if (a.rfind(eq, 0) == 0 && a.size() > eq.size()) {
        target = a.substr(eq.size());
        return true;
      }
      return false;
    };
    if (a == "--defaults") {
      options.Defaults = true;
    } else if (!value("--ini", options.IniFile) && !value("--public", options.PublicFile)) {
      std::fprintf(stderr, "vqrtool settings: unexpected argument '%s'\n", a.c_str());
      return PrintVqrUsage();
    }
  }
  if (options.Defaults && (!options.IniFile.empty() || !options.PublicFile.empty())) {
    std::fprintf(stderr, "vqrtool settings: --defaults reads no INI file\n");
    return PrintVqrUsage();
  }
  std::string error;
  const auto settings = LoadToolSettings(options, &error);
  if (!settings) {
    std::fprintf(stderr, "vqrtool settings: %s\n", error.c_str());
    return kExitOpenFailed;
  }
  for (const auto& s : settings->Table->Settings())
    for (int i = 1; i <= s->Count; ++i)
      for (const TZTIniKeyText& k : s->IniTexts(i))
        std::printf("%s/%s = %s\n", k.Section.c_str(), k.Key.c_str(), k.Text.c_str());
  return kExitOk;
}

const bool reg = RegisterVqrCommand(
    {"settings", "settings [--ini FILE] [--public FILE] [--defaults]", &RunSettings});

}  // namespace
