// vqrtool stats: the statistics of "Messwerte" over a time range of a
// recording, per curve, as text, JSON or CSV; with --compare also of every
// compared recording over the same time range on its own samples.
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "chart/vqrdiagram.h"
#include "command.h"
#include "compare.h"
#include "data/numtext.h"
#include "data/tablefield.h"
#include "jsontext.h"
#include "options.h"
#include "session/LimitStats.h"
#include "session/Session.h"
#include "session/Stats.h"
#include "toolsettings.h"

namespace {

int Usage(const std::string& why) { return PrintVqrUsageError("stats", why); }

/// The statistics of one recording: its file as named and one entry per curve.
struct TRecordingStats {
  std::string File;
  std::vector<TCurveStats> Curves;
  std::vector<std::optional<TLimitStats>> Limits;  // per curve, where it has a limit
};

std::string JsonCurves(const std::vector<TCurveStats>& stats,
                       const std::vector<std::optional<TLimitStats>>& limits) {
  std::string s = "[";
  for (size_t k = 0; k < stats.size(); ++k) {
    s += k ? ", {" : "{";
    bool first = true;
    for (const auto& [name, value] : CurveStatsFields(stats[k])) {
      s += first ? "\"" : ", \"";
      s += name;
      s += "\": " + value;
      first = false;
    }
    if (k < limits.size() && limits[k]) s += ", \"limits\": " + LimitStatsJson(*limits[k]);
    s += "}";
  }
  return s + "]";
}

/// The open recording's fields as ever; with a comparison (more than one
/// recording) "recordings" after them, the open one first.
void PrintJson(std::optional<double> from, std::optional<double> to,
               const std::vector<TRecordingStats>& recordings) {
  std::string s = "{\"file\": " + JsonString(recordings[0].File) +
                  ", \"from_h\": " + StatsNumberText(from) + ", \"to_h\": " + StatsNumberText(to) +
                  ", \"curves\": " + JsonCurves(recordings[0].Curves, recordings[0].Limits);
  if (recordings.size() > 1) {
    s += ", \"recordings\": [";
    for (size_t r = 0; r < recordings.size(); ++r) {
      s += r ? ", {\"file\": " : "{\"file\": ";
      s += JsonString(recordings[r].File) +
           ", \"curves\": " + JsonCurves(recordings[r].Curves, recordings[r].Limits) + "}";
    }
    s += "]";
  }
  s += "}\n";
  std::fputs(s.c_str(), stdout);
}

/// One row per curve; with a comparison one row per recording and curve, the
/// recording's file in a leading "file" column, written so that whatever its
/// name holds every line has the header's fields.
void PrintTable(const std::vector<TRecordingStats>& recordings, bool csv) {
  std::string s;
  const bool comparing = recordings.size() > 1;
  const auto header = CurveStatsFields(TCurveStats{});
  if (comparing) s += csv ? "file," : "file\t";
  for (size_t k = 0; k < header.size(); ++k) {
    if (k) s += csv ? "," : "\t";
    s += header[k].first;
  }
  s += "\n";
  for (const TRecordingStats& rec : recordings)
    for (const TCurveStats& st : rec.Curves) {
      if (comparing) s += TableField(rec.File, csv ? ',' : '\t') + (csv ? "," : "\t");
      const auto fields = CurveStatsFields(st);
      for (size_t k = 0; k < fields.size(); ++k) {
        if (k) s += csv ? "," : "\t";
        // An empty CSV field stands for a value that does not exist.
        if (!(csv && fields[k].second == "null")) s += fields[k].second;
      }
      s += "\n";
    }
  std::fputs(s.c_str(), stdout);
}

int RunStats(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kStatsArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::string& input = a.Inputs[0];
  const TToolSettingsOptions settings = a.Settings();
  const int mode = a.Int("--window", 0);
  const bool json = a.Given("--json"), csv = a.Given("--csv");
  std::optional<double> from, to;
  if (a.Given("--from")) from = a.Numbers("--from")[0];
  if (a.Given("--to")) to = a.Numbers("--to")[0];
  const std::vector<std::string> compared = a.Texts("--compare");
  if (json && csv) return Usage("--json and --csv exclude each other");
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("stats", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  std::vector<std::string> loaded;
  const int compareStatus = LoadCompared(session, compared, &loaded);
  for (int n : a.EachInt("--smooth")) session.Smooth(n);
  session.SetZeroPoint(a.Given("--zero"));

  const std::vector<int> channels = StatsChannels(session, mode);
  if (IsCombiMode(mode) && channels.empty())
    std::fprintf(stderr, "vqrtool stats: no channel is ticked for combination %d\n",
                 mode - kCombi1Mode + 1);
  // Each recording over the same time range on its own axis, as the diagram
  // aligns it.
  const auto stats = SessionStats(session, channels, from, to);
  const auto limits = SessionLimitStats(session, channels, from, to);
  std::vector<TRecordingStats> recordings(stats.size());
  for (size_t r = 0; r < recordings.size(); ++r) {
    recordings[r].File = r ? loaded[r - 1] : input;
    recordings[r].Curves = stats[r];
    if (r < limits.size()) recordings[r].Limits = limits[r];
  }
  if (json)
    PrintJson(from, to, recordings);
  else
    PrintTable(recordings, csv);
  return compareStatus;
}

const bool registered =
    RegisterVqrCommand({"stats",
                        "stats FILE.DAT [--from H] [--to H] [--window 1..16|17|18|19] [--zero]\n"
                        "      [--smooth N]... [--json|--csv] [--compare B.DAT...] [--ini FILE]\n"
                        "      [--public FILE] [--defaults]\n"
                        "      (minimum, maximum, mean, deviation and slope per curve; --compare\n"
                        "      adds them per recording over the same time range; --json adds\n"
                        "      the limit statistics of each curve with a limit)",
                        &RunStats});

}  // namespace
