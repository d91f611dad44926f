#pragma once
// ASCII export of recordings without a window: one file, or many on worker
// threads that each run their own session.

#include <functional>
#include <string>
#include <vector>

#include "session/Session.h"

/// Outcome of one file; the codes are vqrtool's exit statuses.
enum class TAsciiStatus : int { Ok = 0, NotDecoded = 1, OpenFailed = 2, WriteFailed = 3 };

struct TAsciiJob {
  std::string Input;
  std::string Output;
};

struct TAsciiOptions {
  TAsciiMode Mode = TAsciiMode::Calibrated;
  std::vector<int> Smooth;  // Smooth(n) once per entry, in order
  int MaxHour = 48;         // axis settings the decoding needs
  float UserFactor = 1.0f;
};

struct TAsciiResult {
  TAsciiStatus Status = TAsciiStatus::Ok;
  std::string Message;  // empty on success
};

/// Loads, smooths and exports one recording in the caller's session (one
/// without settings: the options give the axis scaling).
TAsciiResult ExportAsciiFile(TVQRSession& session, TVQRAsciiFile& file, const TAsciiJob& job,
                             const TAsciiOptions& options, TAtomicFile* later = nullptr);

using TAsciiProgress = std::function<void(size_t done, size_t total, const TAsciiJob& job)>;

/// Exports every job on up to `threads` workers; results in job order. The
/// progress callback runs under a lock, once per finished job. Each file is
/// flushed to disk before it takes its place; that waiting is done by a few
/// more threads, so that the workers go on exporting meanwhile.
std::vector<TAsciiResult> RunAsciiBatch(const std::vector<TAsciiJob>& jobs,
                                        const TAsciiOptions& options, int threads,
                                        const TAsciiProgress& progress = {});
