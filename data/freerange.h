#pragma once
// Freely chosen axis ranges: any two numbers as the ends of an axis, with
// ticks at round steps (1, 2 or 5 x 10^n in the units of the labels) inside.

#include "data/vqrtypes.h"

/// The lowest and highest value an axis shows, in its stored units
/// (seconds for the time axis).
double AxisLow(const AxisRange& axis);
double AxisHigh(const AxisRange& axis);
/// Label units per stored unit: hours or days per second on the time axis.
double TimeLabelFactor(const AxisRange& time);
/// The axis from lo to hi (stored units, either order) exactly, its ticks
/// at the multiples of the smallest round step (at least minStep, in label
/// units = stored units x factor) that gives at most ten steps; the label
/// width and decimals follow the ticks. The ends count as they come out of
/// the axis's own number type, so the same ends always give the same axis.
/// False, and the axis unchanged, for an empty or unusable range.
bool SetFreeRange(AxisRange& axis, double lo, double hi, double factor, double minStep);
inline bool IsFreeRange(const AxisRange& axis) { return axis.TickStep > 0.0; }
/// Value of tick i (0 = the first) of a free axis, in label units.
inline double FreeTick(const AxisRange& axis, int i) {
  return axis.FirstTick + static_cast<double>(i) * axis.TickStep;
}
/// Where tick i of a free axis lies along it: 0 at its start, 1 at its end.
/// factor: label units per stored unit.
inline double FreeTickPart(const AxisRange& axis, double factor, int i) {
  return (FreeTick(axis, i) / factor - AxisLow(axis)) / static_cast<double>(axis.Span);
}
