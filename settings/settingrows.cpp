#include "settings/settingrows.h"

#include <algorithm>

#include "data/numtext.h"
#include "settings/inifile.h"
#include "settings/limits.h"
#include "settings/settings.h"

namespace {

using T = TVQRShowSettings;
using C = TSettingsCommand;

TSettingRow Row(TZTIniValueType type, const char* section, const char* key) {
  TSettingRow r;
  r.Type = type;
  r.Section = section;
  r.Key = key;
  return r;
}

// Who reads what. The diagram's layout is read by every drawing of it.
constexpr uint32_t kScaling =
    C::RecordingLoad | C::SingleWindow | C::Combi1Window | C::Combi2Window;
constexpr uint32_t kLayout = kScaling | C::Print;
constexpr uint32_t kLogo = C::Print | C::LogoAndBackground;
constexpr uint32_t kDrawn = C::SingleWindow | C::Combi1Window | C::Combi2Window | C::Print;

// One line per setting, in the order of the file.
// clang-format off
std::vector<TSettingRow> ProgramRows() {
  return {
      BoolRow("RawFile", "Remember").Ctl("CB_RawFile_Remember").For(C::FileChoice).As(&T::RawFileRemember),
      TextRow("RawFile", "LastFile").As(&T::RawFileLastFile),
      TextRow("RawFile", "StartDir").Ctl("Ed_RawDir").For(C::FileChoice).As(&T::RawFileStartDir),

      BoolRow("DataFile", "Remember").Ctl("CB_Datafile_Remember").As(&T::DataFileRemember),
      TextRow("DataFile", "LastFile").As(&T::DataFileLastFile),
      BoolRow("DataFile", "LikeRawFile").Ctl("CB_DataLikeRaw").As(&T::DataFileLikeRawFile),
      TextRow("DataFile", "StartDir").Ctl("Ed_DataDir").As(&T::DataFileStartDir),

      BoolRow("AsciiFile", "Calibrated").Radio("RB_ASC_CData", "ascii").For(C::AsciiExport).As(&T::AsciiFileCalibrated),
      BoolRow("AsciiFile", "Raw").Radio("RB_ASC_RData", "ascii").For(C::AsciiExport).As(&T::AsciiFileRaw),
      BoolRow("AsciiFile", "CalParams").Radio("RB_ASC_CParams", "ascii").For(C::AsciiExport).As(&T::AsciiFileCalParams),

      IntRow("Equalizer", "Distance", 1).Ctl("Ed_Equal_Dist").For(C::Equalize).As(&T::EqualizerDistance),

      PositionRow("OverviewWindow", "Position", true).As(&T::OverviewWindowPosition),
      BoolRow("OverviewWindow", "FillPixel").As(&T::OverviewWindowFillPixel),

      PositionRow("SingleWindow", "Position", true).As(&T::SingleWindowPosition),
      BoolRow("SingleWindow", "AllEqual").Ctl("CB_Single_AllEqual").As(&T::SingleWindowAllEqual),
      ColorRow("SingleWindow", "ColorCh").N(16).Ctl("Ed_SingleCh{n}Col").For(C::SingleWindow).FirstOnlyWhen(&T::SingleWindowAllEqual).As(&T::SingleWindowColorCh),
      PenRow("SingleWindow", "PenCh", 1).N(16).Ctl("Ed_SingleCh{n}Pen").For(C::SingleWindow).FirstOnlyWhen(&T::SingleWindowAllEqual).As(&T::SingleWindowPenCh),

      BoolRow("CombiWindow1", "VisibleCh").N(17).Ctl("CB_Combi1Ch{n}").For(C::Combi1Window).As(&T::CombiWindow1VisibleCh),
      ColorRow("CombiWindow1", "ColorCh").N(17).Ctl("Ed_Combi1Ch{n}Col").For(C::Combi1Window).As(&T::CombiWindow1ColorCh),
      PenRow("CombiWindow1", "PenCh", 1).N(17).Ctl("Ed_Combi1Ch{n}Pen").For(C::Combi1Window).As(&T::CombiWindow1PenCh),
      BoolRow("CombiWindow2", "VisibleCh").N(17).Ctl("CB_Combi2Ch{n}").For(C::Combi2Window).As(&T::CombiWindow2VisibleCh),
      ColorRow("CombiWindow2", "ColorCh").N(17).Ctl("Ed_Combi2Ch{n}Col").For(C::Combi2Window).As(&T::CombiWindow2ColorCh),
      PenRow("CombiWindow2", "PenCh", 1).N(17).Ctl("Ed_Combi2Ch{n}Pen").For(C::Combi2Window).As(&T::CombiWindow2PenCh),

      // Sections Axis1..Axis3: X, Y, T. The layout pens default to width 0,
      // "keep the built-in width": a set width reaches the drawing times ten,
      // so a default of 0.1 mm would draw 1 mm lines.
      ColorRow("Axis", "Color").N(-3).Ctl("Ed_{a}AxisColor").For(kLayout).As(&T::AxisColor),
      PenRow("Axis", "Pen", 0).N(-3).Ctl("Ed_{a}AxisPen").For(kLayout).As(&T::AxisPen),
      ColorRow("Axis", "TicColor").N(-3).Ctl("Ed_{a}TicColor").For(kLayout).As(&T::AxisTicColor),
      PenRow("Axis", "TicPen", 0).N(-3).Ctl("Ed_{a}TicPen").For(kLayout).As(&T::AxisTicPen),
      IntRow("Axis", "StartX").N(-3).Ctl("Ed_{a}AxisX").For(kLayout).As(&T::AxisStartX),
      IntRow("Axis", "StartY").N(-3).Ctl("Ed_{a}AxisY").For(kLayout).As(&T::AxisStartY),
      IntRow("Axis", "Length").N(-3).Ctl("Ed_{a}AxisL").For(kLayout).As(&T::AxisLength),
      IntRow("Axis", "TicLength").N(-3).Ctl("Ed_{a}TicL").For(kLayout).As(&T::AxisTicLength),
      IntRow("Axis", "LabelOffset").N(-3).Ctl("Ed_{a}LabelOffset").For(kLayout).As(&T::AxisLabelOffset),
      IntRow("Axis", "UnitOffset").N(-3).Ctl("Ed_{a}UnitOffset").For(kLayout).As(&T::AxisUnitOffset),
      TextRow("Axis", "UnitText1").N(-3).Ctl("Ed_XUnitLo|Ed_YUnit|Ed_TUnit").For(kLayout).As(&T::AxisUnitText1),
      TextRow("Axis", "UnitText2").N(-3).Ctl("Ed_XUnitHi||").For(kLayout).As(&T::AxisUnitText2),
      ColorRow("Axis", "LabelColor").N(-3).Ctl("Ed_{a}LabelColor").For(kLayout).As(&T::AxisLabelColor),
      IntRow("Axis", "LabelSize").N(-3).Ctl("Ed_{a}LabelSize").For(kLayout).As(&T::AxisLabelSize),
      FontRow("Axis", "LabelFont").N(-3).Ctl("Ed_{a}LabelFont").For(kLayout).As(&T::AxisLabelFont),

      IntRow("Axis1", "MaxHour").Ctl("Ed_HourMax").For(kScaling).As(&T::Axis1MaxHour),
      FloatRow("Axis2", "UserFactor", 6).Ctl("Ed_YFactor").For(kScaling).As(&T::Axis2UserFactor),

      IntRow("Legend", "StartX").Ctl("Ed_FirstLegendX").For(kLayout).As(&T::LegendStartX),
      IntRow("Legend", "StartY").Ctl("Ed_FirstLegendY").For(kLayout).As(&T::LegendStartY),
      IntRow("Legend", "StepX").Ctl("Ed_StepLegendX").For(kLayout).As(&T::LegendStepX),
      IntRow("Legend", "StepY").Ctl("Ed_StepLegendY").For(kLayout).As(&T::LegendStepY),
      IntRow("Legend", "Length").Ctl("Ed_LegendLength").For(kLayout).As(&T::LegendLength),
      IntRow("Legend", "NumberOffset").Ctl("Ed_LegendOffset").For(kLayout).As(&T::LegendNumberOffset),
      ColorRow("Legend", "LabelColor").Ctl("Ed_LegendColor").For(kLayout).As(&T::LegendLabelColor),
      IntRow("Legend", "LabelSize").Ctl("Ed_LegendSize").For(kLayout).As(&T::LegendLabelSize),
      FontRow("Legend", "Font").Ctl("Ed_LegendFont").For(kLayout).As(&T::LegendFont),
      TextRow("Legend", "Title").Ctl("Ed_Legend").For(kLayout).As(&T::LegendTitle),
      TextRow("Legend", "TempChannel").Ctl("Ed_LegendT").For(kLayout).As(&T::LegendTempChannel),

      IntRow("Diagram", "BorderLeft").Ctl("Ed_BorderL").For(kLayout).As(&T::DiagramBorderLeft),
      IntRow("Diagram", "BorderTop").Ctl("Ed_BorderT").For(kLayout).As(&T::DiagramBorderTop),
      IntRow("Diagram", "BorderRight").Ctl("Ed_BorderR").For(kLayout).As(&T::DiagramBorderRight),
      IntRow("Diagram", "BorderBottom").Ctl("Ed_BorderB").For(kLayout).As(&T::DiagramBorderBottom),
      IntRow("Diagram", "DataStartX").Ctl("Ed_DataStartX").For(kLayout).As(&T::DiagramDataStartX),
      IntRow("Diagram", "DataStartY").Ctl("Ed_DataStartY").For(kLayout).As(&T::DiagramDataStartY),
      ColorRow("Diagram", "GridColor").Ctl("Ed_GridColor").For(kLayout).As(&T::DiagramGridColor),
      PenRow("Diagram", "GridPen", 0).Ctl("Ed_GridPen").For(kLayout).As(&T::DiagramGridPen),
      IntRow("Diagram", "GridStyle").Ctl("Ed_GridStyle").For(kLayout).As(&T::DiagramGridStyle),
      // The time axis of a comparison: from each recording's start (off) or by the clock.
      BoolRow("Diagram", "TimeOfDay").Radio("RB_TimeOfDay", "timeaxis").For(kLayout | C::CompareLoad).As(&T::DiagramTimeOfDay),

      BoolRow("Printer", "AlwaysVert").Radio("RB_Pr_FixPortrait", "orientation").For(C::Print).As(&T::PrinterAlwaysVert),
      BoolRow("Printer", "AlwaysHorz").Radio("RB_Pr_FixLandscape", "orientation").For(C::Print).As(&T::PrinterAlwaysHorz),
      BoolRow("Printer", "AllBlack").Ctl("CB_Pr_AllBlack").For(C::Print).As(&T::PrinterAllBlack),
      BoolRow("Printer", "Preview").Ctl("CB_Pr_Preview").For(C::Print).As(&T::PrinterPreview),

      FloatRow("PrinterVert", "FixedFactorX", 3).Ctl("Ed_PrV_FactorX").For(C::Print).As(&T::PrinterVertFixedFactorX),
      FloatRow("PrinterVert", "FixedFactorY", 3).Ctl("Ed_PrV_FactorY").For(C::Print).As(&T::PrinterVertFixedFactorY),
      FloatRow("PrinterVert", "MinYtoX", 3).Ctl("Ed_PrV_YtoXmin").For(C::Print).As(&T::PrinterVertMinYtoX),
      FloatRow("PrinterVert", "MaxYtoX", 3).Ctl("Ed_PrV_YtoXmax").For(C::Print).As(&T::PrinterVertMaxYtoX),
      FloatRow("PrinterHorz", "FixedFactorX", 3).Ctl("Ed_PrH_FactorX").For(C::Print).As(&T::PrinterHorzFixedFactorX),
      FloatRow("PrinterHorz", "FixedFactorY", 3).Ctl("Ed_PrH_FactorY").For(C::Print).As(&T::PrinterHorzFixedFactorY),
      FloatRow("PrinterHorz", "MinYtoX", 3).Ctl("Ed_PrH_YtoXmin").For(C::Print).As(&T::PrinterHorzMinYtoX),
      FloatRow("PrinterHorz", "MaxYtoX", 3).Ctl("Ed_PrH_YtoXmax").For(C::Print).As(&T::PrinterHorzMaxYtoX),

      TextRow("Printer", "BackGround1").Ctl("Ed_PrinterPaper1").For(kLogo).As(&T::PrinterBackGround1),
      TextRow("Printer", "BackGround2").Ctl("Ed_PrinterPaper2").For(kLogo).As(&T::PrinterBackGround2),

      TextRow("Logo", "File").Ctl("Ed_LogoFile").For(kLogo).As(&T::LogoFile),
      IntRow("Logo", "StartX").Ctl("Ed_LogoX").For(kLogo).As(&T::LogoStartX),
      IntRow("Logo", "StartY").Ctl("Ed_LogoY").For(kLogo).As(&T::LogoStartY),
      FloatRow("Logo", "Scale", 3).Ctl("Ed_LogoScale").For(kLogo).As(&T::LogoScale),

      PositionRow("ExcelCal", "Position", false).As(&T::ExcelCalPosition),
      TextRow("ExcelCal", "WorkBook").Ctl("Ed_XLCal_Workbook").For(C::ExcelExport).As(&T::ExcelCalWorkBook),
      BoolRow("ExcelCal", "NewWorkBook").Ctl("CB_XLCal_WBNew").For(C::ExcelExport).As(&T::ExcelCalNewWorkBook),
      TextRow("ExcelCal", "Template").Ctl("Ed_XLCal_Template").For(C::ExcelExport).As(&T::ExcelCalTemplate),
      TextRow("ExcelCal", "TabSheet", "VQR Daten").Ctl("Ed_XLCal_TabSheet").For(C::ExcelExport).As(&T::ExcelCalTabSheet),
      BoolRow("ExcelCal", "NewTabSheet").Ctl("CB_XLCal_TSNew").For(C::ExcelExport).As(&T::ExcelCalNewTabSheet),
      BoolRow("ExcelCal", "SetHeader").Ctl("CB_XLCal_Header").For(C::ExcelExport).As(&T::ExcelCalSetHeader),
      IntRow("ExcelCal", "HeaderRow").Ctl("Ed_XLCal_HeaderRow").For(C::ExcelExport).As(&T::ExcelCalHeaderRow),
      IntRow("ExcelCal", "DataRow").Ctl("Ed_XLCal_DataRow").For(C::ExcelExport).As(&T::ExcelCalDataRow),
      IntRow("ExcelCal", "DataCol").Ctl("Ed_XLCal_DataCol").For(C::ExcelExport).As(&T::ExcelCalDataCol),
      BoolRow("ExcelCal", "NewFormat").Ctl("CB_XLCal_newFormat").For(C::ExcelExport).As(&T::ExcelCalNewFormat),
      TextRow("ExcelCal", "FormatTime").Ctl("Ed_XLCal_FormatTime").For(C::ExcelExport).As(&T::ExcelCalFormatTime),
      TextRow("ExcelCal", "FormatChannel").Ctl("Ed_XLCal_FormatChannel").For(C::ExcelExport).As(&T::ExcelCalFormatChannel),
      TextRow("ExcelCal", "FormatTemp").Ctl("Ed_XLCal_FormatTemp").For(C::ExcelExport).As(&T::ExcelCalFormatTemp),

      // Per channel, 17 the temperature: blank is no limit.
      TextRow("Limits", "Lower").N(17).Ctl("Ed_Lower{n}").Rule(&LimitFieldText).For(kDrawn),
      TextRow("Limits", "Upper").N(17).Ctl("Ed_Upper{n}").Rule(&LimitFieldText).For(kDrawn),
  };
}
// clang-format on

std::vector<TSettingRow>& Rows() {
  static std::vector<TSettingRow> rows = ProgramRows();
  return rows;
}

size_t& ProgramRowCount() {
  static size_t count = Rows().size();
  return count;
}

}  // namespace

