#include "gui/settings/settingsbinder.h"

#include <string>
#include <tuple>

#include "chart/charttypes.h"
#include "data/numtext.h"
#include "gui/settings/control.h"
#include "settings/inifile.h"
#include "settings/pencode.h"
#include "settings/settings.h"

namespace {

constexpr size_t kMaxText = 255;

using Kind = IZTControl::Kind;

bool IsButton(const IZTControl& c) {
  return c.GetKind() == Kind::CheckBox || c.GetKind() == Kind::RadioButton;
}

// A field's number: the whole trimmed text, 0 when it is not one.
int32_t IntegerFromField(const std::string& text) {
  int32_t v = 0;
  return WholeIntFromText(text, v) ? v : 0;
}

double FloatFromField(const std::string& text) {
  double v = 0.0;
  return WholeFloatFromText(text, v) ? v : 0.0;
}

std::string Trimmed(const std::string& text) { return std::string(TrimmedText(text, " ")); }

}  // namespace

TSettingsBinder::TSettingsBinder(TVQRShowSettings& settings, IZTControlProvider* controls)
    : settings_(settings) {
  auto c = [controls](const std::string& name) -> IZTControl* {
    return controls ? controls->FindControl(name) : nullptr;
  };
  auto one = [&](Setting s, const std::string& name) { Bind(s, {c(name)}); };
  // A channel list: prefix + n + suffix, channel 17 is "T".
  auto channels = [&](Setting s, const std::string& prefix, const std::string& suffix) {
    std::vector<IZTControl*> list;
    for (int n = 1; n <= s->Count; ++n)
      list.push_back(c(prefix + (n == 17 ? std::string("T") : std::to_string(n)) + suffix));
    Bind(s, list);
  };
  // The three axes: prefix + X/Y/T + suffix.
  auto axes = [&](Setting s, const std::string& prefix, const std::string& suffix) {
    Bind(s, {c(prefix + "X" + suffix), c(prefix + "Y" + suffix), c(prefix + "T" + suffix)});
  };
  TVQRShowSettings& t = settings;

  one(t.RawFileRemember, "CB_RawFile_Remember");
  one(t.RawFileStartDir, "Ed_RawDir");
  one(t.DataFileRemember, "CB_Datafile_Remember");
  one(t.DataFileLikeRawFile, "CB_DataLikeRaw");
  one(t.DataFileStartDir, "Ed_DataDir");
  one(t.AsciiFileCalibrated, "RB_ASC_CData");
  one(t.AsciiFileRaw, "RB_ASC_RData");
  one(t.AsciiFileCalParams, "RB_ASC_CParams");
  one(t.EqualizerDistance, "Ed_Equal_Dist");

  one(t.SingleWindowAllEqual, "CB_Single_AllEqual");
  channels(t.SingleWindowColorCh, "Ed_SingleCh", "Col");
  channels(t.SingleWindowPenCh, "Ed_SingleCh", "Pen");
  channels(t.CombiWindow1VisibleCh, "CB_Combi1Ch", "");
  channels(t.CombiWindow1ColorCh, "Ed_Combi1Ch", "Col");
  channels(t.CombiWindow1PenCh, "Ed_Combi1Ch", "Pen");
  channels(t.CombiWindow2VisibleCh, "CB_Combi2Ch", "");
  channels(t.CombiWindow2ColorCh, "Ed_Combi2Ch", "Col");
  channels(t.CombiWindow2PenCh, "Ed_Combi2Ch", "Pen");

  axes(t.AxisColor, "Ed_", "AxisColor");
  axes(t.AxisPen, "Ed_", "AxisPen");
  axes(t.AxisTicColor, "Ed_", "TicColor");
  axes(t.AxisTicPen, "Ed_", "TicPen");
  axes(t.AxisStartX, "Ed_", "AxisX");
  axes(t.AxisStartY, "Ed_", "AxisY");
  axes(t.AxisLength, "Ed_", "AxisL");
  axes(t.AxisTicLength, "Ed_", "TicL");
  axes(t.AxisLabelOffset, "Ed_", "LabelOffset");
  axes(t.AxisUnitOffset, "Ed_", "UnitOffset");
  Bind(t.AxisUnitText1, {c("Ed_XUnitLo"), c("Ed_YUnit"), c("Ed_TUnit")});
  Bind(t.AxisUnitText2, {c("Ed_XUnitHi")});
  axes(t.AxisLabelColor, "Ed_", "LabelColor");
  axes(t.AxisLabelSize, "Ed_", "LabelSize");
  axes(t.AxisLabelFont, "Ed_", "LabelFont");
  one(t.Axis1MaxHour, "Ed_HourMax");
  one(t.Axis2UserFactor, "Ed_YFactor");

  one(t.LegendStartX, "Ed_FirstLegendX");
  one(t.LegendStartY, "Ed_FirstLegendY");
  one(t.LegendStepX, "Ed_StepLegendX");
  one(t.LegendStepY, "Ed_StepLegendY");
  one(t.LegendLength, "Ed_LegendLength");
  one(t.LegendNumberOffset, "Ed_LegendOffset");
  one(t.LegendLabelColor, "Ed_LegendColor");
  one(t.LegendLabelSize, "Ed_LegendSize");
  one(t.LegendFont, "Ed_LegendFont");
  one(t.LegendTitle, "Ed_Legend");
  one(t.LegendTempChannel, "Ed_LegendT");

  one(t.DiagramBorderLeft, "Ed_BorderL");
  one(t.DiagramBorderTop, "Ed_BorderT");
  one(t.DiagramBorderRight, "Ed_BorderR");
  one(t.DiagramBorderBottom, "Ed_BorderB");
  one(t.DiagramDataStartX, "Ed_DataStartX");
  one(t.DiagramDataStartY, "Ed_DataStartY");
  one(t.DiagramGridColor, "Ed_GridColor");
  one(t.DiagramGridPen, "Ed_GridPen");
  one(t.DiagramGridStyle, "Ed_GridStyle");
  one(t.DiagramTimeOfDay, "RB_TimeOfDay");

  one(t.PrinterAlwaysVert, "RB_Pr_FixPortrait");
  one(t.PrinterAlwaysHorz, "RB_Pr_FixLandscape");
  one(t.PrinterAllBlack, "CB_Pr_AllBlack");
  one(t.PrinterPreview, "CB_Pr_Preview");
  for (const auto& [p, fx, fy, mn, mx] :
       {std::tuple{"PrV", t.PrinterVertFixedFactorX, t.PrinterVertFixedFactorY,
                   t.PrinterVertMinYtoX, t.PrinterVertMaxYtoX},
        std::tuple{"PrH", t.PrinterHorzFixedFactorX, t.PrinterHorzFixedFactorY,
                   t.PrinterHorzMinYtoX, t.PrinterHorzMaxYtoX}}) {
    const std::string prefix = std::string("Ed_") + p;
    one(fx, prefix + "_FactorX");
    one(fy, prefix + "_FactorY");
    one(mn, prefix + "_YtoXmin");
    one(mx, prefix + "_YtoXmax");
  }
  one(t.PrinterBackGround1, "Ed_PrinterPaper1");
  one(t.PrinterBackGround2, "Ed_PrinterPaper2");
  one(t.LogoFile, "Ed_LogoFile");
  one(t.LogoStartX, "Ed_LogoX");
  one(t.LogoStartY, "Ed_LogoY");
  one(t.LogoScale, "Ed_LogoScale");

  one(t.ExcelCalWorkBook, "Ed_XLCal_Workbook");
  one(t.ExcelCalNewWorkBook, "CB_XLCal_WBNew");
  one(t.ExcelCalTemplate, "Ed_XLCal_Template");
  one(t.ExcelCalTabSheet, "Ed_XLCal_TabSheet");
  one(t.ExcelCalNewTabSheet, "CB_XLCal_TSNew");
  one(t.ExcelCalSetHeader, "CB_XLCal_Header");
  one(t.ExcelCalHeaderRow, "Ed_XLCal_HeaderRow");
  one(t.ExcelCalDataRow, "Ed_XLCal_DataRow");
  one(t.ExcelCalDataCol, "Ed_XLCal_DataCol");
  one(t.ExcelCalNewFormat, "CB_XLCal_newFormat");
  one(t.ExcelCalFormatTime, "Ed_XLCal_FormatTime");
  one(t.ExcelCalFormatChannel, "Ed_XLCal_FormatChannel");
  one(t.ExcelCalFormatTemp, "Ed_XLCal_FormatTemp");
}

