#include "settings/settings.h"

#include <string>
#include <vector>

#include "data/numtext.h"
#include "settings/inifile.h"

namespace {

using Controls = TZTiniSettingValue::Controls;

}  // namespace

TVQRShowSettings::TVQRShowSettings(TZTIniClass* ini, IZTControlProvider* controls)
    : TZTIniSettingTable(ini) {
  auto c = [controls](const std::string& name) -> IZTControl* {
    return controls ? controls->FindControl(name) : nullptr;
  };
  auto one = [&](const std::string& name) { return Controls{c(name)}; };
  // Controls of a channel list: prefix + n + suffix, channel 17 is "T".
  auto channels = [&](const std::string& prefix, const std::string& suffix, int count) {
    Controls list;
    for (int n = 1; n <= count; ++n)
      list.push_back(c(prefix + (n == 17 ? std::string("T") : std::to_string(n)) + suffix));
    return list;
  };
  // Controls of the three axes: prefix + X/Y/T + suffix.
  auto axes = [&](const std::string& prefix, const std::string& suffix) {
    return Controls{c(prefix + "X" + suffix), c(prefix + "Y" + suffix), c(prefix + "T" + suffix)};
  };
  using V = TZTiniSettingValue;

  RawFileRemember =
      V::CreateBool(1, "RawFile", "Remember", false, one("CB_RawFile_Remember"), this);
  RawFileLastFile = V::CreateString(1, "RawFile", "LastFile", "", {}, this);
  RawFileStartDir = V::CreateString(1, "RawFile", "StartDir", "", one("Ed_RawDir"), this);

  DataFileRemember =
      V::CreateBool(1, "DataFile", "Remember", false, one("CB_Datafile_Remember"), this);
  DataFileLastFile = V::CreateString(1, "DataFile", "LastFile", "", {}, this);
  DataFileLikeRawFile =
      V::CreateBool(1, "DataFile", "LikeRawFile", false, one("CB_DataLikeRaw"), this);
  DataFileStartDir = V::CreateString(1, "DataFile", "StartDir", "", one("Ed_DataDir"), this);

  AsciiFileCalibrated =
      V::CreateBool(1, "AsciiFile", "Calibrated", false, one("RB_ASC_CData"), this);
  AsciiFileRaw = V::CreateBool(1, "AsciiFile", "Raw", false, one("RB_ASC_RData"), this);
  AsciiFileCalParams =
      V::CreateBool(1, "AsciiFile", "CalParams", false, one("RB_ASC_CParams"), this);

  EqualizerDistance = V::CreateInteger(1, "Equalizer", "Distance", 1, one("Ed_Equal_Dist"), this);

  OverviewWindowPosition = V::CreatePosition(true, "OverviewWindow", "Position", this);
  OverviewWindowFillPixel = V::CreateBool(1, "OverviewWindow", "FillPixel", false, {}, this);

  SingleWindowPosition = V::CreatePosition(true, "SingleWindow", "Position", this);
  SingleWindowAllEqual =
      V::CreateBool(1, "SingleWindow", "AllEqual", false, one("CB_Single_AllEqual"), this);
  SingleWindowColorCh =
      V::CreateColor(16, "SingleWindow", "ColorCh", 0, channels("Ed_SingleCh", "Col", 16), this);
  SingleWindowPenCh =
      V::CreatePen(16, "SingleWindow", "PenCh", 1, channels("Ed_SingleCh", "Pen", 16), this, 0);

  auto combi = [&](const std::string& n, Setting& visible, Setting& color, Setting& pen) {
    const std::string section = "CombiWindow" + n;
    visible = V::CreateBool(17, section, "VisibleCh", false,
                            channels("CB_Combi" + n + "Ch", "", 17), this);
    color =
        V::CreateColor(17, section, "ColorCh", 0, channels("Ed_Combi" + n + "Ch", "Col", 17), this);
    pen =
        V::CreatePen(17, section, "PenCh", 1, channels("Ed_Combi" + n + "Ch", "Pen", 17), this, 0);
  };
  combi("1", CombiWindow1VisibleCh, CombiWindow1ColorCh, CombiWindow1PenCh);
  combi("2", CombiWindow2VisibleCh, CombiWindow2ColorCh, CombiWindow2PenCh);

  AxisColor = V::CreateColor(-3, "Axis", "Color", 0, axes("Ed_", "AxisColor"), this);
  // The layout pens default to width 0, "keep the built-in width": a set width
  // reaches the drawing times ten, so a default of 0.1 mm would draw 1 mm lines.
  AxisPen = V::CreatePen(-3, "Axis", "Pen", 0, axes("Ed_", "AxisPen"), this, 0);
  AxisTicColor = V::CreateColor(-3, "Axis", "TicColor", 0, axes("Ed_", "TicColor"), this);
  AxisTicPen = V::CreatePen(-3, "Axis", "TicPen", 0, axes("Ed_", "TicPen"), this, 0);
  AxisStartX = V::CreateInteger(-3, "Axis", "StartX", 0, axes("Ed_", "AxisX"), this);
  AxisStartY = V::CreateInteger(-3, "Axis", "StartY", 0, axes("Ed_", "AxisY"), this);
  AxisLength = V::CreateInteger(-3, "Axis", "Length", 0, axes("Ed_", "AxisL"), this);
  AxisTicLength = V::CreateInteger(-3, "Axis", "TicLength", 0, axes("Ed_", "TicL"), this);
  AxisLabelOffset =
      V::CreateInteger(-3, "Axis", "LabelOffset", 0, axes("Ed_", "LabelOffset"), this);
  AxisUnitOffset = V::CreateInteger(-3, "Axis", "UnitOffset", 0, axes("Ed_", "UnitOffset"), this);
  AxisUnitText1 = V::CreateString(-3, "Axis", "UnitText1", "",
                                  {c("Ed_XUnitLo"), c("Ed_YUnit"), c("Ed_TUnit")}, this);
  AxisUnitText2 = V::CreateString(-3, "Axis", "UnitText2", "", {c("Ed_XUnitHi")}, this);
  AxisLabelColor = V::CreateColor(-3, "Axis", "LabelColor", 0, axes("Ed_", "LabelColor"), this);
  AxisLabelSize = V::CreateInteger(-3, "Axis", "LabelSize", 0, axes("Ed_", "LabelSize"), this);
  AxisLabelFont = V::CreateFont(-3, "Axis", "LabelFont", "", axes("Ed_", "LabelFont"), this);

  Axis1MaxHour = V::CreateInteger(1, "Axis1", "MaxHour", 0, one("Ed_HourMax"), this);
  Axis2UserFactor = V::CreateFloat(1, "Axis2", "UserFactor", 0.0, one("Ed_YFactor"), this, 6);

  LegendStartX = V::CreateInteger(1, "Legend", "StartX", 0, one("Ed_FirstLegendX"), this);
  LegendStartY = V::CreateInteger(1, "Legend", "StartY", 0, one("Ed_FirstLegendY"), this);
  LegendStepX = V::CreateInteger(1, "Legend", "StepX", 0, one("Ed_StepLegendX"), this);
  LegendStepY = V::CreateInteger(1, "Legend", "StepY", 0, one("Ed_StepLegendY"), this);
  LegendLength = V::CreateInteger(1, "Legend", "Length", 0, one("Ed_LegendLength"), this);
  LegendNumberOffset =
      V::CreateInteger(1, "Legend", "NumberOffset", 0, one("Ed_LegendOffset"), this);
  LegendLabelColor = V::CreateColor(1, "Legend", "LabelColor", 0, one("Ed_LegendColor"), this);
  LegendLabelSize = V::CreateInteger(1, "Legend", "LabelSize", 0, one("Ed_LegendSize"), this);
  LegendFont = V::CreateFont(1, "Legend", "Font", "", one("Ed_LegendFont"), this);
  LegendTitle = V::CreateString(1, "Legend", "Title", "", one("Ed_Legend"), this);
  LegendTempChannel = V::CreateString(1, "Legend", "TempChannel", "", one("Ed_LegendT"), this);

  DiagramBorderLeft = V::CreateInteger(1, "Diagram", "BorderLeft", 0, one("Ed_BorderL"), this);
  DiagramBorderTop = V::CreateInteger(1, "Diagram", "BorderTop", 0, one("Ed_BorderT"), this);
  DiagramBorderRight = V::CreateInteger(1, "Diagram", "BorderRight", 0, one("Ed_BorderR"), this);
  DiagramBorderBottom = V::CreateInteger(1, "Diagram", "BorderBottom", 0, one("Ed_BorderB"), this);
  DiagramDataStartX = V::CreateInteger(1, "Diagram", "DataStartX", 0, one("Ed_DataStartX"), this);
  DiagramDataStartY = V::CreateInteger(1, "Diagram", "DataStartY", 0, one("Ed_DataStartY"), this);
  DiagramGridColor = V::CreateColor(1, "Diagram", "GridColor", 0, one("Ed_GridColor"), this);
  DiagramGridPen = V::CreatePen(1, "Diagram", "GridPen", 0, one("Ed_GridPen"), this, 0);
  DiagramGridStyle = V::CreateInteger(1, "Diagram", "GridStyle", 0, one("Ed_GridStyle"), this);
  DiagramTimeOfDay = V::CreateBool(1, "Diagram", "TimeOfDay", false, one("RB_TimeOfDay"), this);

  PrinterAlwaysVert =
      V::CreateBool(1, "Printer", "AlwaysVert", false, one("RB_Pr_FixPortrait"), this);
  PrinterAlwaysHorz =
      V::CreateBool(1, "Printer", "AlwaysHorz", false, one("RB_Pr_FixLandscape"), this);
  PrinterAllBlack = V::CreateBool(1, "Printer", "AllBlack", false, one("CB_Pr_AllBlack"), this);
  PrinterPreview = V::CreateBool(1, "Printer", "Preview", false, one("CB_Pr_Preview"), this);

  auto factors = [&](const std::string& section, const std::string& p, Setting& fx, Setting& fy,
                     Setting& mn, Setting& mx) {
    fx = V::CreateFloat(1, section, "FixedFactorX", 0.0, one("Ed_" + p + "_FactorX"), this, 3);
    fy = V::CreateFloat(1, section, "FixedFactorY", 0.0, one("Ed_" + p + "_FactorY"), this, 3);
    mn = V::CreateFloat(1, section, "MinYtoX", 0.0, one("Ed_" + p + "_YtoXmin"), this, 3);
    mx = V::CreateFloat(1, section, "MaxYtoX", 0.0, one("Ed_" + p + "_YtoXmax"), this, 3);
  };
  factors("PrinterVert", "PrV", PrinterVertFixedFactorX, PrinterVertFixedFactorY,
          PrinterVertMinYtoX, PrinterVertMaxYtoX);
  factors("PrinterHorz", "PrH", PrinterHorzFixedFactorX, PrinterHorzFixedFactorY,
          PrinterHorzMinYtoX, PrinterHorzMaxYtoX);

  PrinterBackGround1 =
      V::CreateString(1, "Printer", "BackGround1", "", one("Ed_PrinterPaper1"), this);
  PrinterBackGround2 =
      V::CreateString(1, "Printer", "BackGround2", "", one("Ed_PrinterPaper2"), this);

  LogoFile = V::CreateString(1, "Logo", "File", "", one("Ed_LogoFile"), this);
  LogoStartX = V::CreateInteger(1, "Logo", "StartX", 0, one("Ed_LogoX"), this);
  LogoStartY = V::CreateInteger(1, "Logo", "StartY", 0, one("Ed_LogoY"), this);
  LogoScale = V::CreateFloat(1, "Logo", "Scale", 0.0, one("Ed_LogoScale"), this, 3);

  const std::string xl = "ExcelCal";
  ExcelCalPosition = V::CreatePosition(false, xl, "Position", this);
  ExcelCalWorkBook = V::CreateString(1, xl, "WorkBook", "", one("Ed_XLCal_Workbook"), this);
  ExcelCalNewWorkBook = V::CreateBool(1, xl, "NewWorkBook", false, one("CB_XLCal_WBNew"), this);
  ExcelCalTemplate = V::CreateString(1, xl, "Template", "", one("Ed_XLCal_Template"), this);
  ExcelCalTabSheet =
      V::CreateString(1, xl, "TabSheet", "VQR Daten", one("Ed_XLCal_TabSheet"), this);
  ExcelCalNewTabSheet = V::CreateBool(1, xl, "NewTabSheet", false, one("CB_XLCal_TSNew"), this);
  ExcelCalSetHeader = V::CreateBool(1, xl, "SetHeader", false, one("CB_XLCal_Header"), this);
  ExcelCalHeaderRow = V::CreateInteger(1, xl, "HeaderRow", 0, one("Ed_XLCal_HeaderRow"), this);
  ExcelCalDataRow = V::CreateInteger(1, xl, "DataRow", 0, one("Ed_XLCal_DataRow"), this);
  ExcelCalDataCol = V::CreateInteger(1, xl, "DataCol", 0, one("Ed_XLCal_DataCol"), this);
  ExcelCalNewFormat = V::CreateBool(1, xl, "NewFormat", false, one("CB_XLCal_newFormat"), this);
  ExcelCalFormatTime = V::CreateString(1, xl, "FormatTime", "", one("Ed_XLCal_FormatTime"), this);
  ExcelCalFormatChannel =
      V::CreateString(1, xl, "FormatChannel", "", one("Ed_XLCal_FormatChannel"), this);
  ExcelCalFormatTemp = V::CreateString(1, xl, "FormatTemp", "", one("Ed_XLCal_FormatTemp"), this);
}

