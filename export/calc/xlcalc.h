#pragma once
// The spreadsheet automation over a running LibreOffice Calc (UNO over a
// named pipe). This header names no UNO type; xlcalcuno.h has the classes.

#include <sys/types.h>

#include <string>

#include "export/xlauto.h"

/// Nothing listens on the pipe.
class TXLNotRunning : public TXLError {
 public:
  using TXLError::TXLError;
};

/// The pipe's socket is not the user's own (another user made it, or it is
/// no socket): nothing is sent there.
class TXLPipeTaken : public TXLError {
 public:
  using TXLError::TXLError;
};

struct TCalcOptions {
  /// The pipe the office listens on: VQR_CALC_PIPE, else "vqrshow4-<uid>".
  std::string Pipe;
  /// A folder for a private user profile of an office this program starts
  /// (VQR_CALC_PROFILE); empty: the user's own profile, so that an office the
  /// user already runs takes over the start.
  std::string Profile;
  /// Start without any window system, and never show windows: when there
  /// is no display, or VQR_CALC_HEADLESS=1.
  bool Headless = false;
  /// How long Create waits for a started office to answer on the pipe.
  int StartTimeoutMs = 30000;
  /// How long a call waits for the office to answer before the connection is
  /// given up (VQR_CALC_TIMEOUT in seconds shortens it).
  int AnswerTimeoutMs = 30000;

  static TCalcOptions FromEnvironment();
};

/// Attach connects to an office listening on the pipe; Create starts
/// `soffice` (invisible, no start centre, no restore) listening there and
/// connects with retries. Only a socket of the user's own is connected to:
/// when another user holds the pipe's name, both use a name of the user's
/// own with a random part instead, and Notice() says so.
class TCalcProvider : public IXLProvider {
 public:
  explicit TCalcProvider(TCalcOptions options = TCalcOptions::FromEnvironment());
  std::unique_ptr<IXLApplication> Attach() override;
  std::unique_ptr<IXLApplication> Create() override;
  std::string Description() const override;

  const TCalcOptions& Options() const { return options_; }
  /// The pipe connected to last: Options().Pipe unless another user holds it.
  const std::string& Pipe() const { return pipe_; }
  /// Why another pipe than Options().Pipe is used; empty when it is not.
  const std::string& Notice() const { return notice_; }
  /// The process group of the last office Create started, 0 before: an
  /// office that handed its start to a running one has left it already.
  pid_t StartedGroup() const { return startedGroup_; }

 private:
  TCalcOptions options_;
  std::string pipe_, notice_;
  bool unanswered_ = false;  // the last Attach found an office that did not answer
  pid_t startedGroup_ = 0;
};

/// The full path of an executable found on PATH, empty when there is none.
std::string FindOnPath(const std::string& name);
/// Whether an office can be started here (`soffice` on PATH).
bool CalcInstalled();
