#include "compare.h"

#include <algorithm>
#include <cstdio>

#include "session/Session.h"

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