// ------------------------------------------------------------ transfer rules

int32_t TVQRShowSettings::PageUnits(int32_t mm) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(mm) * 10));
}

void TVQRShowSettings::TakeText(Setting s, int i, std::string& target) {
  s->Save(i, kSaveFromControl);
  const std::string text = s->GetString(i);
  if (!IsBlank(text)) target = Utf8Left(text, 32);
}

void TVQRShowSettings::TakeInteger(Setting s, int i, int32_t& target) {
  s->Save(i, kSaveFromControl);
  if (const int32_t v = s->GetInteger(i); v != 0) target = v;
}

void TVQRShowSettings::TakeLength(Setting s, int i, int32_t& target) {
  s->Save(i, kSaveFromControl);
  if (const int32_t v = s->GetInteger(i); v != 0) target = PageUnits(v);
}

void TVQRShowSettings::TakeFloat(Setting s, int i, float& target) {
  s->Save(i, kSaveFromControl);
  if (const double v = s->GetFloat(i); v != 0.0) target = static_cast<float>(v);
}

void TVQRShowSettings::TakeBool(Setting s, int i, bool& target) {
  s->Save(i, kSaveFromControl);
  target = s->GetBool(i);
}

// --------------------------------------------------------------- transfers

void TVQRShowSettings::TakeAxisScaling(TAxisScaling& scaling) {
  TakeInteger(Axis1MaxHour, 1, scaling.MaxHour);
  TakeFloat(Axis2UserFactor, 1, scaling.UserFactor);
}

void TVQRShowSettings::TakeLogoAndBackground() {
  for (Setting s :
       {PrinterBackGround1, PrinterBackGround2, LogoFile, LogoStartX, LogoStartY, LogoScale})
    s->Save(1, kSaveFromControl);
}

void TVQRShowSettings::TakeAsciiExport() {
  for (Setting s : {AsciiFileCalibrated, AsciiFileRaw, AsciiFileCalParams})
    s->Save(1, kSaveFromControl);
}

void TVQRShowSettings::TakeEqualizer() { EqualizerDistance->Save(1, kSaveFromControl); }

void TVQRShowSettings::TakeExcel() {
  for (Setting s :
       {ExcelCalWorkBook, ExcelCalNewWorkBook, ExcelCalTemplate, ExcelCalTabSheet,
        ExcelCalNewTabSheet, ExcelCalSetHeader, ExcelCalHeaderRow, ExcelCalDataRow, ExcelCalDataCol,
        ExcelCalNewFormat, ExcelCalFormatTime, ExcelCalFormatChannel, ExcelCalFormatTemp})
    s->Save(1, kSaveFromControl);
}
