// The options of every vqrtool command, as the command's usage shows them.
#include <algorithm>
#include <cstdint>
#include <string_view>

#include "data/equalizer.h"
#include "data/numtext.h"
#include "options.h"

namespace {

// count whole numbers, each up to one of the separators, the last one to the
// end; false for anything else.
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

template <int Low, int High, int Not = Low - 1>
bool IntIn(const std::string& text, TArgValue& value, std::string&) {
  if (!Ints(text, "", 1, value)) return false;
  const double n = value.Numbers[0];
  return n >= Low && n <= High && n != Not;
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
  if (!IntIn<kMinSmoothDistance, INT32_MAX>(text, value, message)) {
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

// LO,HI: two different numbers, in either order.
bool Pair(const std::string& text, TArgValue& value, std::string& message) {
  const size_t comma = text.find(',');
  return comma != std::string::npos && Hours(text.substr(0, comma), value, message) &&
         Hours(text.substr(comma + 1), value, message) && value.Numbers[0] != value.Numbers[1];
}

constexpr std::string_view kModes[] = {"cal", "raw", "params"};
constexpr std::string_view kPapers[] = {"a4", "a3", "letter"};

// The place of the choice among Names; AnyCase: whatever the case of its ASCII letters.
template <const std::string_view (&Names)[3], bool AnyCase>
bool Choice(const std::string& text, TArgValue& value, std::string&) {
  std::string name = text;
  for (char& c : name)
    if (AnyCase && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  const auto it = std::ranges::find(Names, name);
  if (it != std::end(Names)) value.Numbers.push_back(static_cast<double>(it - Names));
  return it != std::end(Names);
}

std::vector<TArgOption> WithSettings(std::vector<TArgOption> options) {
  options.insert(options.end(), {{"--ini", TArgKind::Joined},
                                 {"--public", TArgKind::Joined},
                                 {"--defaults", TArgKind::Flag}});
  return options;
}

const TArgOption kOut{"-o"}, kZero{"--zero", TArgKind::Flag},
    kSmooth{"--smooth", TArgKind::Value, &Smooth}, kCompare{"--compare", TArgKind::Files};
const TArgOption kRange{"--range", TArgKind::Value, &Pair,
                        "--range takes T1,T2 in hours (two different numbers), not "},
    kValues{"--values", TArgKind::Value, &Pair,
            "--values takes LO,HI (two different numbers), not "},
    kTemps{"--temps", TArgKind::Value, &Pair, "--temps takes LO,HI (two different numbers), not "};
const TArgOption kWindow{"--window", TArgKind::Value, &IntIn<1, 19, 17>,
                         "--window takes 1..16, 18 or 19, not "};

}  // namespace

const TArgTable kAsciiArgs{
    "ascii",
    WithSettings(
        {kOut, {"--mode", TArgKind::Value, &Choice<kModes, false>, "unknown mode "}, kSmooth})};

const TArgTable kInfoArgs{.Command = "info",
                          .Options = WithSettings({{"--json", TArgKind::Flag}}),
                          .MaxInputs = 1,
                          .NoInput = "",
                          .Extra = "only one file, please",
                          .Unknown = "unknown option '%s'",
                          .DashIsOption = true};

const TArgTable kOverviewArgs{
    .Command = "overview",
    .Options = WithSettings({kOut,
                             {"--size", TArgKind::Value, &Size, "--size takes WxH, not "},
                             {"--curve", TArgKind::Flag}}),
    .MaxInputs = 1};

const TArgTable kPrintArgs{
    "print",
    WithSettings({kOut,
                  {"--printer"},
                  kWindow,
                  {"--paper", TArgKind::Value, &Choice<kPapers, true>,
                   "--paper takes A4, A3 or Letter, not "},
                  {"--portrait", TArgKind::Flag, nullptr, "", "orientation"},
                  {"--landscape", TArgKind::Flag, nullptr, "", "orientation"},
                  {"--dpi", TArgKind::Value, &IntIn<72, 2400>, "--dpi takes 72..2400, not "},
                  kRange,
                  kValues,
                  kTemps,
                  kCompare})};

const TArgTable kRenderArgs{
    .Command = "render",
    .Options = WithSettings(
        {kOut,
         kWindow,
         {"--size", TArgKind::Value, &Size, "--size takes WxH (1..20000), not "},
         kZero,
         kSmooth,
         {"--zoom", TArgKind::Value, &Zoom, "--zoom takes X1,Y1,X2,Y2 in divisions, not "},
         {"--cursor", TArgKind::Value, &Cursor, "--cursor takes H or H,H2 in hours, not "},
         kRange,
         kValues,
         kTemps,
         kCompare}),
    .MaxInputs = 1};

const TArgTable kSettingsArgs{.Command = "settings",
                              .Options = WithSettings({}),
                              .MaxInputs = 0,
                              .NoInput = nullptr,
                              .Extra = "unexpected argument '%s'",
                              .Unknown = "unexpected argument '%s'",
                              .Missing = "unexpected argument '%s'"};

const TArgTable kStatsArgs{
    .Command = "stats",
    .Options = WithSettings({{"--from", TArgKind::Value, &Hours, "--from takes hours, not "},
                             {"--to", TArgKind::Value, &Hours, "--to takes hours, not "},
                             {"--window", TArgKind::Value, &IntIn<1, 19>,
                              "--window takes 1..16, 17 (temperature), 18 or 19, not "},
                             kZero,
                             kSmooth,
                             {"--json", TArgKind::Flag},
                             {"--csv", TArgKind::Flag},
                             kCompare}),
    .MaxInputs = 1};

const TArgTable kXlsxArgs{"xlsx", WithSettings({kOut,
                                                {"--sheet"},
                                                {"--calc", TArgKind::Flag},
                                                {"--workbook"},
                                                {"--new-sheet"},
                                                {"--new-workbook", TArgKind::Flag}})};
