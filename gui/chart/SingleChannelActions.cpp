// The channel window's commands beyond drawing and forwarding: a saved view
// put back.
#include "gui/chart/SingleChannel.h"

void TF_SChannel::RestoreView(const TAxisSet& axes, bool zoomed, int markA, int markB) {
  // The markers belong to the axes now drawn: these are taken first.
  WatchAxesFit();
  Apply(controller_.RestoreView(axes, zoomed, markA, markB));
}
