// A diagram window's view put back as a saved evaluation holds it.

#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"

TDiagramActions TDiagramController::RestoreView(const TAxisSet& saved, bool zoomed, int markA,
                                                int markB) {
  TDiagramActions a;
  TVQRDiagram* d = diagram_();
  if (!d) return a;
  // From the full scale, with no zoom in force and no history.
  const TAxisSet full = FullScale();
  history_.clear();
  historyPos_ = 0;
  defining_ = false;
  panning_ = false;
  zoomed_ = false;
  d->Axes().ZoomAll(full);
  TAxisSet axes;
  if (SavedAxesOver(full, saved, axes) && axes != full) {
    // The two-click zoom, so that "Z" toggles it as before; anything else
    // (or a temperature axis of its own besides) is a step of the history.
    if (zoomed && d->ZoomTo(axes.Time, axes.Value)) zoomed_ = true;
    d->Axes().ZoomAll(axes);
    if (!zoomed_ || axes.Temp != full.Temp) {
      history_ = {{full, false}, {axes, zoomed_}};
      historyPos_ = 1;
    }
  }
  frameValid_ = false;
  a.Refresh = true;
  const int samples = d->Data().GetSampleCount();
  auto valid = [samples](int i) { return i >= 1 && i <= samples ? i : 0; };
  marks_.MarkA = valid(markA);
  marks_.MarkB = marks_.MarkA ? valid(markB) : 0;
  a.Overlay = true;
  a.Repaint = true;
  return a;
}
