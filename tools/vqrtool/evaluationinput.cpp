#include "evaluationinput.h"

#include <cstdio>
#include <filesystem>

#include "command.h"
#include "session/Session.h"
#include "session/evaluationsession.h"
#include "session/evaluationtext.h"
#include "toolsettings.h"

namespace {

void Say(const std::string& message) {
  std::fprintf(stderr, "vqrtool report: %s\n", message.c_str());
}

TReportWindow WindowOf(const TEvalWindow& saved, int number) {
  TReportWindow w;
  w.Mode = saved.Mode;
  w.Zoomed = saved.Zoomed;
  w.Axes = saved.Axes;
  w.MarkA = saved.MarkA;
  w.MarkB = saved.MarkB;
  w.Number = number;
  return w;
}

}  // namespace

int ReadEvaluationInput(const std::string& path, TEvaluationInput& input) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  const std::string file = ec ? path : absolute.string();
  const TEvalResult read = ReadEvaluationFile(file, input.Eval);
  if (!read) {
    Say(EvaluationErrorMessage(file, read));
    const bool opened =
        read.Error != TEvalError::OpenFailed && read.Error != TEvalError::NotRegular;
    return opened ? kExitNotDecoded : kExitOpenFailed;
  }
  std::vector<const TEvalRecording*> recordings{&input.Eval.Recording};
  for (const TEvalRecording& r : input.Eval.Compared) recordings.push_back(&r);
  for (const TEvalRecording* r : recordings) {
    const std::string recording = ResolveRecordingPath(r->Path, file);
    int code = 0;
    const TRecordingState state = CheckRecording(recording, r->Sha256, &code);
    if (state != TRecordingState::Same) {
      Say(RecordingStateMessage(recording, state, code));
      return state == TRecordingState::Changed ? kExitEvaluationStale : kExitOpenFailed;
    }
    input.Recordings.push_back(recording);
  }
  return kExitOk;
}

int RestoreEvaluationInput(TVQRSession& session, const TEvaluationInput& input) {
  const TLoadStatus status = LoadRecording(session, input.Recordings.at(0));
  if (status != TLoadStatus::Ok) return static_cast<int>(status);
  if (session.Settings()) session.SetTimeAlign(AlignFromSettings(*session.Settings()));
  const std::vector<std::string> compared(input.Recordings.begin() + 1, input.Recordings.end());
  ApplyEvaluation(session, input.Eval, compared);
  // As in the program, a compared recording that does not load is left out.
  if (session.ComparedCount() < static_cast<int>(compared.size()))
    Say("a compared recording did not load and is left out");
  return kExitOk;
}

std::vector<TReportWindow> EvaluationReportWindows(const TEvaluation& eval,
                                                   const std::vector<int>* numbers) {
  std::vector<TReportWindow> windows;
  if (!numbers) {
    windows.push_back(TReportWindow{});
    for (size_t i = 0; i < eval.Windows.size(); ++i)
      windows.push_back(WindowOf(eval.Windows[i], static_cast<int>(i) + 1));
    return windows;
  }
  std::vector<bool> taken(eval.Windows.size(), false);
  for (const int mode : *numbers) {
    TReportWindow w;
    w.Mode = mode;
    for (size_t i = 0; i < eval.Windows.size(); ++i)
      if (!taken[i] && eval.Windows[i].Mode == mode) {
        taken[i] = true;
        w = WindowOf(eval.Windows[i], static_cast<int>(i) + 1);
        break;
      }
    windows.push_back(w);
  }
  return windows;
}
