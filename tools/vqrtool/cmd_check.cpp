// vqrtool check: whether the curves of recordings keep the limits of the
// settings, for scripts that gate test runs. Every violation is listed
// (file, channel, first crossing, time outside); the exit status says
// whether all limits held.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "command.h"
#include "data/numtext.h"
#include "data/tablefield.h"
#include "jsontext.h"
#include "options.h"
#include "session/LimitStats.h"
#include "session/Session.h"
#include "session/Stats.h"
#include "toolsettings.h"

namespace {

int Usage(const std::string& why) { return PrintVqrUsageError("check", why); }

int RunCheck(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kCheckArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const TToolSettingsOptions settings = a.Settings();
  const bool json = a.Given("--json");
  std::optional<double> from, to;
  if (a.Given("--from")) from = a.Numbers("--from")[0];
  if (a.Given("--to")) to = a.Numbers("--to")[0];
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("check", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  const TVQRLimits limits = session.Limits();
  if (!limits.Any()) {
    std::fprintf(stderr, "vqrtool check: no limit is set (settings section Limits)\n");
    return kExitUsage;
  }
  std::vector<int> channels;
  for (int ch = 1; ch <= kTempChannel; ++ch)
    if (limits.Has(ch)) channels.push_back(ch);

  int loadWorst = 0;
  bool violated = false;
  std::string out = json ? "{\"files\": [" : "";
  if (!json)
    out =
        "file\tchannel\tfirst_crossing_h\toutside_h\toutside_pct\texcursions\tlargest_excursion\n";
  for (size_t f = 0; f < a.Inputs.size(); ++f) {
    const std::string& input = a.Inputs[f];
    const TLoadStatus status = LoadRecording(session, input);
    if (json) out += (f ? ", {\"file\": " : "{\"file\": ") + JsonString(input);
    if (status != TLoadStatus::Ok) {
      loadWorst = std::max(loadWorst, static_cast<int>(status));
      if (json)
        out += std::string(", \"status\": ") +
               (status == TLoadStatus::OpenFailed ? "\"open_failed\"" : "\"not_decoded\"") + "}";
      continue;
    }
    const auto stats = SessionLimitStats(session, channels, from, to)[0];
    bool fileHeld = true;
    std::string curves;
    for (size_t c = 0; c < channels.size(); ++c) {
      if (!stats[c]) continue;
      const TLimitStats& st = *stats[c];
      fileHeld &= st.Held();
      if (json) {
        curves += curves.empty() ? "{" : ", {";
        curves += "\"channel\": " + IntText(channels[c]) +
                  ", \"held\": " + (st.Held() ? "true" : "false") +
                  ", \"limits\": " + LimitStatsJson(st) + "}";
      } else if (!st.Held()) {
        out += TableField(input, '\t') + "\t" + IntText(channels[c]) + "\t" +
               StatsNumberText(st.FirstCrossingHours) + "\t" + StatsNumberText(st.OutsideHours) +
               "\t" + StatsNumberText(st.OutsidePct) + "\t" + IntText(st.Excursions) + "\t" +
               StatsNumberText(st.LargestExcursion) + "\n";
      }
    }
    violated |= !fileHeld;
    if (json)
      out += std::string(", \"status\": ") + (fileHeld ? "\"held\"" : "\"violated\"") +
             ", \"curves\": [" + curves + "]}";
  }
  if (json)
    out += std::string("], \"held\": ") + (violated || loadWorst ? "false" : "true") + "}\n";
  std::fputs(out.c_str(), stdout);
  // A file that could not be read says more than a violation found in others.
  if (loadWorst) return loadWorst;
  return violated ? kExitLimitViolated : kExitOk;
}

const bool registered =
    RegisterVqrCommand({"check",
                        "check FILE.DAT... [--from H] [--to H] [--json] [--ini FILE]\n"
                        "      [--public FILE] [--defaults]\n"
                        "      (whether every curve keeps the limits of the settings; lists\n"
                        "      each violation, exit status 5 when there is one)",
                        &RunCheck});

}  // namespace
