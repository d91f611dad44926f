#pragma once
// Fixtures that set a recording's calibration or its axes directly, as no
// code of the program can (the classes befriend this one).

#include "data/vqrfileo.h"

struct TTestAccess {
  static ChannelCal& Cal(TVqrDataObjectNew& d, int ch) {
    return d.recording_.cal_[static_cast<size_t>(ch)];
  }
  static TVQRDataObject* Store(TVqrDataObjectNew& d) { return d.store_; }
  static TAxisSet& Axes(TVqrDataObjectNew& d) { return d.axes_.axes_; }
  static TAxisScaling& Scaling(TVqrDataObjectNew& d) { return d.axes_.scaling_; }
};
