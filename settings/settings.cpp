#include "settings/settings.h"

#include <string>
#include <vector>

#include "data/numtext.h"
#include "settings/inifile.h"

TVQRShowSettings::TVQRShowSettings(TZTIniClass* ini) : TZTIniSettingTable(ini) {
  using V = TZTiniSettingValue;

  RawFileRemember = V::CreateBool(1, "RawFile", "Remember", false, this);
  RawFileLastFile = V::CreateString(1, "RawFile", "LastFile", "", this);
  RawFileStartDir = V::CreateString(1, "RawFile", "StartDir", "", this);

  DataFileRemember = V::CreateBool(1, "DataFile", "Remember", false, this);
  DataFileLastFile = V::CreateString(1, "DataFile", "LastFile", "", this);
  DataFileLikeRawFile = V::CreateBool(1, "DataFile", "LikeRawFile", false, this);
  DataFileStartDir = V::CreateString(1, "DataFile", "StartDir", "", this);

  AsciiFileCalibrated = V::CreateBool(1, "AsciiFile", "Calibrated", false, this);
  AsciiFileRaw = V::CreateBool(1, "AsciiFile", "Raw", false, this);
  AsciiFileCalParams = V::CreateBool(1, "AsciiFile", "CalParams", false, this);

  EqualizerDistance = V::CreateInteger(1, "Equalizer", "Distance", 1, this);

  OverviewWindowPosition = V::CreatePosition(true, "OverviewWindow", "Position", this);
  OverviewWindowFillPixel = V::CreateBool(1, "OverviewWindow", "FillPixel", false, this);

  SingleWindowPosition = V::CreatePosition(true, "SingleWindow", "Position", this);
  SingleWindowAllEqual = V::CreateBool(1, "SingleWindow", "AllEqual", false, this);
  SingleWindowColorCh = V::CreateColor(16, "SingleWindow", "ColorCh", 0, this);
  SingleWindowPenCh = V::CreatePen(16, "SingleWindow", "PenCh", 1, this, 0);

  auto combi = [&](const std::string& n, Setting& visible, Setting& color, Setting& pen) {
    const std::string section = "CombiWindow" + n;
    visible = V::CreateBool(17, section, "VisibleCh", false, this);
    color = V::CreateColor(17, section, "ColorCh", 0, this);
    pen = V::CreatePen(17, section, "PenCh", 1, this, 0);
  };
  combi("1", CombiWindow1VisibleCh, CombiWindow1ColorCh, CombiWindow1PenCh);
  combi("2", CombiWindow2VisibleCh, CombiWindow2ColorCh, CombiWindow2PenCh);

  AxisColor = V::CreateColor(-3, "Axis", "Color", 0, this);
  // The layout pens default to width 0, "keep the built-in width": a set width
  // reaches the drawing times ten, so a default of 0.1 mm would draw 1 mm lines.
  AxisPen = V::CreatePen(-3, "Axis", "Pen", 0, this, 0);
  AxisTicColor = V::CreateColor(-3, "Axis", "TicColor", 0, this);
  AxisTicPen = V::CreatePen(-3, "Axis", "TicPen", 0, this, 0);
  AxisStartX = V::CreateInteger(-3, "Axis", "StartX", 0, this);
  AxisStartY = V::CreateInteger(-3, "Axis", "StartY", 0, this);
  AxisLength = V::CreateInteger(-3, "Axis", "Length", 0, this);
  AxisTicLength = V::CreateInteger(-3, "Axis", "TicLength", 0, this);
  AxisLabelOffset = V::CreateInteger(-3, "Axis", "LabelOffset", 0, this);
  AxisUnitOffset = V::CreateInteger(-3, "Axis", "UnitOffset", 0, this);
  AxisUnitText1 = V::CreateString(-3, "Axis", "UnitText1", "", this);
  AxisUnitText2 = V::CreateString(-3, "Axis", "UnitText2", "", this);
  AxisLabelColor = V::CreateColor(-3, "Axis", "LabelColor", 0, this);
  AxisLabelSize = V::CreateInteger(-3, "Axis", "LabelSize", 0, this);
  AxisLabelFont = V::CreateFont(-3, "Axis", "LabelFont", "", this);

  Axis1MaxHour = V::CreateInteger(1, "Axis1", "MaxHour", 0, this);
  Axis2UserFactor = V::CreateFloat(1, "Axis2", "UserFactor", 0.0, this, 6);

  LegendStartX = V::CreateInteger(1, "Legend", "StartX", 0, this);
  LegendStartY = V::CreateInteger(1, "Legend", "StartY", 0, this);
  LegendStepX = V::CreateInteger(1, "Legend", "StepX", 0, this);
  LegendStepY = V::CreateInteger(1, "Legend", "StepY", 0, this);
  LegendLength = V::CreateInteger(1, "Legend", "Length", 0, this);
  LegendNumberOffset = V::CreateInteger(1, "Legend", "NumberOffset", 0, this);
  LegendLabelColor = V::CreateColor(1, "Legend", "LabelColor", 0, this);
  LegendLabelSize = V::CreateInteger(1, "Legend", "LabelSize", 0, this);
  LegendFont = V::CreateFont(1, "Legend", "Font", "", this);
  LegendTitle = V::CreateString(1, "Legend", "Title", "", this);
  LegendTempChannel = V::CreateString(1, "Legend", "TempChannel", "", this);

  DiagramBorderLeft = V::CreateInteger(1, "Diagram", "BorderLeft", 0, this);
  DiagramBorderTop = V::CreateInteger(1, "Diagram", "BorderTop", 0, this);
  DiagramBorderRight = V::CreateInteger(1, "Diagram", "BorderRight", 0, this);
  DiagramBorderBottom = V::CreateInteger(1, "Diagram", "BorderBottom", 0, this);
  DiagramDataStartX = V::CreateInteger(1, "Diagram", "DataStartX", 0, this);
  DiagramDataStartY = V::CreateInteger(1, "Diagram", "DataStartY", 0, this);
  DiagramGridColor = V::CreateColor(1, "Diagram", "GridColor", 0, this);
  DiagramGridPen = V::CreatePen(1, "Diagram", "GridPen", 0, this, 0);
  DiagramGridStyle = V::CreateInteger(1, "Diagram", "GridStyle", 0, this);
  DiagramTimeOfDay = V::CreateBool(1, "Diagram", "TimeOfDay", false, this);

  PrinterAlwaysVert = V::CreateBool(1, "Printer", "AlwaysVert", false, this);
  PrinterAlwaysHorz = V::CreateBool(1, "Printer", "AlwaysHorz", false, this);
  PrinterAllBlack = V::CreateBool(1, "Printer", "AllBlack", false, this);
  PrinterPreview = V::CreateBool(1, "Printer", "Preview", false, this);

  auto factors = [&](const std::string& section, Setting& fx, Setting& fy, Setting& mn,
                     Setting& mx) {
    fx = V::CreateFloat(1, section, "FixedFactorX", 0.0, this, 3);
    fy = V::CreateFloat(1, section, "FixedFactorY", 0.0, this, 3);
    mn = V::CreateFloat(1, section, "MinYtoX", 0.0, this, 3);
    mx = V::CreateFloat(1, section, "MaxYtoX", 0.0, this, 3);
  };
  factors("PrinterVert", PrinterVertFixedFactorX, PrinterVertFixedFactorY, PrinterVertMinYtoX,
          PrinterVertMaxYtoX);
  factors("PrinterHorz", PrinterHorzFixedFactorX, PrinterHorzFixedFactorY, PrinterHorzMinYtoX,
          PrinterHorzMaxYtoX);

  PrinterBackGround1 = V::CreateString(1, "Printer", "BackGround1", "", this);
  PrinterBackGround2 = V::CreateString(1, "Printer", "BackGround2", "", this);

  LogoFile = V::CreateString(1, "Logo", "File", "", this);
  LogoStartX = V::CreateInteger(1, "Logo", "StartX", 0, this);
  LogoStartY = V::CreateInteger(1, "Logo", "StartY", 0, this);
  LogoScale = V::CreateFloat(1, "Logo", "Scale", 0.0, this, 3);

  const std::string xl = "ExcelCal";
  ExcelCalPosition = V::CreatePosition(false, xl, "Position", this);
  ExcelCalWorkBook = V::CreateString(1, xl, "WorkBook", "", this);
  ExcelCalNewWorkBook = V::CreateBool(1, xl, "NewWorkBook", false, this);
  ExcelCalTemplate = V::CreateString(1, xl, "Template", "", this);
  ExcelCalTabSheet = V::CreateString(1, xl, "TabSheet", "VQR Daten", this);
  ExcelCalNewTabSheet = V::CreateBool(1, xl, "NewTabSheet", false, this);
  ExcelCalSetHeader = V::CreateBool(1, xl, "SetHeader", false, this);
  ExcelCalHeaderRow = V::CreateInteger(1, xl, "HeaderRow", 0, this);
  ExcelCalDataRow = V::CreateInteger(1, xl, "DataRow", 0, this);
  ExcelCalDataCol = V::CreateInteger(1, xl, "DataCol", 0, this);
  ExcelCalNewFormat = V::CreateBool(1, xl, "NewFormat", false, this);
  ExcelCalFormatTime = V::CreateString(1, xl, "FormatTime", "", this);
  ExcelCalFormatChannel = V::CreateString(1, xl, "FormatChannel", "", this);
  ExcelCalFormatTemp = V::CreateString(1, xl, "FormatTemp", "", this);
}

// ------------------------------------------------------------ transfer rules

int32_t TVQRShowSettings::PageUnits(int32_t mm) {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(mm) * 10));
}

void TVQRShowSettings::TakeText(Setting s, int i, std::string& target) {
  const std::string text = s->GetString(i);
  if (!IsBlank(text)) target = Utf8Left(text, 32);
}

void TVQRShowSettings::TakeInteger(Setting s, int i, int32_t& target) {
  if (const int32_t v = s->GetInteger(i); v != 0) target = v;
}

void TVQRShowSettings::TakeLength(Setting s, int i, int32_t& target) {
  if (const int32_t v = s->GetInteger(i); v != 0) target = PageUnits(v);
}

void TVQRShowSettings::TakeFloat(Setting s, int i, float& target) {
  if (const double v = s->GetFloat(i); v != 0.0) target = static_cast<float>(v);
}

void TVQRShowSettings::TakeBool(Setting s, int i, bool& target) { target = s->GetBool(i); }

// --------------------------------------------------------------- transfers

void TVQRShowSettings::TakeAxisScaling(TAxisScaling& scaling) const {
  TakeInteger(Axis1MaxHour, 1, scaling.MaxHour);
  TakeFloat(Axis2UserFactor, 1, scaling.UserFactor);
}
