// vqrtool settings: every setting as the program sees it, one line per INI key.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "options.h"
#include "toolsettings.h"

namespace {

int RunSettings(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kSettingsArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const TToolSettingsOptions options = a.Settings();
  if (const char* conflict = SettingsArgsConflict(options))
    return PrintVqrUsageError("settings", conflict);
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
