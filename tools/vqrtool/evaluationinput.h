#pragma once
// A saved evaluation (.vqa) as the input of vqrtool report: read and checked
// as the program opens it, with the program's messages, but never asking.

#include <string>
#include <vector>

#include "session/Report.h"
#include "session/evaluation.h"

class TVQRSession;

struct TEvaluationInput {
  TEvaluation Eval;
  std::vector<std::string> Recordings;  // found and checked: the open one, then the compared
};

/// Reads the evaluation at path and checks its recordings. A refusal is said
/// on stderr in the program's words; the exit status (0 when usable).
int ReadEvaluationInput(const std::string& path, TEvaluationInput& input);

/// Opens the recording as File/Open does, then the comparison, smoothing,
/// zero point, notes and limits of the evaluation; the exit status.
int RestoreEvaluationInput(TVQRSession& session, const TEvaluationInput& input);

/// The report's windows: without numbers the overview and each saved window
/// as it was shown; with numbers those, each taking the view of a saved
/// window of its mode not taken yet.
std::vector<TReportWindow> EvaluationReportWindows(const TEvaluation& eval,
                                                   const std::vector<int>* numbers);