void TSettingsBinder::Bind(Setting s, std::vector<IZTControl*> controls) {
  if (s) controls_[s] = std::move(controls);
}

IZTControl* TSettingsBinder::ControlOf(const TZTiniSettingValue* s, int i) const {
  const auto it = controls_.find(s);
  if (it == controls_.end() || i < 1 || static_cast<size_t>(i) > it->second.size() || !s->SlotOf(i))
    return nullptr;
  return it->second[static_cast<size_t>(i - 1)];
}

// ------------------------------------------------------------------ filling

void TSettingsBinder::Fill() {
  for (const auto& s : settings_.Settings())
    for (int i = 1; i <= s->Count; ++i) Fill(s.get(), i);
}

void TSettingsBinder::Fill(Setting s, int i) {
  IZTControl* c = ControlOf(s, i);
  if (!c) return;
  switch (s->ValueType) {
    case TZTIniValueType::String:
      c->SetText(s->GetString(i));
      break;
    case TZTIniValueType::Boolean:
      if (IsButton(*c)) c->SetChecked(s->GetBool(i));
      break;
    case TZTIniValueType::Integer:
      c->SetText(IntText(s->GetInteger(i)));
      break;
    case TZTIniValueType::Float:
      c->SetText(s->FloatText(s->GetFloat(i)));
      break;
    case TZTIniValueType::Color:
      c->SetColor(s->GetColor(i));
      break;
    case TZTIniValueType::Pen:
      c->SetPenCode(s->GetPenCode(i));
      c->SetText(StylePicture(s->GetPenStyle(i)));
      break;
    case TZTIniValueType::Font:
      c->SetFont(s->GetFontName(i), s->GetFontStyle(i));
      c->SetText(s->GetFontName(i));
      break;
    case TZTIniValueType::WindowPosition:
      break;
  }
}

