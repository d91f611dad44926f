#pragma once
// The limit statistics of a session's curves as vqrtool stats and check
// report them: per recording and curve, and the fields with their JSON texts.

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "chart/limitstats.h"

class TVQRSession;

/// For every recording of session (the open one first) and every channel
/// given, in that order, the statistics against the limits in force over
/// hours from..to as SessionStats takes them; none for a channel without limit.
std::vector<std::vector<std::optional<TLimitStats>>> SessionLimitStats(
    TVQRSession& session, const std::vector<int>& channels, std::optional<double> fromHours,
    std::optional<double> toHours);

/// The fields of the "limits" object in order, each as its JSON text.
std::vector<std::pair<const char*, std::string>> LimitStatsFields(const TLimitStats& s);
/// The "limits" object as JSON text.
std::string LimitStatsJson(const TLimitStats& s);
