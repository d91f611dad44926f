#include "session/evaluationsession.h"

#include "data/vqrfileo.h"

namespace {

bool Capture(const std::string& path, const std::string& evaluationPath,
             const std::vector<int>& smoothing, TEvalRecording& r, int* errorNumber,
             std::string* failedFile) {
  r.Path = StoredRecordingPath(path, evaluationPath);
  r.Sha256 = RecordingSha256(path, errorNumber);
  r.Smoothing = smoothing;
  if (!r.Sha256.empty()) return true;
  if (failedFile) *failedFile = path;
  return false;
}

}  // namespace

bool CaptureEvaluation(const TVQRSession& session, const std::string& recordingPath,
                       const std::string& evaluationPath, TEvaluation& eval, int* errorNumber,
                       std::string* failedFile) {
  TEvaluation e;
  if (!Capture(recordingPath, evaluationPath, session.Smoothing(0), e.Recording, errorNumber,
               failedFile))
    return false;
  for (int i = 0; i < session.ComparedCount(); ++i) {
    TEvalRecording r;
    if (!Capture(session.ComparedPath(i), evaluationPath, session.Smoothing(i + 1), r, errorNumber,
                 failedFile))
      return false;
    e.Compared.push_back(std::move(r));
  }
  e.ZeroPoint = session.ZeroPoint();
  e.Notes = session.Notes();
  e.Limits = session.Limits();
  // The windows are the program's, filled in before.
  e.Windows = std::move(eval.Windows);
  e.CoupledTime = eval.CoupledTime;
  eval = std::move(e);
  return true;
}

void ApplyEvaluation(TVQRSession& session, const TEvaluation& eval,
                     const std::vector<std::string>& comparedPaths) {
  for (const int d : eval.Recording.Smoothing) session.SmoothRun(0, d);
  for (size_t i = 0; i < eval.Compared.size() && i < comparedPaths.size(); ++i) {
    if (session.AddCompared(comparedPaths[i]) != TLoadStatus::Ok) continue;
    for (const int d : eval.Compared[i].Smoothing) session.SmoothRun(session.ComparedCount(), d);
  }
  session.SetZeroPoint(eval.ZeroPoint);
  session.Notes() = eval.Notes;
  // The evaluation's limits hold for it alone; the settings keep theirs.
  session.SetLimits(eval.Limits);
}

TLoadStatus RestoreEvaluation(TVQRSession& session, const TEvaluation& eval,
                              const std::vector<std::string>& paths) {
  if (paths.empty()) return TLoadStatus::OpenFailed;
  const TLoadStatus status = session.Load(paths[0]);
  if (status != TLoadStatus::OpenFailed)
    ApplyEvaluation(session, eval, {paths.begin() + 1, paths.end()});
  return status;
}