TSettingRow TextRow(const char* section, const char* key, const char* def) {
  TSettingRow r = Row(TZTIniValueType::String, section, key);
  r.TextDefault = def;
  return r;
}

TSettingRow BoolRow(const char* section, const char* key, bool def) {
  TSettingRow r = Row(TZTIniValueType::Boolean, section, key);
  r.IntDefault = def ? 1 : 0;
  return r;
}

TSettingRow IntRow(const char* section, const char* key, int32_t def) {
  TSettingRow r = Row(TZTIniValueType::Integer, section, key);
  r.IntDefault = def;
  return r;
}

TSettingRow FloatRow(const char* section, const char* key, int decimals, double def) {
  TSettingRow r = Row(TZTIniValueType::Float, section, key);
  r.Decimals = decimals;
  r.FloatDefault = def;
  return r;
}

TSettingRow ColorRow(const char* section, const char* key, int32_t def) {
  TSettingRow r = Row(TZTIniValueType::Color, section, key);
  r.IntDefault = def;
  return r;
}

TSettingRow PenRow(const char* section, const char* key, int32_t width, int32_t style) {
  TSettingRow r = Row(TZTIniValueType::Pen, section, key);
  r.IntDefault = width;
  r.PenStyle = style;
  return r;
}

TSettingRow PositionRow(const char* section, const char* key, bool withSize) {
  TSettingRow r = Row(TZTIniValueType::WindowPosition, section, key);
  r.Count = withSize ? 5 : 3;
  return r;
}

