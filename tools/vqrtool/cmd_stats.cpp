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
#include "session/Session.h"
#include "session/Stats.h"
#include "toolsettings.h"

namespace {

int Usage(const char* why, const std::string& what = "") {
  std::fprintf(stderr, "vqrtool stats: %s%s\n", why, what.c_str());
  return PrintVqrUsage();
}

/// The statistics of one recording: its file as named and one entry per curve.
struct TRecordingStats {
  std::string File;
  std::vector<TCurveStats> Curves;
};

std::string JsonCurves(const std::vector<TCurveStats>& stats) {
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
                  ", \"curves\": " + JsonCurves(recordings[0].Curves);
  if (recordings.size() > 1) {
    s += ", \"recordings\": [";
    for (size_t r = 0; r < recordings.size(); ++r) {
      s += r ? ", {\"file\": " : "{\"file\": ";
      s += JsonString(recordings[r].File) + ", \"curves\": " + JsonCurves(recordings[r].Curves) +
           "}";
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

bool ParseHours(const std::string& v, std::optional<double>& out) {
  double h = 0.0;
  if (!WholeFloatFromText(v, h)) return false;
  out = h;
  return true;
}

int RunStats(const std::vector<std::string>& args) {
  std::string input;
  TToolSettingsOptions settings;
  int mode = 0;
  bool zero = false, json = false, csv = false;
  std::vector<int> smooth;
  std::optional<double> from, to;
  std::vector<std::string> compared;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const TSettingsArg taken = TakeSettingsArg(args, i, settings);
    if (taken == TSettingsArg::Taken) continue;
    if (taken == TSettingsArg::MissingValue) return Usage("missing value after ", a);
    if (const TCompareArg c = TakeCompareArg(args, i, compared); c != TCompareArg::NotOne) {
      if (const char* error = CompareArgError(c)) return Usage(error);
      continue;
    }
    if (a == "--zero" || a == "--json" || a == "--csv") {
      (a == "--zero" ? zero : a == "--json" ? json : csv) = true;
      continue;
    }
    if (a == "--from" || a == "--to" || a == "--window" || a == "--smooth") {
      if (i + 1 >= args.size()) return Usage("missing value after ", a);
      const std::string& v = args[++i];
      if (a == "--from" || a == "--to") {
        if (!ParseHours(v, a == "--from" ? from : to))
          return Usage((a + " takes hours, not ").c_str(), v);
      } else if (a == "--window") {
        if (!WholeIntFromText(v, mode) || mode < 1 || mode > 19)
          return Usage("--window takes 1..16, 17 (temperature), 18 or 19, not ", v);
      } else {
        if (!TakeSmoothValue("stats", v, smooth)) return PrintVqrUsage();
      }
    } else if (a.size() > 1 && a[0] == '-') {
      return Usage("unknown option ", a);
    } else if (input.empty()) {
      input = a;
    } else {
      return Usage("more than one input file: ", a);
    }
  }
  if (input.empty()) return Usage("no input file");
  if (json && csv) return Usage("--json and --csv exclude each other");
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  const auto table = LoadToolSettingsFor("stats", settings);
  if (!table) return kExitOpenFailed;
  TVQRSession session(table->Table.get());
  if (const TLoadStatus status = LoadRecording(session, input); status != TLoadStatus::Ok)
    return static_cast<int>(status);
  std::vector<std::string> loaded;
  const int compareStatus = LoadCompared(session, compared, &loaded);
  for (int n : smooth) session.Smooth(n);
  session.SetZeroPoint(zero);

  const std::vector<int> channels = StatsChannels(session, mode);
  if (IsCombiMode(mode) && channels.empty())
    std::fprintf(stderr, "vqrtool stats: no channel is ticked for combination %d\n",
                 mode - kCombi1Mode + 1);
  // Each recording over the same time range on its own axis, as the diagram
  // aligns it.
  const auto stats = SessionStats(session, channels, from, to);
  std::vector<TRecordingStats> recordings(stats.size());
  for (size_t r = 0; r < recordings.size(); ++r) {
    recordings[r].File = r ? loaded[r - 1] : input;
    recordings[r].Curves = stats[r];
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
                        "      adds them per recording over the same time range)",
                        &RunStats});

}  // namespace