// --------------------------------------------------------------- committing

void TSettingsBinder::Commit(Setting s, int i) {
  IZTControl* c = ControlOf(s, i);
  if (!c) return;
  switch (s->ValueType) {
    case TZTIniValueType::String:
      s->SetString(i, Utf8Left(Trimmed(c->GetText()), kMaxText));
      break;
    case TZTIniValueType::Boolean:
      if (IsButton(*c)) s->SetBool(i, c->GetChecked());
      break;
    case TZTIniValueType::Integer: {
      const int32_t v = IntegerFromField(c->GetText());
      s->SetInteger(i, v);
      c->SetText(IntText(v));
      break;
    }
    case TZTIniValueType::Float: {
      const double v = FloatFromField(c->GetText());
      s->SetFloat(i, v);
      c->SetText(s->FloatText(v));
      break;
    }
    case TZTIniValueType::Color:
      s->SetColor(i, c->GetColor());
      break;
    case TZTIniValueType::Pen:
      s->SetPenCode(i, c->GetPenCode());
      break;
    case TZTIniValueType::Font:
      s->SetFont(i, Trimmed(c->GetText()), c->GetFontStyle());
      break;
    case TZTIniValueType::WindowPosition:
      break;
  }
}

void TSettingsBinder::CommitEach(Setting s) {
  for (int i = 1; i <= s->Count; ++i) Commit(s, i);
}

void TSettingsBinder::CommitAll() {
  for (const auto& s : settings_.Settings()) CommitEach(s.get());
}

void TSettingsBinder::CommitFileChoice() {
  Commit(settings_.RawFileRemember, 1);
  Commit(settings_.RawFileStartDir, 1);
}

