#pragma once
// Number texts for files, settings, labels and options: always "." as decimal
// point and never dependent on the C or C++ locale (the users run a German
// one, where strtod and printf would take and give ",").

#include <cstdint>
#include <string>
#include <string_view>

/// Appends the decimal text of value.
void AppendInt(std::string& out, int64_t value);
/// Appends value in fixed-point notation with the given decimals (0..20),
/// rounded from its exact binary value, halves to even.
void AppendFixed(std::string& out, double value, int decimals);
/// Appends text right-aligned in width by leading blanks; never cuts it.
void AppendPadded(std::string& out, const char* text, size_t len, int width);

/// The same, right-aligned in width (never cut).
void AppendPaddedFixed(std::string& out, double value, int decimals, int width);
void AppendPaddedInt(std::string& out, int64_t value, int width);

std::string IntText(int64_t value);
std::string FixedText(double value, int decimals);
/// Shortest text that reads back as exactly the same 32-bit float.
std::string ShortestFloatText(float value);

/// s without the leading and trailing characters listed in blanks.
std::string_view TrimmedText(std::string_view s, std::string_view blanks = " \t");
/// True for an empty text or one of blanks only.
inline bool IsBlank(std::string_view s) {
  return s.find_first_not_of(' ') == std::string_view::npos;
}

/// The whole text, blanks around it allowed, as a decimal integer with an
/// optional sign; false for anything else and outside the 32-bit range.
bool WholeIntFromText(std::string_view s, int32_t& value);
/// The whole text, blanks around it allowed, as a finite number with "." as
/// decimal point, an optional sign and an optional exponent; false otherwise.
bool WholeFloatFromText(std::string_view s, double& value);

/// The INI file's lenient readers: leading spaces, an optional "-", then as
/// many digits as follow (the integer wraps around like a 32-bit register;
/// the float takes "." and fraction digits, computed in extended precision).
/// Anything else ends the number; no digits give 0.
int32_t LeadingIntFromText(std::string_view s);
double LeadingDecimalFromText(std::string_view s);
