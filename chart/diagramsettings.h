#pragma once
// Transfers from the settings table into the diagram's records: layout, channel
// pens of the windows and print options, from the stored values. Zero and
// blank settings leave the record's value.

#include "chart/charttypes.h"

class TVQRShowSettings;
class TVQRDiagram;

/// Every diagram setting except the axis scaling (TakeAxisScaling).
void TakeDiagramLayout(TVQRShowSettings& settings, TDiagramLayout& layout);
/// Channel window pens 1..16; returns 1.
int TakeSinglePens(TVQRShowSettings& settings, TChannelPens& pens);
/// Pens and visibility 1..17 of a combination; returns the visible count.
int TakeCombiPens1(TVQRShowSettings& settings, TChannelPens& pens);
int TakeCombiPens2(TVQRShowSettings& settings, TChannelPens& pens);
void TakePrinterSettings(TVQRShowSettings& settings, TPrintOptions& options);

/// The axis scaling of the diagram's recording and the diagram's layout.
void TakeDiagramSettings(TVQRShowSettings& settings, TVQRDiagram& diagram);

/// A window mode (1..16, kCombi1Mode, kCombi2Mode) made ready for drawing:
/// built-in layout and pens, then the mode's pens, the axis scaling and the
/// layout from the settings. Returns the number of curves.
int PrepareWindowMode(TVQRShowSettings& settings, TVQRDiagram& diagram, int mode);
