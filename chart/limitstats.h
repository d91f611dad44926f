#pragma once
// How a curve keeps its limits over a time range. The curve is the straight
// line between its samples, so the time outside and the crossings are found
// by linear interpolation between samples. A value equal to a limit is
// inside; a curve that starts outside crosses at its first sample. An
// excursion is one stretch outside; its size is the greatest distance beyond
// a limit, above the upper positive, below the lower negative.

#include <optional>
#include <vector>

#include "data/vqrfileo.h"
#include "settings/limits.h"

class TVQRDiagram;
struct TMeasuredRange;

/// One sample of a curve: its time in seconds and its value as drawn.
struct TLimitPoint {
  double Seconds = 0.0;
  double Value = 0.0;
};

struct TLimitStats {
  std::optional<double> Lower;
  std::optional<double> Upper;
  double OutsideHours = 0.0;
  /// Of the time from the range's first to its last sample; none when that
  /// time is zero (no sample, or one moment only).
  std::optional<double> OutsidePct;
  int Excursions = 0;
  std::optional<double> FirstCrossingHours;  // none without excursion
  std::optional<double> LargestExcursion;    // signed; none without excursion
  bool Held() const { return Excursions == 0; }
};

/// The statistics of a curve given by its samples in time order.
TLimitStats LimitStatsOfPoints(const std::vector<TLimitPoint>& points, std::optional<double> lower,
                               std::optional<double> upper);

/// The drawn samples of channel ch whose time lies in [fromSeconds, toSeconds]
/// (either order), or first..last (drawn sample indexes) with the Samples form.
std::vector<TLimitPoint> LimitPoints(const TVqrDataObjectNew& data, int ch, double fromSeconds,
                                     double toSeconds);
std::vector<TLimitPoint> LimitPointsOfSamples(const TVqrDataObjectNew& data, int ch, int first,
                                              int last);

/// One verdict row: a curve of one recording of the diagram (0 the open one,
/// then the compared ones) against its channel's limits.
struct TLimitVerdict {
  int Channel = 0;
  int Run = 0;
  TLimitStats Stats;
};

/// The verdict rows of a curve over range, one per recording the diagram
/// draws (each on its own time axis, as "Messwerte" takes them); none when
/// the channel has no limit in limits.
std::vector<TLimitVerdict> LimitVerdictRows(const TVQRDiagram& diagram, int channel,
                                            const TMeasuredRange& range, const TVQRLimits& limits);
