#pragma once
// The statistics of "Messwerte" over a time range of a session's recordings,
// per curve, as vqrtool stats and the Python module report them: which
// curves, over which samples, and the fields with their number texts.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/curvestats.h"

class TVQRSession;

/// The curves a window mode covers: 0 all 17, 1..17 that one, a combination
/// the channels ticked for it (the window is prepared for it; none ticked
/// gives none).
std::vector<int> StatsChannels(TVQRSession& session, int mode);

/// The statistics of channels on every recording of session, the open one
/// first and then the compared ones, each over the same time range on its own
/// axis as the diagram aligns it. Hours from..to; none is open-ended, and from
/// after to is an empty range.
std::vector<std::vector<TCurveStats>> SessionStats(TVQRSession& session,
                                                   const std::vector<int>& channels,
                                                   std::optional<double> fromHours,
                                                   std::optional<double> toHours);

/// Shortest text that reads back as exactly v, "." as decimal point whatever
/// the locale; "null" for nothing or a non-finite value.
std::string StatsNumberText(std::optional<double> v);

/// The fields of one curve in the order of the JSON object and CSV columns,
/// each as its JSON text ("null" for a value that does not exist).
std::vector<std::pair<const char*, std::string>> CurveStatsFields(const TCurveStats& s);
