#include "data/axes.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cmath>

#include "data/RangeTable.h"
#include "data/recording.h"

struct TAxesSubscription::TListeners {
  int Add(TVQRAxes::TListener listener) {
    entries.emplace_back(++next, std::move(listener));
    return next;
  }
  void Remove(int id) {
    std::erase_if(entries, [id](const auto& e) { return e.first == id; });
  }
  void Tell(TAxesChange change) const {
    // A copy: a listener may end its own or another's subscription, and one
    // ended meanwhile is not told any more.
    const auto listeners = entries;
    for (const auto& entry : listeners) {
      const int id = entry.first;  // a named copy: clang 14 captures no bindings
      if (std::ranges::any_of(entries, [id](const auto& e) { return e.first == id; }))
        entry.second(change);
    }
  }

 private:
  int next = 0;
  std::vector<std::pair<int, TVQRAxes::TListener>> entries;
};

TAxesSubscription& TAxesSubscription::operator=(TAxesSubscription&& other) noexcept {
  if (this != &other) {
    Reset();
    listeners_ = std::move(other.listeners_);
    id_ = other.id_;
    other.listeners_.reset();
  }
  return *this;
}

void TAxesSubscription::Reset() {
  if (const auto list = listeners_.lock()) list->Remove(id_);
  listeners_.reset();
}

TVQRAxes::TVQRAxes() : listeners_(std::make_shared<TAxesSubscription::TListeners>()) {}
TVQRAxes::~TVQRAxes() = default;

TAxesSubscription TVQRAxes::Subscribe(TListener listener) const {
  TAxesSubscription s;
  s.id_ = listeners_->Add(std::move(listener));
  s.listeners_ = listeners_;
  return s;
}

void TVQRAxes::Tell(TAxesChange change) { listeners_->Tell(change); }

void TVQRAxes::SetScaling(const TAxisScaling& scaling) {
  // Compared bitwise, so that a NaN factor read from a file counts as set once.
  if (scaling.MaxHour == scaling_.MaxHour &&
      std::bit_cast<uint32_t>(scaling.UserFactor) == std::bit_cast<uint32_t>(scaling_.UserFactor))
    return;
  scaling_ = scaling;
  Tell(TAxesChange::Scaling);
}

void TVQRAxes::Fit(int32_t lastTime, float overallMax, float tempMin, float tempMax) {
  AxisRange& time = axes_.Time;
  time.TimeInDays = static_cast<int64_t>(scaling_.MaxHour) * 3600 < lastTime;
  if (time.TimeInDays) {
    FitAxis(DayTable(), kDayTableCount, time, lastTime, 0.0);
    AxisLabelFormat(time, 1.0f / 86400.0f);
  } else {
    FitAxis(HourTable(), kHourTableCount, time, lastTime, 0.0);
    AxisLabelFormat(time, 1.0f / 3600.0f);
  }
  FitAxis(ValueTable(), kValueTableCount, axes_.Value,
          static_cast<double>(overallMax) * scaling_.UserFactor, 0.0);
  AxisLabelFormat(axes_.Value, 1.0f);
  const double top = std::nearbyint(static_cast<double>(tempMax) + 1.0);
  const double bottom = std::nearbyint(static_cast<double>(tempMin) - 1.0);
  // Temperatures below 0 cannot be shown on an axis from 0; it then ends at
  // the maximum and reaches one span below it.
  FitAxis(TempTable(), kTempTableCount, axes_.Temp, top, bottom, tempMin < 0.0f);
  AxisLabelFormat(axes_.Temp, 1.0f);
  Tell(TAxesChange::Fitted);
}

void TVQRAxes::FitTo(const TVQRRecording& rec) {
  Fit(rec.LastTime(), rec.OverallMax(), rec.Cal(kTempChannel).CalMin, rec.Cal(kTempChannel).CalMax);
}

void TVQRAxes::FitOver(std::span<const TAxesRun> runs) {
  if (runs.empty()) return;
  const TVQRRecording& own = *runs[0].Recording;
  int64_t lastTime = int64_t{runs[0].TimeOffset} + own.LastTime();
  float overallMax = own.OverallMax();
  float tempMin = own.Cal(kTempChannel).CalMin;
  float tempMax = own.Cal(kTempChannel).CalMax;
  bool any = own.GetSampleCount() > 0;
  for (const TAxesRun& run : runs.subspan(1)) {
    const TVQRRecording& d = *run.Recording;
    lastTime = std::max(lastTime, int64_t{run.TimeOffset} + d.LastTime());
    if (d.GetSampleCount() == 0) continue;  // no values to fit
    const float lo = d.Cal(kTempChannel).CalMin, hi = d.Cal(kTempChannel).CalMax;
    overallMax = any ? std::max(overallMax, d.OverallMax()) : d.OverallMax();
    tempMin = any ? std::min(tempMin, lo) : lo;
    tempMax = any ? std::max(tempMax, hi) : hi;
    any = true;
  }
  Fit(static_cast<int32_t>(std::min<int64_t>(lastTime, INT32_MAX)), overallMax, tempMin, tempMax);
}

void TVQRAxes::Zoom(const AxisRange& time, const AxisRange& value) {
  axes_.Time = time;
  axes_.Value = value;
  Tell(TAxesChange::Zoomed);
}

void TVQRAxes::ZoomAll(const TAxisSet& axes) {
  axes_ = axes;
  Tell(TAxesChange::Zoomed);
}

void TVQRAxes::Restore(const TAxisSet& axes) {
  axes_ = axes;
  Tell(TAxesChange::Fitted);
}
