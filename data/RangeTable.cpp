#include "data/RangeTable.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {
constexpr TRangeEntry kHourTable[kHourTableCount] = {
    {12, 21600.0f},  {12, 43200.0f},  {12, 86400.0f},   {12, 172800.0f},
    {10, 360000.0f}, {10, 720000.0f}, {10, 1440000.0f}, {10, 2880000.0f}};

constexpr TRangeEntry kDayTable[kDayTableCount] = {
    {12, 21600.0f},  {12, 43200.0f},  {12, 86400.0f},   {12, 172800.0f},
    {16, 345600.0f}, {16, 691200.0f}, {16, 1382400.0f}, {16, 2764800.0f}};

// Literal spans, so that a maximum of exactly 0.1f fits the 0.1 entry.
constexpr TRangeEntry kValueTable[kValueTableCount] = {
    {10, 0.001f},    {10, 0.002f},   {10, 0.005f},   {10, 0.01f},    {10, 0.02f},
    {10, 0.05f},     {10, 0.1f},     {10, 0.2f},     {10, 0.5f},     {10, 1.0f},
    {10, 2.0f},      {10, 5.0f},     {10, 10.0f},    {10, 20.0f},    {10, 50.0f},
    {10, 100.0f},    {10, 200.0f},   {10, 500.0f},   {10, 1000.0f},  {10, 2000.0f},
    {10, 5000.0f},   {10, 10000.0f}, {10, 20000.0f}, {10, 50000.0f}, {10, 100000.0f},
    {10, 200000.0f}, {10, 500000.0f}};

constexpr TRangeEntry kTempTable[kTempTableCount] = {{8, 8.0f}, {8, 16.0f}, {8, 32.0f}, {8, 34.0f}};

const TRangeEntry& ChooseEntry(const TRangeEntry* table, int count, double span) {
  for (int i = 0; i < count; ++i)
    if (static_cast<double>(table[i].Span) >= span) return table[i];
  return table[count - 1];
}

// Characters of the decimal text of trunc(v), without any integer overflow.
int IntegerTextLength(float v) {
  if (!std::isfinite(v)) return 0;
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, std::trunc(static_cast<double>(v)),
                           std::chars_format::fixed, 0);
  const std::string text(buf, res.ptr);
  return text == "0" || text == "-0" ? 0 : static_cast<int>(text.size());
}

// Decimals that the fraction of v needs when written with at most 6.
int FractionDecimals(float v) {
  if (!std::isfinite(v)) return 0;
  // The sign says nothing about the decimals needed, and a fraction that
  // rounds up to a whole number needs none.
  const double f = std::fabs(static_cast<double>(v - std::trunc(v)));
  char buf[32];
  auto res = std::to_chars(buf, buf + sizeof buf, f, std::chars_format::fixed, 6);
  std::string text(buf, res.ptr);
  if (text[0] != '0') return 0;
  while (!text.empty() && text.back() == '0') text.pop_back();
  size_t lead = 0;
  while (lead < text.size() && text[lead] == '0') ++lead;
  text.erase(0, lead);
  if (!text.empty() && (text[0] == '.' || text[0] == ',')) text.erase(0, 1);
  return static_cast<int>(text.size());
}
}  // namespace

const TRangeEntry* HourTable() { return kHourTable; }
const TRangeEntry* DayTable() { return kDayTable; }
const TRangeEntry* ValueTable() { return kValueTable; }
const TRangeEntry* TempTable() { return kTempTable; }

void FitAxis(const TRangeEntry* table, int count, AxisRange& axis, double max, double min,
             bool belowZero) {
  if (!table || count <= 0) return;
  const TRangeEntry& e = ChooseEntry(table, count, max - min);
  axis.Divisions = e.Divisions;
  axis.Span = e.Span;
  if (min == 0.0 && !belowZero) {
    axis.Start = 0.0f;
  } else {
    axis.Start = static_cast<float>(static_cast<double>(e.Span) - max);
    if (axis.Start > 0.0f && !belowZero) axis.Start = 0.0f;
  }
}

void FitZoomAxis(const TRangeEntry* table, int count, AxisRange& axis, double max, double min) {
  if (!table || count <= 0) return;
  const double span = max - min;
  const TRangeEntry& e = ChooseEntry(table, count, span);
  const float unit = e.Span / static_cast<float>(e.Divisions);
  axis.Span = static_cast<float>(span);
  const double divisions = std::nearbyint(static_cast<double>(axis.Span / unit));
  // Only an interval far beyond the last entry could ask for more ticks than
  // anyone can draw; it keeps the entry's divisions.
  axis.Divisions = std::isfinite(divisions) && std::fabs(divisions) <= 10000.0
                       ? static_cast<int32_t>(divisions)
                       : static_cast<int32_t>(e.Divisions);
  axis.Start = static_cast<float>(-min);
}

void AxisLabelFormat(AxisRange& axis, float factor) {
  const float top = axis.Span * factor;
  const float bottom = axis.Start * factor;
  const float step = axis.Divisions != 0 ? top / static_cast<float>(axis.Divisions) : 0.0f;
  axis.IntDigits = IntegerTextLength(top - bottom);
  axis.Decimals = 0;
  for (int k = 0; k <= axis.Divisions; ++k) {
    const float v = static_cast<float>(k) * step - bottom;
    const int d = FractionDecimals(v);
    if (d > axis.Decimals) axis.Decimals = d;
  }
}

void SetupZoomTimeAxis(AxisRange& axis, float from, float to) {
  if (axis.TimeInDays) {
    FitZoomAxis(kDayTable, kDayTableCount, axis, static_cast<double>(to) * 86400.0,
                static_cast<double>(from) * 86400.0);
    AxisLabelFormat(axis, 1.0f / 86400.0f);
  } else {
    FitZoomAxis(kHourTable, kHourTableCount, axis, static_cast<double>(to) * 3600.0,
                static_cast<double>(from) * 3600.0);
    AxisLabelFormat(axis, 1.0f / 3600.0f);
  }
}

void SetupZoomValueAxis(AxisRange& axis, float from, float to) {
  FitZoomAxis(kValueTable, kValueTableCount, axis, to, from);
  AxisLabelFormat(axis, 1.0f);
}
