#pragma once
// Values read off the diagram: the value of a curve at a sample as the
// diagram draws it (user factor, zero point and the store's smoothing
// applied), the sample nearest to a time, and the statistics of a curve over
// a time range. Shared by the channel window's cursor and "Messwerte", and by
// vqrtool stats.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/vqrfileo.h"

/// Slot i of the recording's store, which must be linked.
inline const TVQRSample& SampleOf(const TVqrDataObjectNew& data, int i) {
  return data.Recording().Store()->Samples[static_cast<size_t>(i)];
}

/// Number of samples the diagram draws: slots 1.. up to the first empty one.
int DrawnSampleCount(const TVqrDataObjectNew& data);

/// Value of channel ch (1..17) at sample i as the diagram draws it: the
/// calibrated value times the user factor (measurement channels), less the
/// channel's calibrated minimum when the zero point is on.
float DrawnValue(const TVqrDataObjectNew& data, int i, int ch);

/// The drawn sample (1..count) whose time is nearest to seconds, the earlier
/// one on a tie; 0 without samples. A moment after the run, however far,
/// gives its last sample, one before it (or NaN) its first.
int NearestSample(const TVqrDataObjectNew& data, double seconds);

/// Statistics of one curve over the drawn samples whose time lies in a range.
struct TCurveStats {
  int Channel = 0;
  int Count = 0;
  float Min = 0.0f;
  double MinAtHours = 0.0;  // first sample with the minimum
  float Max = 0.0f;
  double MaxAtHours = 0.0;  // first sample with the maximum
  float First = 0.0f;
  float Last = 0.0f;
  double FirstAtHours = 0.0;
  double LastAtHours = 0.0;
  double Mean = 0.0;
  std::optional<double> StdDev;     // n - 1; none below two samples
  std::optional<double> SlopePerH;  // least squares; none below two samples or one time only
};

/// Statistics of channel ch over the samples whose time lies in
/// [fromSeconds, toSeconds] (bounds in either order, inclusive).
TCurveStats CurveStats(const TVqrDataObjectNew& data, int ch, double fromSeconds, double toSeconds);

/// The same over the samples first..last (drawn sample indexes, inclusive).
TCurveStats CurveStatsOfSamples(const TVqrDataObjectNew& data, int ch, int first, int last);

/// The same over the whole run on the calibrated values as stored (no user
/// factor, no zero point).
TCurveStats CalibratedRunStats(const TVqrDataObjectNew& data, int ch);

/// The time range the time axis shows, in seconds (the zoomed one while
/// zoomed): from -Start over Span.
void TimeAxisRange(const TVqrDataObjectNew& data, double& fromSeconds, double& toSeconds);
/// The same for the axes of a diagram (each diagram window has its own).
void TimeAxisRange(const TVQRAxes& axes, double& fromSeconds, double& toSeconds);

/// Time of a sample as clock text since the start: hours (any number of
/// them), minutes and seconds, "h:mm:ss".
std::string ElapsedClockText(int32_t seconds);

/// Which end of a time range a time is: the first sample at or after it
/// counts (From), or the last at or before it (To). At: the time of a
/// sample itself.
enum class TTimeBound { From, To, At };

/// A time in hours, "." as decimal point, with at least minDecimals
/// decimals and as few more as it takes for vqrtool stats to take the same
/// samples with it as bound (it reads hours back and multiplies by 3600):
/// a range from/to the texts of two sample times holds exactly the samples
/// from one to the other. Rounded to the nearest where that does so, else
/// down for From and up for To. At: rounded to the nearest, with as many
/// decimals as it takes to read back as the same whole second. Empty for a
/// time that is not finite.
std::string HoursBoundText(double seconds, TTimeBound bound, int minDecimals = 3);
