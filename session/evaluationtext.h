#pragma once
// Why a saved evaluation or one of its recordings cannot be used, in the
// words the program shows and vqrtool prints.

#include <string>

#include "session/evaluation.h"

/// Why a file could not be read ("Die Datei gibt es nicht.").
std::string ReadReasonText(int errorNumber);

/// Why the evaluation file was refused, in one message; empty for no error.
std::string EvaluationErrorMessage(const std::string& file, const TEvalResult& result);

/// What is wrong with a recording the evaluation names (state not Same).
std::string RecordingStateMessage(const std::string& file, TRecordingState state, int errorNumber);
