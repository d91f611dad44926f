#pragma once
// The axes of a recording's diagram: time, value and temperature axis and
// the scaling they are fitted with. Fitting, zooming and comparing go through
// this one owner, and it tells its listeners of every change.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "data/vqrtypes.h"

class TVQRRecording;

/// What changed the axes.
enum class TAxesChange {
  Fitted,   // fitted anew (a recording read, a comparison begun or ended, axes restored)
  Zoomed,   // the axes of a zoom or pan, or those before it again
  Scaling,  // the scaling for the next fit
};

/// The three axes at once.
struct TAxisSet {
  AxisRange Time;
  AxisRange Value;
  AxisRange Temp;
  bool operator==(const TAxisSet&) const = default;
};

/// One recording of a fit over several: its samples start TimeOffset seconds
/// after the axis start.
struct TAxesRun {
  const TVQRRecording* Recording = nullptr;
  int32_t TimeOffset = 0;
};

class TVQRAxes;

/// A listener's registration: it ends when this is destroyed or reset, and
/// outlives the axes harmlessly.
class TAxesSubscription {
 public:
  TAxesSubscription() = default;
  ~TAxesSubscription() { Reset(); }
  TAxesSubscription(TAxesSubscription&& other) noexcept { *this = std::move(other); }
  TAxesSubscription& operator=(TAxesSubscription&& other) noexcept;
  TAxesSubscription(const TAxesSubscription&) = delete;
  TAxesSubscription& operator=(const TAxesSubscription&) = delete;

  void Reset();
  bool Active() const { return !listeners_.expired(); }

 private:
  friend class TVQRAxes;
  struct TListeners;
  std::weak_ptr<TListeners> listeners_;
  int id_ = 0;
};

class TVQRAxes {
 public:
  using TListener = std::function<void(TAxesChange)>;

  TVQRAxes();
  ~TVQRAxes();
  TVQRAxes(const TVQRAxes&) = delete;
  TVQRAxes& operator=(const TVQRAxes&) = delete;

  const AxisRange& Time() const { return axes_.Time; }
  const AxisRange& Value() const { return axes_.Value; }
  const AxisRange& Temp() const { return axes_.Temp; }
  const TAxisSet& All() const { return axes_; }
  const TAxisScaling& Scaling() const { return scaling_; }
  float ApplyUserFactor(float v) const { return v * scaling_.UserFactor; }

  /// The scaling of the next fit (the axes stay as they are).
  void SetScaling(const TAxisScaling& scaling);
  /// Back to the built-in scaling.
  void SetDefaultScaling() { SetScaling(TAxisScaling{}); }

  /// FitAxes: the axes for a run that ends at lastTime seconds, whose largest
  /// value is overallMax and whose temperatures lie between tempMin and
  /// tempMax, with this scaling. A zoom of the axes ends with it.
  void Fit(int32_t lastTime, float overallMax, float tempMin, float tempMax);
  /// The axes of one recording alone, as after reading it.
  void FitTo(const TVQRRecording& rec);
  /// The axes over the runs of a comparison: the time of the latest end, the
  /// values and temperatures of every run that has samples (the first run's
  /// even when it has none, if no other has).
  void FitOver(std::span<const TAxesRun> runs);
  /// The time and value axes of a zoom, or those before it again; the
  /// temperature axis and the scaling stay.
  void Zoom(const AxisRange& time, const AxisRange& value);
  /// All three axes of a free zoom or pan, or of a step back or on through
  /// them; the scaling stays. Counts as a zoom.
  void ZoomAll(const TAxisSet& axes);
  /// Axes saved before, all three as they were; counts as a fit.
  void Restore(const TAxisSet& axes);

  /// Registers a listener, told after every change until the subscription ends.
  [[nodiscard]] TAxesSubscription Subscribe(TListener listener) const;

 private:
  friend struct TTestAccess;
  void Tell(TAxesChange change);

  TAxisSet axes_;
  TAxisScaling scaling_;
  std::shared_ptr<TAxesSubscription::TListeners> listeners_;
};