void TSettingsBinder::CommitDiagramLayout() {
  const TVQRShowSettings& t = settings_;
  for (Setting s : {t.DiagramBorderLeft,
                    t.DiagramBorderTop,
                    t.DiagramBorderRight,
                    t.DiagramBorderBottom,
                    t.DiagramDataStartX,
                    t.DiagramDataStartY,
                    t.AxisPen,
                    t.AxisColor,
                    t.AxisTicPen,
                    t.AxisTicColor,
                    t.AxisStartX,
                    t.AxisStartY,
                    t.AxisLength,
                    t.AxisTicLength,
                    t.AxisLabelFont,
                    t.AxisLabelColor,
                    t.AxisLabelSize,
                    t.AxisLabelOffset,
                    t.AxisUnitOffset,
                    t.AxisUnitText1,
                    t.AxisUnitText2,
                    t.DiagramGridPen,
                    t.DiagramGridColor,
                    t.DiagramGridStyle,
                    t.DiagramTimeOfDay,
                    t.LegendStartX,
                    t.LegendStartY,
                    t.LegendStepX,
                    t.LegendStepY,
                    t.LegendLength,
                    t.LegendNumberOffset,
                    t.LegendFont,
                    t.LegendLabelColor,
                    t.LegendLabelSize,
                    t.LegendTitle,
                    t.LegendTempChannel})
    CommitEach(s);
}

void TSettingsBinder::CommitRecordingLoad() {
  Commit(settings_.Axis1MaxHour, 1);
  Commit(settings_.Axis2UserFactor, 1);
  CommitDiagramLayout();
}

void TSettingsBinder::CommitWindowMode(int mode) {
  TVQRShowSettings& t = settings_;
  if (mode == kCombi1Mode) {
    for (Setting s : {t.CombiWindow1VisibleCh, t.CombiWindow1ColorCh, t.CombiWindow1PenCh})
      CommitEach(s);
  } else if (mode == kCombi2Mode) {
    for (Setting s : {t.CombiWindow2VisibleCh, t.CombiWindow2ColorCh, t.CombiWindow2PenCh})
      CommitEach(s);
  } else {
    // AllEqual itself counts from the next start: only the stored state decides
    // whether the other channels' pens are read.
    const int last = t.SingleWindowAllEqual->GetBool(1) ? 1 : kMeasureChannels;
    for (int n = 1; n <= last; ++n) {
      Commit(t.SingleWindowPenCh, n);
      Commit(t.SingleWindowColorCh, n);
    }
  }
  CommitRecordingLoad();
}

void TSettingsBinder::CommitLogoAndBackground() {
  const TVQRShowSettings& t = settings_;
  for (Setting s : {t.PrinterBackGround1, t.PrinterBackGround2, t.LogoFile, t.LogoStartX,
                    t.LogoStartY, t.LogoScale})
    Commit(s, 1);
}

void TSettingsBinder::CommitPrint() {
  const TVQRShowSettings& t = settings_;
  CommitDiagramLayout();
  for (Setting s : {t.PrinterAlwaysHorz, t.PrinterAlwaysVert, t.PrinterAllBlack, t.PrinterPreview,
                    t.PrinterVertFixedFactorX, t.PrinterVertFixedFactorY, t.PrinterVertMinYtoX,
                    t.PrinterVertMaxYtoX, t.PrinterHorzFixedFactorX, t.PrinterHorzFixedFactorY,
                    t.PrinterHorzMinYtoX, t.PrinterHorzMaxYtoX})
    Commit(s, 1);
  CommitLogoAndBackground();
}

void TSettingsBinder::CommitAsciiExport() {
  for (Setting s :
       {settings_.AsciiFileCalibrated, settings_.AsciiFileRaw, settings_.AsciiFileCalParams})
    Commit(s, 1);
}

void TSettingsBinder::CommitEqualizer() { Commit(settings_.EqualizerDistance, 1); }

void TSettingsBinder::CommitExcel() {
  const TVQRShowSettings& t = settings_;
  for (Setting s : {t.ExcelCalWorkBook, t.ExcelCalNewWorkBook, t.ExcelCalTemplate,
                    t.ExcelCalTabSheet, t.ExcelCalNewTabSheet, t.ExcelCalSetHeader,
                    t.ExcelCalHeaderRow, t.ExcelCalDataRow, t.ExcelCalDataCol, t.ExcelCalNewFormat,
                    t.ExcelCalFormatTime, t.ExcelCalFormatChannel, t.ExcelCalFormatTemp})
    Commit(s, 1);
}
