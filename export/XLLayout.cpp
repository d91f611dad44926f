#include "export/XLLayout.h"

#include <algorithm>

#include "data/numtext.h"
#include "settings/settings.h"

namespace {
std::string FormatOrDefault(const std::string& format, const char* fallback) {
  return IsBlank(format) ? std::string(fallback) : format;
}
}  // namespace

TXLLayout XLLayoutFromSettings(const TVQRShowSettings& s) {
  TXLLayout l;
  l.WriteHeader = s.ExcelCalSetHeader->GetBool(1);
  l.HeaderRow = std::max<int32_t>(s.ExcelCalHeaderRow->GetInteger(1), 1);
  l.DataRow = std::max<int32_t>(s.ExcelCalDataRow->GetInteger(1), 1);
  if (l.WriteHeader && l.DataRow <= l.HeaderRow) l.DataRow = l.HeaderRow + 1;
  l.DataCol = std::max<int32_t>(s.ExcelCalDataCol->GetInteger(1), 1);
  l.Reformat = s.ExcelCalNewFormat->GetBool(1);
  if (l.Reformat) {
    l.TimeFormat = FormatOrDefault(s.ExcelCalFormatTime->GetString(1), "[h]:mm:ss");
    l.ChannelFormat = FormatOrDefault(s.ExcelCalFormatChannel->GetString(1), "0,0000");
    l.TempFormat = FormatOrDefault(s.ExcelCalFormatTemp->GetString(1), "0,0");
  }
  return l;
}
