#pragma once
// The program's settings table, made from the settings rows
// (settings/settingrows.h), and the transfer rules that hand stored settings
// to the core (the diagram's transfers are in chart/diagramsettings.h).

#include <cstdint>
#include <string>
#include <vector>

#include "data/vqrtypes.h"
#include "settings/settingrows.h"
#include "settings/settingvalue.h"

class TZTIniClass;

class TVQRShowSettings : public TZTIniSettingTable {
 public:
  /// Creates a setting for every row, in row order, over ini (may be null:
  /// built-in values).
  explicit TVQRShowSettings(TZTIniClass* ini);

  struct TRowSetting {
    TZTiniSettingValue* Setting;
    TSettingRow Row;
  };
  /// Every setting with the row it was made from, in file order.
  const std::vector<TRowSetting>& Rows() const { return rows_; }
  /// The setting of a row's section and key, or null.
  TZTiniSettingValue* Find(const std::string& section, const std::string& key) const;

  /// Axis1/MaxHour and Axis2/UserFactor, needed before a recording is decoded.
  void TakeAxisScaling(TAxisScaling& scaling) const;

  using Setting = TZTiniSettingValue*;

  Setting RawFileRemember, RawFileLastFile, RawFileStartDir;
  Setting DataFileRemember, DataFileLastFile, DataFileLikeRawFile, DataFileStartDir;
  Setting AsciiFileCalibrated, AsciiFileRaw, AsciiFileCalParams;
  Setting EqualizerDistance;
  Setting OverviewWindowPosition, OverviewWindowFillPixel;
  Setting SingleWindowPosition, SingleWindowAllEqual, SingleWindowColorCh, SingleWindowPenCh;
  Setting CombiWindow1VisibleCh, CombiWindow1ColorCh, CombiWindow1PenCh;
  Setting CombiWindow2VisibleCh, CombiWindow2ColorCh, CombiWindow2PenCh;
  // Sections Axis1..Axis3, value 1 = X, 2 = Y, 3 = T.
  Setting AxisColor, AxisPen, AxisTicColor, AxisTicPen, AxisStartX, AxisStartY, AxisLength,
      AxisTicLength, AxisLabelOffset, AxisUnitOffset, AxisUnitText1, AxisUnitText2, AxisLabelColor,
      AxisLabelSize, AxisLabelFont;
  Setting Axis1MaxHour, Axis2UserFactor;
  Setting LegendStartX, LegendStartY, LegendStepX, LegendStepY, LegendLength, LegendNumberOffset,
      LegendLabelColor, LegendLabelSize, LegendFont, LegendTitle, LegendTempChannel;
  Setting DiagramBorderLeft, DiagramBorderTop, DiagramBorderRight, DiagramBorderBottom,
      DiagramDataStartX, DiagramDataStartY, DiagramGridColor, DiagramGridPen, DiagramGridStyle;
  /// The time axis of a comparison: from each recording's start (false) or by the clock.
  Setting DiagramTimeOfDay;
  Setting PrinterAlwaysVert, PrinterAlwaysHorz, PrinterAllBlack, PrinterPreview;
  Setting PrinterVertFixedFactorX, PrinterVertFixedFactorY, PrinterVertMinYtoX, PrinterVertMaxYtoX;
  Setting PrinterHorzFixedFactorX, PrinterHorzFixedFactorY, PrinterHorzMinYtoX, PrinterHorzMaxYtoX;
  Setting PrinterBackGround1, PrinterBackGround2;
  Setting LogoFile, LogoStartX, LogoStartY, LogoScale;
  Setting ExcelCalPosition, ExcelCalWorkBook, ExcelCalNewWorkBook, ExcelCalTemplate,
      ExcelCalTabSheet, ExcelCalNewTabSheet, ExcelCalSetHeader, ExcelCalHeaderRow, ExcelCalDataRow,
      ExcelCalDataCol, ExcelCalNewFormat, ExcelCalFormatTime, ExcelCalFormatChannel,
      ExcelCalFormatTemp;

  // Transfer rules from the stored value: a zero or blank setting leaves the
  // target as it is.
  static void TakeText(Setting s, int i, std::string& target);
  static void TakeInteger(Setting s, int i, int32_t& target);
  /// Millimetres of the settings into page units (0.1 mm).
  static void TakeLength(Setting s, int i, int32_t& target);
  static void TakeFloat(Setting s, int i, float& target);
  static void TakeBool(Setting s, int i, bool& target);

  /// Millimetres in page units (0.1 mm), wrapped like the 32-bit original.
  static int32_t PageUnits(int32_t mm);

 private:
  std::vector<TRowSetting> rows_;
};
