#pragma once
// Plain records of the measurement core, also read by the settings table and
// the drawing. Indexes that the instrument numbers from 1 (channels 1..17,
// samples 1..1500) keep that numbering: element 0 of such arrays is unused.

#include <array>
#include <cstdint>
#include <string>

constexpr int kMeasureChannels = 16;  // channels 1..16
constexpr int kTempChannel = 17;      // channel 17 is the temperature "T"
constexpr int kMaxSamples = 1500;     // counted samples of one recording
constexpr int kSampleSlots = 1506;    // slots 0..1505, slot 0 unused
constexpr int kRecordSize = 39;       // every record of a raw data file

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  bool operator==(const TRect&) const = default;
};

/// Scaling of one diagram axis (time, value or temperature).
struct AxisRange {
  int32_t Divisions = 0;
  float Span = 0.0f;
  float Start = 0.0f;  // added to a value before scaling: the axis begins at -Start
  int32_t IntDigits = 0;
  int32_t Decimals = 0;
  bool TimeInDays = false;  // time axis only
  // A freely chosen range (wheel, pan, typed): the ticks lie at the
  // multiples of TickStep inside the axis, the first at FirstTick, both in
  // the units of the labels (hours or days, values, degrees), and Divisions
  // counts the steps between the first and the last. TickStep 0: Divisions
  // equal parts from the axis start.
  double TickStep = 0.0;
  double FirstTick = 0.0;
  bool operator==(const AxisRange&) const = default;
};

/// Two-point calibration and value range of one channel.
struct ChannelCal {
  float Scale = 0.0f;
  float Offset = 0.0f;
  int32_t RawMin = 0;
  int32_t RawMax = 0;
  float CalMin = 0.0f;
  float CalMax = 0.0f;
};

/// What the axis fit takes from the diagram settings: the longest time axis
/// in hours before it counts days, and the factor applied to every
/// measurement value.
struct TAxisScaling {
  int32_t MaxHour = 48;
  float UserFactor = 1.0f;
  bool operator==(const TAxisScaling&) const = default;
};
