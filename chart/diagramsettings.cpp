#include "chart/diagramsettings.h"

#include "chart/vqrdiagram.h"
#include "data/numtext.h"
#include "settings/settings.h"

namespace {

using Setting = TVQRShowSettings::Setting;

void TakePen(Setting pen, Setting color, int i, Setting visible, TPenRec& target) {
  if (const int32_t w = pen->GetPenWidth(i); w != 0) target.Width = TVQRShowSettings::PageUnits(w);
  const int32_t style = pen->GetPenStyle(i);
  target.Style = static_cast<uint8_t>(style >= 1 && style <= 4 ? style : 0);
  target.Color = color->GetColor(i);
  target.Visible = visible && visible->GetBool(i) ? 1 : 0;
}

void TakeFont(Setting font, Setting color, int i, Setting size, TFontRec& target) {
  if (const int32_t v = size->GetInteger(i); v != 0) target.Size = v;
  target.Color = color->GetColor(i);
  // A blank face keeps the drawing's own face: text always needs a usable font.
  const std::string face = font->GetFontName(i);
  if (!IsBlank(face)) target.Name = face;
  target.Style = static_cast<uint8_t>(font->GetFontStyle(i));
}

void TakeAxis(TVQRShowSettings& s, int i, TAxisLayout& axis, bool withUnitText2) {
  TakePen(s.AxisPen, s.AxisColor, i, nullptr, axis.Pen);
  TakePen(s.AxisTicPen, s.AxisTicColor, i, nullptr, axis.TicPen);
  s.TakeLength(s.AxisStartX, i, axis.StartX);
  s.TakeLength(s.AxisStartY, i, axis.StartY);
  s.TakeLength(s.AxisLength, i, axis.Length);
  s.TakeLength(s.AxisTicLength, i, axis.TicLength);
  TakeFont(s.AxisLabelFont, s.AxisLabelColor, i, s.AxisLabelSize, axis.LabelFont);
  s.TakeLength(s.AxisLabelOffset, i, axis.LabelOffset);
  s.TakeLength(s.AxisUnitOffset, i, axis.UnitOffset);
  s.TakeText(s.AxisUnitText1, i, axis.UnitText1);
  if (withUnitText2) s.TakeText(s.AxisUnitText2, i, axis.UnitText2);
}

int TakeCombiPens(Setting visible, Setting color, Setting pen, TChannelPens& pens) {
  int count = 0;
  for (int n = 1; n <= kTempChannel; ++n) {
    TakePen(pen, color, n, visible, pens[n]);
    if (pens[n].Visible) ++count;
  }
  return count;
}

}  // namespace

void TakeDiagramLayout(TVQRShowSettings& s, TDiagramLayout& layout) {
  s.TakeLength(s.DiagramBorderLeft, 1, layout.BorderLeft);
  s.TakeLength(s.DiagramBorderTop, 1, layout.BorderTop);
  s.TakeLength(s.DiagramBorderRight, 1, layout.BorderRight);
  s.TakeLength(s.DiagramBorderBottom, 1, layout.BorderBottom);
  s.TakeLength(s.DiagramDataStartX, 1, layout.DataStartX);
  s.TakeLength(s.DiagramDataStartY, 1, layout.DataStartY);
  TakeAxis(s, 1, layout.XAxis, true);
  TakeAxis(s, 2, layout.YAxis, false);
  TakeAxis(s, 3, layout.TAxis, false);
  TakePen(s.DiagramGridPen, s.DiagramGridColor, 1, nullptr, layout.GridPen);
  layout.GridStyle = static_cast<uint8_t>(s.DiagramGridStyle->GetInteger(1) & 0xFF);
  TLegendLayout& lg = layout.Legend;
  s.TakeLength(s.LegendStartX, 1, lg.StartX);
  s.TakeLength(s.LegendStartY, 1, lg.StartY);
  s.TakeLength(s.LegendStepX, 1, lg.StepX);
  s.TakeLength(s.LegendStepY, 1, lg.StepY);
  s.TakeLength(s.LegendLength, 1, lg.Length);
  s.TakeLength(s.LegendNumberOffset, 1, lg.NumberOffset);
  TakeFont(s.LegendFont, s.LegendLabelColor, 1, s.LegendLabelSize, lg.Font);
  s.TakeText(s.LegendTitle, 1, lg.Title);
  s.TakeText(s.LegendTempChannel, 1, lg.TempChannel);
}

