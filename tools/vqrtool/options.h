#pragma once
// vqrtool's command lines: every command declares its options in a table
// (optiontables.cpp), and one parser reads any command line by its table.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "settings/readonlysettings.h"

/// One option as given: its text, and the numbers its check made of it.
struct TArgValue {
  std::string Text;
  std::vector<double> Numbers;
};

/// Checks and converts an option's value into value.Numbers. False rejects
/// it; the usage error is message when set, else the option's Error and the
/// text. A message on success is a note on stderr, and the value is taken.
using TArgCheck = bool (*)(const std::string& text, TArgValue& value, std::string& message);

enum class TArgKind {
  Flag,    // --zero
  Value,   // --window N
  Joined,  // --ini FILE, also as --ini=FILE
  Files,   // --compare B.DAT C.DAT: the recordings up to the next option
};

struct TArgOption {
  const char* Name;
  TArgKind Kind = TArgKind::Value;
  TArgCheck Check = nullptr;  // none: any text
  const char* Error = "";     // the usage error, before the rejected value
  const char* Key = nullptr;  // where the value is kept; under its name when null
};

/// A command's options and inputs. The texts are usage errors, "%s" in them
/// the argument.
struct TArgTable {
  const char* Command;
  std::vector<TArgOption> Options;
  size_t MaxInputs = SIZE_MAX;            // 0 or 1 limit the input files
  const char* NoInput = "no input file";  // null: none needed; "": just the usage
  const char* Extra = "more than one input file: %s";
  const char* Unknown = "unknown option %s";
  const char* Missing = "missing value after %s";
  bool DashIsOption = false;  // "-" alone is an unknown option rather than a file
};

/// A command line as its table read it.
struct TArgs {
  int Status = 0;        // 0, or kExitUsage
  std::string Messages;  // for stderr: the notes, then the usage error
  std::vector<std::string> Inputs;
  std::map<std::string, std::vector<TArgValue>> Values;  // by key, in the given order

  /// Every value given, in order.
  const std::vector<TArgValue>& All(const std::string& key) const;
  bool Given(const std::string& key) const { return !All(key).empty(); }
  /// Of the last value given.
  std::string Text(const std::string& key, const std::string& fallback = "") const {
    return Given(key) ? All(key).back().Text : fallback;
  }
  int Int(const std::string& key, int fallback) const {
    return Given(key) ? static_cast<int>(All(key).back().Numbers.at(0)) : fallback;
  }
  template <class T = double>
  std::vector<T> Numbers(const std::string& key) const {
    std::vector<T> numbers;
    if (Given(key))
      for (double n : All(key).back().Numbers) numbers.push_back(static_cast<T>(n));
    return numbers;
  }
  /// Of every value given.
  std::vector<std::string> Texts(const std::string& key) const;
  std::vector<int> EachInt(const std::string& key) const;
  TToolSettingsOptions Settings() const;
};

TArgs ParseArgs(const TArgTable& table, const std::vector<std::string>& args);

/// Says args.Messages on stderr; true when the command line was good.
bool ArgsTaken(const TArgs& args);

// The tables of the commands.
extern const TArgTable kAsciiArgs, kInfoArgs, kOverviewArgs, kPrintArgs, kRenderArgs, kSettingsArgs,
    kStatsArgs, kXlsxArgs, kCheckArgs;
