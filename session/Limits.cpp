// The limits in force in a session: the settings' unless set for it.

#include "chart/measuredvalues.h"
#include "chart/vqrdiagram.h"
#include "data/numtext.h"
#include "session/LimitStats.h"
#include "session/Session.h"
#include "session/Stats.h"
#include "settings/settings.h"

TVQRLimits TVQRSession::Limits() const {
  if (limits_) return *limits_;
  return settings_ ? LimitsFromSettings(*settings_) : TVQRLimits{};
}

void TVQRSession::SetLimits(std::optional<TVQRLimits> limits) {
  limits_ = std::move(limits);
  diagram_->SetLimits(Limits());
}

std::vector<std::vector<std::optional<TLimitStats>>> SessionLimitStats(
    TVQRSession& session, const std::vector<int>& channels, std::optional<double> fromHours,
    std::optional<double> toHours) {
  TMeasuredRange range;
  if (fromHours) range.FromSeconds = *fromHours * 3600.0;
  if (toHours) range.ToSeconds = *toHours * 3600.0;
  const TVQRLimits limits = session.Limits();
  std::vector<std::vector<std::optional<TLimitStats>>> recordings(
      1 + static_cast<size_t>(session.ComparedCount()),
      std::vector<std::optional<TLimitStats>>(channels.size()));
  for (size_t c = 0; c < channels.size(); ++c)
    for (const TLimitVerdict& v : LimitVerdictRows(session.Diagram(), channels[c], range, limits))
      if (static_cast<size_t>(v.Run) < recordings.size())
        recordings[static_cast<size_t>(v.Run)][c] = v.Stats;
  return recordings;
}

std::vector<std::pair<const char*, std::string>> LimitStatsFields(const TLimitStats& s) {
  return {{"lower", StatsNumberText(s.Lower)},
          {"upper", StatsNumberText(s.Upper)},
          {"outside_h", StatsNumberText(s.OutsideHours)},
          {"outside_pct", StatsNumberText(s.OutsidePct)},
          {"excursions", IntText(s.Excursions)},
          {"first_crossing_h", StatsNumberText(s.FirstCrossingHours)},
          {"largest_excursion", StatsNumberText(s.LargestExcursion)}};
}

std::string LimitStatsJson(const TLimitStats& s) {
  std::string json = "{";
  for (const auto& [name, value] : LimitStatsFields(s)) {
    if (json.size() > 1) json += ", ";
    json += "\"";
    json += name;
    json += "\": " + value;
  }
  return json + "}";
}