int TakeSinglePens(TVQRShowSettings& s, TChannelPens& pens) {
  // AllEqual comes from the store, not from its check box: a change of the
  // box takes effect with the next start.
  const bool allEqual = s.SingleWindowAllEqual->GetBool(1);
  TPenRec first = pens[1];
  TakePen(s.SingleWindowPenCh, s.SingleWindowColorCh, 1, nullptr, first);
  for (int n = 1; n <= kMeasureChannels; ++n) {
    if (allEqual) {
      pens[n] = first;
    } else {
      TakePen(s.SingleWindowPenCh, s.SingleWindowColorCh, n, nullptr, pens[n]);
    }
    pens[n].Visible = 0;
  }
  return 1;
}

int TakeCombiPens1(TVQRShowSettings& s, TChannelPens& pens) {
  return TakeCombiPens(s.CombiWindow1VisibleCh, s.CombiWindow1ColorCh, s.CombiWindow1PenCh, pens);
}

int TakeCombiPens2(TVQRShowSettings& s, TChannelPens& pens) {
  return TakeCombiPens(s.CombiWindow2VisibleCh, s.CombiWindow2ColorCh, s.CombiWindow2PenCh, pens);
}

void TakePrinterSettings(TVQRShowSettings& s, TPrintOptions& o) {
  s.TakeBool(s.PrinterAlwaysHorz, 1, o.AlwaysHorz);
  s.TakeBool(s.PrinterAlwaysVert, 1, o.AlwaysVert);
  s.TakeBool(s.PrinterAllBlack, 1, o.AllBlack);
  s.TakeBool(s.PrinterPreview, 1, o.Preview);
  s.TakeFloat(s.PrinterVertFixedFactorX, 1, o.Portrait.FixedFactorX);
  s.TakeFloat(s.PrinterVertFixedFactorY, 1, o.Portrait.FixedFactorY);
  s.TakeFloat(s.PrinterVertMinYtoX, 1, o.Portrait.MinYtoX);
  s.TakeFloat(s.PrinterVertMaxYtoX, 1, o.Portrait.MaxYtoX);
  s.TakeFloat(s.PrinterHorzFixedFactorX, 1, o.Landscape.FixedFactorX);
  s.TakeFloat(s.PrinterHorzFixedFactorY, 1, o.Landscape.FixedFactorY);
  s.TakeFloat(s.PrinterHorzMinYtoX, 1, o.Landscape.MinYtoX);
  s.TakeFloat(s.PrinterHorzMaxYtoX, 1, o.Landscape.MaxYtoX);
}

void TakeDiagramSettings(TVQRShowSettings& settings, TVQRDiagram& diagram) {
  TAxisScaling scaling = diagram.Axes().Scaling();
  settings.TakeAxisScaling(scaling);
  diagram.Axes().SetScaling(scaling);
  TakeDiagramLayout(settings, diagram.Layout());
}

int PrepareWindowMode(TVQRShowSettings& settings, TVQRDiagram& diagram, int mode) {
  // The axis scaling was part of the layout: it starts from its defaults too.
  diagram.Axes().SetDefaultScaling();
  diagram.SetDefaults(true, true, false);
  diagram.SetWindowMode(mode);
  int curves = 1;
  if (mode == kCombi1Mode)
    curves = TakeCombiPens1(settings, diagram.ChannelPens());
  else if (mode == kCombi2Mode)
    curves = TakeCombiPens2(settings, diagram.ChannelPens());
  else
    TakeSinglePens(settings, diagram.ChannelPens());
  TakeDiagramSettings(settings, diagram);
  return curves;
}
