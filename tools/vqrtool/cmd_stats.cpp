// vqrtool stats: the statistics of "Messwerte" over a time range of a
// recording, per curve, as text, JSON or CSV; with --compare also of every
// compared recording over the same time range on its own samples.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "chart/cursorpaint.h"
#include "chart/curvestats.h"
#include "chart/vqrdiagram.h"
#include "command.h"
#include "compare.h"
#include "data/numtext.h"
#include "data/tablefield.h"
#include "jsontext.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {

int Usage(const char* why, const std::string& what = "") {
  std::fprintf(stderr, "vqrtool stats: %s%s\n", why, what.c_str());
  return PrintVqrUsage();
}

/// Shortest text that reads back as exactly v, "." as decimal point whatever
/// the locale; "null" for nothing or a non-finite value.
std::string Num(std::optional<double> v) {
  if (!v || !std::isfinite(*v)) return "null";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, *v);
  return std::string(buf, r.ptr);
}

/// The fields of one curve in the order of the JSON object and CSV columns.
/// Values drawn as 32-bit floats are written as the shortest text that reads
/// back as that float, not as the double it widens to.
std::vector<std::pair<const char*, std::string>> Fields(const TCurveStats& s) {
  const bool any = s.Count > 0;
  auto opt = [any](double v) { return any ? std::optional<double>(v) : std::nullopt; };
  auto drawn = [any](float v) { return any && std::isfinite(v) ? ShortestFloatText(v) : "null"; };
  return {{"channel", IntText(s.Channel)},
          {"n", IntText(s.Count)},
          {"min", drawn(s.Min)},
          {"min_at_h", Num(opt(s.MinAtHours))},
          {"max", drawn(s.Max)},
          {"max_at_h", Num(opt(s.MaxAtHours))},
          {"first", drawn(s.First)},
          {"last", drawn(s.Last)},
          {"mean", Num(opt(s.Mean))},
          {"std", Num(s.StdDev)},
          {"slope_per_h", Num(s.SlopePerH)}};
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
    for (const auto& [name, value] : Fields(stats[k])) {
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
  std::string s = "{\"file\": " + JsonString(recordings[0].File) + ", \"from_h\": " + Num(from) +
                  ", \"to_h\": " + Num(to) + ", \"curves\": " + JsonCurves(recordings[0].Curves);
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
  const auto header = Fields(TCurveStats{});
  if (comparing) s += csv ? "file," : "file\t";
  for (size_t k = 0; k < header.size(); ++k) {
    if (k) s += csv ? "," : "\t";
    s += header[k].first;
  }
  s += "\n";
  for (const TRecordingStats& rec : recordings)
    for (const TCurveStats& st : rec.Curves) {
      if (comparing) s += TableField(rec.File, csv ? ',' : '\t') + (csv ? "," : "\t");
      const auto fields = Fields(st);
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

  std::vector<int> channels;
  if (IsCombiMode(mode)) {
    session.PrepareWindow(mode);
    const TChannelPens& pens = session.Diagram().ChannelPens();
    for (int ch = 1; ch <= kTempChannel; ++ch)
      if (pens[ch].Visible) channels.push_back(ch);
    if (channels.empty())
      std::fprintf(stderr, "vqrtool stats: no channel is ticked for combination %d\n",
                   mode - kCombi1Mode + 1);
  } else if (mode >= 1) {
    channels.push_back(mode);
  } else {
    for (int ch = 1; ch <= kTempChannel; ++ch) channels.push_back(ch);
  }
  const double fromSeconds = from ? *from * 3600.0 : -INFINITY;
  const double toSeconds = to ? *to * 3600.0 : INFINITY;
  // [from, to] with from after to holds no moment: an empty range.
  const bool empty = fromSeconds > toSeconds;
  // Each recording over the same time range on its own axis, as the diagram
  // aligns it.
  std::vector<TRecordingStats> recordings(1 + loaded.size());
  const TVQRDiagram& diagram = session.Diagram();
  for (size_t r = 0; r < recordings.size(); ++r) {
    recordings[r].File = r ? loaded[r - 1] : input;
    const TVqrDataObjectNew& data =
        r ? session.ComparedData(static_cast<int>(r - 1)) : session.Data();
    for (int ch : channels) {
      TCurveStats stats;
      stats.Channel = ch;
      if (!empty)
        stats = CurveStats(data, ch, RunSeconds(diagram, r, fromSeconds),
                           RunSeconds(diagram, r, toSeconds));
      recordings[r].Curves.push_back(stats);
    }
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
