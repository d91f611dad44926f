#pragma once
// Number texts for files, labels and metadata: always "." as decimal point and
// never dependent on the C or C++ locale.

#include <cstdint>
#include <string>

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