TSettingRow FontRow(const char* section, const char* key, const char* def) {
  TSettingRow r = Row(TZTIniValueType::Font, section, key);
  r.TextDefault = def;
  return r;
}

const std::vector<TSettingRow>& SettingRows() { return Rows(); }

size_t AddSettingRowForTest(const TSettingRow& row) {
  ProgramRowCount();
  Rows().push_back(row);
  return Rows().size() - 1;
}

void ClearSettingRowsForTest() { Rows().resize(ProgramRowCount()); }

std::vector<std::string> ControlNames(const TSettingRow& row, int count) {
  std::vector<std::string> names(static_cast<size_t>(std::max(count, 0)));
  if (!row.Control) return names;
  const std::string pattern = row.Control;
  if (pattern.find('|') != std::string::npos) {
    size_t start = 0;
    for (std::string& name : names) {
      const size_t end = pattern.find('|', start);
      name = pattern.substr(start, end == std::string::npos ? std::string::npos : end - start);
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return names;
  }
  auto replaced = [&](const std::string& mark, const std::string& by) {
    std::string name = pattern;
    if (const size_t p = name.find(mark); p != std::string::npos) name.replace(p, mark.size(), by);
    return name;
  };
  static const char* const kAxes[] = {"X", "Y", "T"};
  for (int i = 1; i <= count; ++i) {
    std::string& name = names[static_cast<size_t>(i - 1)];
    if (pattern.find("{n}") != std::string::npos)
      name = replaced("{n}", i == 17 ? std::string("T") : std::to_string(i));
    else if (pattern.find("{a}") != std::string::npos)
      name = i <= 3 ? replaced("{a}", kAxes[i - 1]) : std::string();
    else
      name = i == 1 ? pattern : std::string();
  }
  return names;
}

std::string FieldText(const std::string& shown) {
  return Utf8Left(std::string(TrimmedText(shown, " ")), 255);
}

int32_t FieldInteger(const std::string& shown) {
  int32_t v = 0;
  return WholeIntFromText(shown, v) ? v : 0;
}

double FieldFloat(const std::string& shown) {
  double v = 0.0;
  return WholeFloatFromText(shown, v) ? v : 0.0;
}
