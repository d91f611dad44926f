#pragma once
// Where and how an export puts the samples into a worksheet, from the
// settings of section ExcelCal.

#include <cstdint>
#include <string>

class TVQRShowSettings;

struct TXLLayout {
  bool WriteHeader = false;
  int32_t HeaderRow = 1;
  int32_t DataRow = 1;  // first sample
  int32_t DataCol = 1;  // time; channels 1..16 and the temperature to its right
  bool Reformat = false;
  std::string TimeFormat, ChannelFormat, TempFormat;  // empty unless Reformat
};

/// Rows and columns at least 1, data below a header; the formats only with
/// NewFormat, blank ones replaced by "[h]:mm:ss", "0,0000" and "0,0".
TXLLayout XLLayoutFromSettings(const TVQRShowSettings& settings);
