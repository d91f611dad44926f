#pragma once
// Fixed tables of round axis spans and the choice of an axis for a value
// range or a zoom interval.

#include <cstdint>

#include "data/vqrtypes.h"

struct TRangeEntry {
  uint16_t Divisions;
  float Span;
};

constexpr int kHourTableCount = 8;
constexpr int kDayTableCount = 8;
constexpr int kValueTableCount = 27;
constexpr int kTempTableCount = 4;

const TRangeEntry* HourTable();   // spans in seconds, 6 h ... 800 h
const TRangeEntry* DayTable();    // spans in seconds, 6 h ... 32 days
const TRangeEntry* ValueTable();  // 0.001 ... 500000 in steps 1, 2, 5
const TRangeEntry* TempTable();   // 8/8, 8/16, 8/32, 8/34

/// Chooses the axis for values from min to max. An axis that fits from 0
/// starts there, one that does not ends at max. With belowZero the values
/// reach below 0, so the axis never fits from 0 and always ends at max.
void FitAxis(const TRangeEntry* table, int count, AxisRange& axis, double max, double min,
             bool belowZero = false);
/// The axis for a zoom interval from min to max (whole divisions of the fitting entry).
void FitZoomAxis(const TRangeEntry* table, int count, AxisRange& axis, double max, double min);
/// Sets IntDigits and Decimals for labels in units of span x factor.
void AxisLabelFormat(AxisRange& axis, float factor);

/// Zoomed time axis for limits in days (axis.TimeInDays) or hours; keeps TimeInDays.
void SetupZoomTimeAxis(AxisRange& axis, float from, float to);
/// Zoomed value axis for limits in calibrated (user) units.
void SetupZoomValueAxis(AxisRange& axis, float from, float to);
