#include "session/Stats.h"

#include <charconv>
#include <cmath>

#include "chart/measuredvalues.h"
#include "chart/vqrdiagram.h"
#include "data/numtext.h"
#include "session/Session.h"

std::vector<int> StatsChannels(TVQRSession& session, int mode) {
  std::vector<int> channels;
  if (IsCombiMode(mode)) {
    session.PrepareWindow(mode);
    const TChannelPens& pens = session.Diagram().ChannelPens();
    for (int ch = 1; ch <= kTempChannel; ++ch)
      if (pens[ch].Visible) channels.push_back(ch);
  } else if (mode >= 1) {
    channels.push_back(mode);
  } else {
    for (int ch = 1; ch <= kTempChannel; ++ch) channels.push_back(ch);
  }
  return channels;
}

std::vector<std::vector<TCurveStats>> SessionStats(TVQRSession& session,
                                                   const std::vector<int>& channels,
                                                   std::optional<double> fromHours,
                                                   std::optional<double> toHours) {
  TMeasuredRange range;
  if (fromHours) range.FromSeconds = *fromHours * 3600.0;
  if (toHours) range.ToSeconds = *toHours * 3600.0;
  // The rows of "Messwerte", per recording.
  std::vector<std::vector<TCurveStats>> recordings(1 +
                                                   static_cast<size_t>(session.ComparedCount()));
  for (const TMeasuredRow& row : MeasuredRows(session.Diagram(), channels, range))
    for (size_t r = 0; r < recordings.size() && r < row.Runs.size(); ++r)
      recordings[r].push_back(row.Runs[r]);
  return recordings;
}

std::string StatsNumberText(std::optional<double> v) {
  if (!v || !std::isfinite(*v)) return "null";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, *v);
  return std::string(buf, r.ptr);
}

std::vector<std::pair<const char*, std::string>> CurveStatsFields(const TCurveStats& s) {
  const bool any = s.Count > 0;
  auto opt = [any](double v) { return any ? std::optional<double>(v) : std::nullopt; };
  auto num = [](std::optional<double> v) { return StatsNumberText(v); };
  // Values drawn as 32-bit floats: the shortest text that reads back as that
  // float, not as the double it widens to.
  auto drawn = [any](float v) { return any && std::isfinite(v) ? ShortestFloatText(v) : "null"; };
  return {{"channel", IntText(s.Channel)},
          {"n", IntText(s.Count)},
          {"min", drawn(s.Min)},
          {"min_at_h", num(opt(s.MinAtHours))},
          {"max", drawn(s.Max)},
          {"max_at_h", num(opt(s.MaxAtHours))},
          {"first", drawn(s.First)},
          {"last", drawn(s.Last)},
          {"mean", num(opt(s.Mean))},
          {"std", num(s.StdDev)},
          {"slope_per_h", num(s.SlopePerH)}};
}
