#include "rangeargs.h"

#include <optional>
#include <utility>

#include "chart/diagramcontroller.h"
#include "session/Session.h"

namespace {
std::optional<std::pair<double, double>> PairOf(const TArgs& args, const char* key, double factor) {
  const std::vector<double> v = args.Numbers(key);
  if (v.size() < 2) return std::nullopt;
  return std::pair{v[0] * factor, v[1] * factor};
}
}  // namespace

bool ApplyTypedRanges(TVQRSession& session, const TArgs& args) {
  TTypedRanges ranges{PairOf(args, "--range", 3600.0), PairOf(args, "--values", 1.0),
                      PairOf(args, "--temps", 1.0)};
  if (!ranges.Time && !ranges.Value && !ranges.Temp) return true;
  // Axes not given stay as fitted, as "automatisch" in the window.
  TDiagramController controller([&session] { return &session.Diagram(); });
  return !controller.ShowRanges(ranges).Beep;
}
