#include "compare.h"

#include <algorithm>
#include <cstdio>

#include "session/Session.h"

TCompareArg TakeCompareArg(const std::vector<std::string>& args, size_t& i,
                           std::vector<std::string>& files) {
  if (args[i] != "--compare") return TCompareArg::NotOne;
  size_t taken = 0;
  while (i + 1 < args.size() && !(args[i + 1].size() > 1 && args[i + 1][0] == '-')) {
    files.push_back(args[++i]);
    ++taken;
  }
  if (taken == 0) return TCompareArg::Missing;
  if (files.size() > static_cast<size_t>(TVQRSession::kMaxCompared)) return TCompareArg::TooMany;
  return TCompareArg::Taken;
}

const char* CompareArgError(TCompareArg taken) {
  switch (taken) {
    case TCompareArg::Missing:
      return "--compare needs at least one recording";
    case TCompareArg::TooMany:
      return "--compare takes at most 7 recordings";
    default:
      return nullptr;
  }
}

int LoadCompared(TVQRSession& session, const std::vector<std::string>& files,
                 std::vector<std::string>* loaded) {
  int worst = 0;
  // The settings' time alignment from the start, so that the axes are fitted once.
  if (session.Settings()) session.SetTimeAlign(AlignFromSettings(*session.Settings()));
  for (const std::string& file : files) {
    const TLoadStatus status = session.AddCompared(file);
    if (status == TLoadStatus::Ok) {
      if (loaded) loaded->push_back(file);
      continue;
    }
    std::fprintf(stderr, "%s: %s\n", file.c_str(), LoadStatusText(status));
    worst = std::max(worst, static_cast<int>(status));
  }
  return worst;
}
