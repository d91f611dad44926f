#include "chart/diagramview.h"

#include <vector>

TDiagramView::TDiagramView(TVQRDiagram& first) : first_(first), diagram_(first.Data(), axes_) {
  // The fit comes first and the comparison's runs after it: the view takes
  // both when it is next drawn.
  fits_ = first_.Data().Axes().Subscribe([this](TAxesChange change) {
    if (change == TAxesChange::Fitted) stale_ = true;
  });
}

TVQRDiagram& TDiagramView::Diagram() {
  Follow();
  return diagram_;
}

void TDiagramView::Follow() {
  if (!stale_) return;
  stale_ = false;
  Fit();
}

void TDiagramView::Fit() {
  // The fits the recording's own axes had, over the same runs and with the
  // same scaling, but never a zoom of the first diagram.
  const TVQRAxes& recording = first_.Data().Axes();
  axes_.SetScaling(recording.Scaling());
  // The own axes of a comparison serve the overview, which a view never draws.
  diagram_.SetComparison(first_.Runs(), {}, {});
  if (!first_.Comparing()) {
    axes_.FitTo(first_.Data().Recording());
    return;
  }
  std::vector<TAxesRun> runs;
  for (const TDiagramRun& run : first_.Runs())
    runs.push_back({&run.Data->Recording(), run.TimeOffset});
  axes_.FitOver(runs);
}
