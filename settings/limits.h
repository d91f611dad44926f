#pragma once
// Limits of the curves: per channel (1..16) and for the temperature (17) an
// optional lower and upper limit, in the values the diagram draws (user factor
// applied, zero point as drawn). Stored in section Limits as Lower1..Lower17
// and Upper1..Upper17; a blank key is no limit.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "data/vqrtypes.h"

class TVQRShowSettings;

/// A set of limits as a plain value: element 0 is unused.
struct TVQRLimits {
  std::array<std::optional<double>, kTempChannel + 1> Lower{};
  std::array<std::optional<double>, kTempChannel + 1> Upper{};

  /// Whether channel ch (1..17) has a lower or an upper limit.
  bool Has(int ch) const;
  /// Whether any channel has a limit.
  bool Any() const;
  bool operator==(const TVQRLimits&) const = default;
};

/// A limit as written in the settings: blank is none; "." or a single ","
/// is the decimal point, whatever the locale; anything else (or a value that
/// is not finite) is no limit either.
std::optional<double> LimitFromText(std::string_view text);
/// The text a limit is stored as: the shortest that reads back exactly, "."
/// as decimal point; empty for none.
std::string LimitText(std::optional<double> limit);
/// What a limit field gives back: its text read and written again, so a
/// field shows and the INI file keeps "1.5" for "1,5" and blank for nonsense.
std::string LimitFieldText(const std::string& shown);

/// The limits the settings hold (section Limits).
TVQRLimits LimitsFromSettings(const TVQRShowSettings& settings);
