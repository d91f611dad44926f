#pragma once
// A further diagram of the open recording, beside the one every window
// shares: its own window mode, pens, layout and axes (so its own zoom), the
// same recording and comparison. Its axes follow the recording's whenever
// those are fitted anew (a recording read, a comparison begun or ended),
// from the full scale whatever the other diagram shows.

#include "chart/vqrdiagram.h"
#include "data/axes.h"

class TDiagramView {
 public:
  /// first: the diagram of the recording's own axes, which must outlive
  /// this view; the view draws the same runs.
  explicit TDiagramView(TVQRDiagram& first);
  TDiagramView(const TDiagramView&) = delete;
  TDiagramView& operator=(const TDiagramView&) = delete;

  /// The view's diagram, brought up to date with the recording first.
  TVQRDiagram& Diagram();
  /// Takes the recording's full scale and comparison when they changed
  /// since the last time (a fit of the view's axes ends its zoom).
  void Follow();

 private:
  void Fit();

  TVQRDiagram& first_;
  TVQRAxes axes_;  // before diagram_, which subscribes to them
  TVQRDiagram diagram_;
  TAxesSubscription fits_;
  bool stale_ = true;
};
