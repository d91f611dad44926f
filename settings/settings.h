#pragma once
// The program's settings table: every persistent setting with its section,
// key, default and control, and the transfers that hand settings to the
// diagram, printing and export code.

#include <cstdint>

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
  void TakeAxisScaling(TDiagramLayout& layout);
  /// Every diagram setting; zero and blank settings leave the layout's value.
  void TakeDiagramLayout(TDiagramLayout& layout);
  /// Channel window pens 1..16 of pens[1..17]; returns 1.
  int TakeSinglePens(TPenRec* pens);
  int TakeSinglePens(TChannelPens& pens) { return TakeSinglePens(pens.data()); }
  /// Pens and visibility 1..17 of a combination; returns the visible count.
  int TakeCombiPens1(TPenRec* pens);
  int TakeCombiPens1(TChannelPens& pens) { return TakeCombiPens1(pens.data()); }
  int TakeCombiPens2(TPenRec* pens);
  int TakeCombiPens2(TChannelPens& pens) { return TakeCombiPens2(pens.data()); }
  void TakePrinterSettings(TPrintOptions& options);
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
  Setting PrinterAlwaysVert, PrinterAlwaysHorz, PrinterAllBlack, PrinterPreview;
  Setting PrinterVertFixedFactorX, PrinterVertFixedFactorY, PrinterVertMinYtoX, PrinterVertMaxYtoX;
  Setting PrinterHorzFixedFactorX, PrinterHorzFixedFactorY, PrinterHorzMinYtoX, PrinterHorzMaxYtoX;
  Setting PrinterBackGround1, PrinterBackGround2;
  Setting LogoFile, LogoStartX, LogoStartY, LogoScale;
  Setting ExcelCalPosition, ExcelCalWorkBook, ExcelCalNewWorkBook, ExcelCalTemplate,
      ExcelCalTabSheet, ExcelCalNewTabSheet, ExcelCalSetHeader, ExcelCalHeaderRow, ExcelCalDataRow,
      ExcelCalDataCol, ExcelCalNewFormat, ExcelCalFormatTime, ExcelCalFormatChannel,
      ExcelCalFormatTemp;

 private:
  void TakeAxis(int i, TAxisLayout& axis, bool withUnitText2);
  void TakePen(Setting pen, Setting color, int i, Setting visible, TPenRec& target);
  void TakeFont(Setting font, Setting color, int i, Setting size, TFontRec& target);
  void TakeText(Setting s, int i, std::string& target);
  void TakeInteger(Setting s, int i, int32_t& target);
  void TakeLength(Setting s, int i, int32_t& target);
  void TakeFloat(Setting s, int i, float& target);
  void TakeBool(Setting s, int i, bool& target);
  int TakeCombiPens(Setting visible, Setting color, Setting pen, TPenRec* pens);
};
