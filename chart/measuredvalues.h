#pragma once
// The rows of "Messwerte": per curve its statistics on every recording a
// diagram draws, the open one first and then the compared ones, each over
// the same time range on its own axis as the diagram aligns the runs. The
// window "Messwerte" and vqrtool stats (through the session) both take them
// from here.

#include <cmath>
#include <vector>

#include "chart/curvestats.h"

class TVQRDiagram;

/// What the rows cover: the open recording's drawn samples between two
/// markers, or a time range on its axis.
struct TMeasuredRange {
  /// Drawn samples of the open recording (either order); used when both
  /// lie in 1..its sample count. The compared recordings cover the time
  /// between these samples.
  int MarkA = 0;
  int MarkB = 0;
  /// Otherwise the samples whose time lies in [FromSeconds, ToSeconds];
  /// FromSeconds after ToSeconds holds none.
  double FromSeconds = -INFINITY;
  double ToSeconds = INFINITY;
};

/// A range taken apart on the open recording of diagram: the markers in
/// order when they hold (Marked), else none; the times covered.
struct TResolvedRange {
  int MarkA = 0;
  int MarkB = 0;
  bool Marked = false;
  double FromSeconds = -INFINITY;
  double ToSeconds = INFINITY;
  bool Empty() const { return FromSeconds > ToSeconds; }
};
TResolvedRange ResolvedRange(const TVQRDiagram& diagram, const TMeasuredRange& range);

/// One curve of "Messwerte".
struct TMeasuredRow {
  int Channel = 0;
  std::vector<TCurveStats> Runs;  // the open recording first, then the compared ones
};

/// The rows of channels in that order.
std::vector<TMeasuredRow> MeasuredRows(const TVQRDiagram& diagram, const std::vector<int>& channels,
                                       const TMeasuredRange& range);
