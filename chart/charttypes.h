#pragma once
// Plain records of the diagram drawing: pens, fonts, the layout in page units
// (0.1 mm), print options, overview cells and the zoom selection.

#include <array>
#include <cstdint>
#include <string>

#include "data/vqrtypes.h"

/// Window modes of the channel window: a channel 1..16 or a combination.
constexpr int kCombi1Mode = 18;
constexpr int kCombi2Mode = 19;

constexpr bool IsChannelMode(int mode) { return mode >= 1 && mode <= kMeasureChannels; }
constexpr bool IsCombiMode(int mode) { return mode == kCombi1Mode || mode == kCombi2Mode; }
/// A window mode a diagram window shows: a channel or a combination.
constexpr bool IsDiagramMode(int mode) { return IsChannelMode(mode) || IsCombiMode(mode); }

/// Grid styles of the layout (Diagram/GridStyle).
constexpr uint8_t kGridNone = 0;
constexpr uint8_t kGridCrosses = 1;
constexpr uint8_t kGridLines = 2;

/// Pen of the layout: width in page units (0.1 mm) until ApplyPen scales it.
struct TPenRec {
  int32_t Color = 0;  // 0x00BBGGRR; negative: system colour index in the low byte
  int32_t Width = 3;
  uint8_t Style = 0;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot
  uint8_t Visible = 0;
  bool operator==(const TPenRec&) const = default;
};

/// Font of the layout: size in points until ApplyFont scales it.
struct TFontRec {
  std::string Name = "Arial";
  int32_t Color = 0;
  int32_t Size = 16;
  uint8_t Style = 0;  // 0 normal, 1 bold, 2 italic, 3 bold italic
  bool operator==(const TFontRec&) const = default;
};

enum TPlotAlign : int {
  paLeft = 0,
  paCenter = 1,
  paRight = 2,
  paTop = 3,
  paMiddle = 4,
  paBottom = 5
};

struct TAxisLayout {
  TPenRec Pen;
  TPenRec TicPen;
  int32_t StartX = 0;
  int32_t StartY = 0;
  int32_t Length = 0;
  int32_t TicLength = 0;
  TFontRec LabelFont;
  int32_t LabelOffset = 0;
  int32_t UnitOffset = 0;
  std::string UnitText1;
  std::string UnitText2;
  bool operator==(const TAxisLayout&) const = default;
};

struct TLegendLayout {
  int32_t StartX = 2650;
  int32_t StartY = 1600;
  int32_t StepX = 0;
  int32_t StepY = -80;
  int32_t Length = 100;
  int32_t NumberOffset = 30;
  TFontRec Font;
  std::string Title = "Kanal";
  std::string TempChannel = "T";
  bool operator==(const TLegendLayout&) const = default;
};

/// The whole diagram layout in page units (0.1 mm); MakeDefaultLayout() gives
/// the built-in values that a setting of 0 or blank leaves in place.
struct TDiagramLayout {
  int32_t BorderLeft = 0;
  int32_t BorderTop = 0;
  int32_t BorderRight = 0;
  int32_t BorderBottom = 0;
  int32_t DataStartX = 200;
  int32_t DataStartY = 200;
  TAxisLayout XAxis;
  TAxisLayout YAxis;
  TAxisLayout TAxis;
  TPenRec GridPen;
  uint8_t GridStyle = kGridNone;
  TLegendLayout Legend;
  bool operator==(const TDiagramLayout&) const = default;
};

TDiagramLayout MakeDefaultLayout();

struct TPrinterFactors {
  float FixedFactorX = 0.0f;
  float FixedFactorY = 0.0f;
  float MinYtoX = 0.0f;
  float MaxYtoX = 0.0f;
  bool operator==(const TPrinterFactors&) const = default;
};

struct TPrintOptions {
  bool AlwaysHorz = false;
  bool AlwaysVert = false;
  bool AllBlack = false;
  bool Preview = true;
  TPrinterFactors Portrait;   // "vertical" in the settings
  TPrinterFactors Landscape;  // "horizontal" in the settings
  bool operator==(const TPrintOptions&) const = default;
};

/// Channel pens 1..17 of the current diagram window (element 0 unused).
using TChannelPens = std::array<TPenRec, 18>;

/// One thumbnail of the overview window.
struct TOverviewCell {
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  int32_t PlotWidth = 0;
  int32_t PlotHeight = 0;
  std::array<int16_t, 400> Points{};  // -999: no sample in this column
};

/// Zoom selection in whole divisions.
struct TZoomSel {
  int32_t xFrom = 0;
  int32_t yFrom = 0;
  int32_t xTo = 0;
  int32_t yTo = 0;
  bool operator==(const TZoomSel&) const = default;
};
