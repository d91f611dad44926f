#pragma once
// A saved evaluation and the session: what the session holds of it (the
// recordings with their smoothing, the zero point, the notes) taken out and
// put back. The windows are the program's to fill and restore.

#include <string>
#include <vector>

#include "session/Session.h"
#include "session/evaluation.h"

/// The session's part of an evaluation to be saved at evaluationPath: the
/// open recording (recordingPath, absolute) and the compared ones, stored
/// relative where they lie beside or below it, each with the SHA-256 of its
/// file now; eval's windows and their coupling are kept. False, with the
/// errno and the file, when one cannot be read.
bool CaptureEvaluation(const TVQRSession& session, const std::string& recordingPath,
                       const std::string& evaluationPath, TEvaluation& eval, int* errorNumber,
                       std::string* failedFile);

/// After the open recording's load: its smoothing, the compared recordings
/// at comparedPaths (resolved and checked by the caller) with theirs, the zero
/// point and the notes. Compared ones that do not load are left out.
void ApplyEvaluation(TVQRSession& session, const TEvaluation& eval,
                     const std::vector<std::string>& comparedPaths);

/// Loads the recordings at paths (the open one first, then the compared
/// ones, as resolved and checked by the caller), applies each one's
/// smoothing and the zero point and takes the notes. The status of the open
/// recording's load; compared ones that do not load are left out.
TLoadStatus RestoreEvaluation(TVQRSession& session, const TEvaluation& eval,
                              const std::vector<std::string>& paths);
