// A diagram window's view put back as a saved evaluation holds it.

#include "chart/diagramcontroller.h"
#include "chart/vqrdiagram.h"

TDiagramActions TDiagramController::RestoreView(bool zoom, const AxisRange& time,
                                                const AxisRange& value, int markA, int markB) {
  TDiagramActions a;
  TVQRDiagram* d = diagram_();
  if (!d) return a;
  defining_ = false;
  if (zoom && d->ZoomTo(time, value)) {
    zoomed_ = true;
    frameValid_ = false;
    a.Refresh = true;
  }
  const int samples = d->Data().GetSampleCount();
  auto valid = [samples](int i) { return i >= 1 && i <= samples ? i : 0; };
  marks_.MarkA = valid(markA);
  marks_.MarkB = marks_.MarkA ? valid(markB) : 0;
  a.Overlay = true;
  a.Repaint = true;
  return a;
}
