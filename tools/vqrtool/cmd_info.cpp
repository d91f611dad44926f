// vqrtool info: what a recording holds and how it is calibrated.
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "data/numtext.h"
#include "jsontext.h"
#include "options.h"
#include "session/Session.h"
#include "toolsettings.h"

namespace {
std::string Num(float v) { return ShortestFloatText(v); }

std::string AxisJson(const AxisRange& a, bool withDays) {
  std::string s = "{\"divisions\": " + IntText(a.Divisions) + ", \"span\": " + Num(a.Span) +
                  ", \"start\": " + Num(a.Start) + ", \"int_digits\": " + IntText(a.IntDigits) +
                  ", \"decimals\": " + IntText(a.Decimals);
  if (withDays) s += std::string(", \"time_in_days\": ") + (a.TimeInDays ? "true" : "false");
  return s + "}";
}

void PrintJson(TVQRSession& session, bool ok) {
  const TVqrDataObjectNew& d = session.Data();
  std::string s = "{\"ok\": ";
  s += ok ? "true" : "false";
  s += ", \"sample_count\": " + IntText(d.GetSampleCount());
  s += ", \"last_time\": " + IntText(d.Recording().LastTime());
  s += ", \"ref_value1\": " + Num(d.Recording().RefValue1());
  s += ", \"ref_value2\": " + Num(d.Recording().RefValue2());
  s += ", \"overall_max\": " + Num(d.Recording().OverallMax());
  s += ", \"channels\": [";
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const ChannelCal& c = d.Recording().Cal(ch);
    if (ch > 1) s += ", ";
    s += "{\"scale\": " + Num(c.Scale) + ", \"offset\": " + Num(c.Offset) +
         ", \"raw_min\": " + IntText(c.RawMin) + ", \"raw_max\": " + IntText(c.RawMax) +
         ", \"cal_min\": " + Num(c.CalMin) + ", \"cal_max\": " + Num(c.CalMax) + "}";
  }
  s += "], \"axes\": {\"time\": " + AxisJson(d.Axes().Time(), true) +
       ", \"value\": " + AxisJson(d.Axes().Value(), false) +
       ", \"temperature\": " + AxisJson(d.Axes().Temp(), false) + "}, \"metadata\": {";
  for (int k = 1; k <= 8; ++k) {
    const auto& e = session.Meta().Entry(k);
    if (e.Name.empty()) continue;
    if (s.back() != '{') s += ", ";
    s += JsonString(e.Name) + ": " + JsonString(e.Value);
  }
  s += "}}\n";
  std::fputs(s.c_str(), stdout);
}

std::string Duration(int32_t seconds) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%dd %02d:%02d:%02d (%d s)", seconds / 86400, seconds / 3600 % 24,
                seconds / 60 % 60, seconds % 60, seconds);
  return buf;
}

std::string AxisText(const AxisRange& a, const char* unit, float factor) {
  return FixedText(static_cast<double>(a.Span) * factor, a.Decimals) + " " + unit + " in " +
         IntText(a.Divisions) + " divisions, from " +
         FixedText(-static_cast<double>(a.Start) * factor + 0.0, a.Decimals) + ", labels " +
         IntText(a.IntDigits) + " digits, " + IntText(a.Decimals) + " decimals";
}

void PrintText(const std::string& path, TVQRSession& session) {
  const TVqrDataObjectNew& d = session.Data();
  std::printf("File:       %s\n", path.c_str());
  std::printf("Samples:    %d\n", d.GetSampleCount());
  std::printf("Duration:   %s\n", Duration(d.Recording().LastTime()).c_str());
  std::printf("Parameters:");
  for (int k = 1; k <= 8; ++k) {
    const auto& e = session.Meta().Entry(k);
    std::printf(" %s=%s", e.Name.c_str(), e.Value.c_str());
  }
  std::printf("\nReferences: RefValue1 %s, RefValue2 %s\n", Num(d.Recording().RefValue1()).c_str(),
              Num(d.Recording().RefValue2()).c_str());
  std::printf(
      "Channel  RefRaw1  RefRaw2         Scale        Offset  RawMin  RawMax"
      "        CalMin        CalMax\n");
  for (int ch = 1; ch <= kTempChannel; ++ch) {
    const ChannelCal& c = d.Recording().Cal(ch);
    const std::string name = ch == kTempChannel ? "T" : IntText(ch);
    const std::string r1 = ch == kTempChannel ? "-" : IntText(d.RefRaw1(ch));
    const std::string r2 = ch == kTempChannel ? "-" : IntText(d.RefRaw2(ch));
    std::printf("%7s  %7s  %7s  %12s  %12s  %6d  %6d  %12s  %12s\n", name.c_str(), r1.c_str(),
                r2.c_str(), Num(c.Scale).c_str(), Num(c.Offset).c_str(), c.RawMin, c.RawMax,
                Num(c.CalMin).c_str(), Num(c.CalMax).c_str());
  }
  std::printf("Overall maximum: %s\n", Num(d.Recording().OverallMax()).c_str());
  const bool days = d.Axes().Time().TimeInDays;
  std::printf("Time axis:        %s\n",
              AxisText(d.Axes().Time(), days ? "days" : "hours", days ? 1.0f / 86400 : 1.0f / 3600)
                  .c_str());
  std::printf("Value axis:       %s\n", AxisText(d.Axes().Value(), "units", 1.0f).c_str());
  std::printf("Temperature axis: %s\n", AxisText(d.Axes().Temp(), "degrees", 1.0f).c_str());
}

int RunInfo(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kInfoArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::string& path = a.Inputs[0];
  const TToolSettingsOptions options = a.Settings();
  if (const char* conflict = SettingsArgsConflict(options))
    return PrintVqrUsageError("info", conflict);
  const auto settings = LoadToolSettingsFor("info", options);
  if (!settings) return kExitOpenFailed;
  TVQRSession session(settings->Table.get());
  const TLoadStatus status = LoadRecording(session, path);
  if (a.Given("--json"))
    PrintJson(session, status == TLoadStatus::Ok);
  else if (status == TLoadStatus::Ok)
    PrintText(path, session);
  return static_cast<int>(status);
}

const bool registered =
    RegisterVqrCommand({"info",
                        "info FILE.DAT [--json] [--ini FILE] [--public FILE] [--defaults]\n"
                        "      (sample count, run parameters, calibration and axes)",
                        &RunInfo});
}  // namespace
