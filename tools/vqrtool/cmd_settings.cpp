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
    if (TakeSettingsArg(args, i, options) != TSettingsArg::Taken) {
      std::fprintf(stderr, "vqrtool settings: unexpected argument '%s'\n", args[i].c_str());
      return PrintVqrUsage();
    }
  }
  if (const char* conflict = SettingsArgsConflict(options)) {
    std::fprintf(stderr, "vqrtool settings: %s\n", conflict);
    return PrintVqrUsage();
  }
  const auto settings = LoadToolSettingsFor("settings", options);
  if (!settings) return kExitOpenFailed;
  std::fputs(settings->Table->Listing().c_str(), stdout);
  return kExitOk;
}

const bool reg = RegisterVqrCommand({"settings",
                                     "settings [--ini FILE] [--public FILE] [--defaults]\n"
                                     "      (every setting as the program sees it)",
                                     &RunSettings});

}  // namespace
