#pragma once
// The program's settings table: every persistent setting with its section,
// key, default and control, and the transfer rules that hand settings to the
// core (the diagram's transfers are in chart/diagramsettings.h).

#include <cstdint>
#include <string>

#include "data/vqrtypes.h"
#include "settings/control.h"
#include "settings/settingvalue.h"

class TZTIniClass;

class TVQRShowSettings : public TZTIniSettingTable {
 public:
  /// Creates all settings in file order; controls (may be null) supplies the
  /// page controls by object name.
  TVQRShowSettings(TZTIniClass* ini, IZTControlProvider* controls);

  /// Axis1/MaxHour and Axis2/UserFactor, needed before a recording is decoded.
  void TakeAxisScaling(TAxisScaling& scaling);
  /// These take their controls into the store; read them with the getters.
  void TakeLogoAndBackground();
  void TakeAsciiExport();
  void TakeEqualizer();
  void TakeExcel();

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

  // Transfer rules: the control's value goes into the store first; a zero or
  // blank setting leaves the target as it is.
  void TakeText(Setting s, int i, std::string& target);
  void TakeInteger(Setting s, int i, int32_t& target);
  /// Millimetres of the settings into page units (0.1 mm).
  void TakeLength(Setting s, int i, int32_t& target);
  void TakeFloat(Setting s, int i, float& target);
  void TakeBool(Setting s, int i, bool& target);

  /// Millimetres in page units (0.1 mm), wrapped like the 32-bit original.
  static int32_t PageUnits(int32_t mm);
};
