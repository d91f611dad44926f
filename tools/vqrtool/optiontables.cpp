// The options of every vqrtool command, as its usage in command.h's table
// shows them.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "data/equalizer.h"
#include "data/numtext.h"
#include "options.h"

namespace {

// Whole numbers between separators, as many as wanted; false for anything else.
bool Ints(std::string_view text, const char* separators, size_t count, TArgValue& value) {
  for (size_t k = 0; k < count; ++k) {
    const size_t end = k + 1 < count ? text.find_first_of(separators) : text.size();
    int32_t n = 0;
    if (end == std::string_view::npos || !WholeIntFromText(text.substr(0, end), n)) return false;
    value.Numbers.push_back(n);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return true;
}

bool IntIn(const std::string& text, TArgValue& value, int low, int high) {
  return Ints(text, "", 1, value) && value.Numbers[0] >= low && value.Numbers[0] <= high;
}

bool Window(const std::string& text, TArgValue& value, std::string&) {
  return IntIn(text, value, 1, 19) && value.Numbers[0] != 17;
}

bool WindowOrTemperature(const std::string& text, TArgValue& value, std::string&) {
  return IntIn(text, value, 1, 19);
}

bool Dpi(const std::string& text, TArgValue& value, std::string&) {
  return IntIn(text, value, 72, 2400);
}

bool Size(const std::string& text, TArgValue& value, std::string&) {
  return Ints(text, "xX", 2, value) &&
         std::ranges::all_of(value.Numbers, [](double n) { return n > 0 && n <= 20000; });
}

bool Zoom(const std::string& text, TArgValue& value, std::string&) {
  return Ints(text, ",", 4, value);
}

// One smoothing distance; one beyond the smoothing's limit is kept (the
// smoothing limits it, as it always did), with a note.
bool Smooth(const std::string& text, TArgValue& value, std::string& message) {
  if (!IntIn(text, value, kMinSmoothDistance, INT32_MAX)) {
    message = "--smooth takes a whole number of " + std::to_string(kMinSmoothDistance) +
              " or more, not " + text;
    return false;
  }
  if (value.Numbers[0] > kMaxSmoothDistance)
    message = "smoothing distance " + std::to_string(static_cast<int>(value.Numbers[0])) +
              " is taken as " + std::to_string(kMaxSmoothDistance);
  return true;
}

bool Hours(const std::string& text, TArgValue& value, std::string&) {
  double h = 0.0;
  if (!WholeFloatFromText(text, h)) return false;
  value.Numbers.push_back(h);
  return true;
}

// H or H,H2 in hours.
bool Cursor(const std::string& text, TArgValue& value, std::string& message) {
  const size_t comma = text.find(',');
  return Hours(text.substr(0, comma), value, message) &&
         (comma == std::string::npos || Hours(text.substr(comma + 1), value, message));
}

// The choice's place among names; anyCase: whatever the case of its ASCII letters.
bool Choice(const std::string& text, TArgValue& value, std::vector<std::string_view> names,
            bool anyCase = false) {
  std::string lower = text;
  for (char& c : lower)
    if (anyCase && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  const auto it = std::ranges::find(names, lower);
  if (it == names.end()) return false;
  value.Numbers.push_back(static_cast<double>(it - names.begin()));
  return true;
}

bool AsciiMode(const std::string& text, TArgValue& value, std::string&) {
  return Choice(text, value, {"cal", "raw", "params"});
}

bool Paper(const std::string& text, TArgValue& value, std::string&) {
  return Choice(text, value, {"a4", "a3", "letter"}, true);
}

std::vector<TArgOption> WithSettings(std::vector<TArgOption> options) {
  options.insert(options.end(), {{"--ini", TArgKind::Joined},
                                 {"--public", TArgKind::Joined},
                                 {"--defaults", TArgKind::Flag}});
  return options;
}

const TArgOption kOut{"-o"};
const TArgOption kSmooth{"--smooth", TArgKind::Value, &Smooth};
const TArgOption kCompare{"--compare", TArgKind::Files};
const TArgOption kZero{"--zero", TArgKind::Flag};

}  // namespace

const TArgTable kAsciiArgs{
    .Command = "ascii",
    .Options = WithSettings({kOut, {"--mode", TArgKind::Value, &AsciiMode, "unknown mode "}, kSmooth}),
};

const TArgTable kInfoArgs{
    .Command = "info",
    .Options = WithSettings({{"--json", TArgKind::Flag}}),
    .MaxInputs = 1,
    .NoInput = "",
    .Extra = "only one file, please",
    .Unknown = "unknown option '%s'",
    .DashIsOption = true,
};

const TArgTable kOverviewArgs{
    .Command = "overview",
    .Options = WithSettings({kOut,
                             {"--size", TArgKind::Value, &Size, "--size takes WxH, not "},
                             {"--curve", TArgKind::Flag}}),
    .MaxInputs = 1,
};

const TArgTable kPrintArgs{
    .Command = "print",
    .Options = WithSettings(
        {kOut,
         {"--printer"},
         {"--window", TArgKind::Value, &Window, "--window takes 1..16, 18 or 19, not "},
         {"--paper", TArgKind::Value, &Paper, "--paper takes A4, A3 or Letter, not "},
         {"--portrait", TArgKind::Flag, nullptr, "", "orientation"},
         {"--landscape", TArgKind::Flag, nullptr, "", "orientation"},
         {"--dpi", TArgKind::Value, &Dpi, "--dpi takes 72..2400, not "},
         kCompare}),
};

const TArgTable kRenderArgs{
    .Command = "render",
    .Options = WithSettings(
        {kOut,
         {"--window", TArgKind::Value, &Window, "--window takes 1..16, 18 or 19, not "},
         {"--size", TArgKind::Value, &Size, "--size takes WxH (1..20000), not "},
         kZero,
         kSmooth,
         {"--zoom", TArgKind::Value, &Zoom, "--zoom takes X1,Y1,X2,Y2 in divisions, not "},
         {"--cursor", TArgKind::Value, &Cursor, "--cursor takes H or H,H2 in hours, not "},
         kCompare}),
    .MaxInputs = 1,
};

const TArgTable kSettingsArgs{
    .Command = "settings",
    .Options = WithSettings({}),
    .MaxInputs = 0,
    .NoInput = nullptr,
    .Extra = "unexpected argument '%s'",
    .Unknown = "unexpected argument '%s'",
    .Missing = "unexpected argument '%s'",
};

const TArgTable kStatsArgs{
    .Command = "stats",
    .Options = WithSettings(
        {{"--from", TArgKind::Value, &Hours, "--from takes hours, not "},
         {"--to", TArgKind::Value, &Hours, "--to takes hours, not "},
         {"--window", TArgKind::Value, &WindowOrTemperature,
          "--window takes 1..16, 17 (temperature), 18 or 19, not "},
         kZero,
         kSmooth,
         {"--json", TArgKind::Flag},
         {"--csv", TArgKind::Flag},
         kCompare}),
    .MaxInputs = 1,
};

const TArgTable kXlsxArgs{
    .Command = "xlsx",
    .Options = WithSettings({kOut,
                             {"--sheet"},
                             {"--calc", TArgKind::Flag},
                             {"--workbook"},
                             {"--new-sheet"},
                             {"--new-workbook", TArgKind::Flag}}),
};
