#pragma once
// The connection to the office: the pipe's socket in the shared temporary
// folder is connected to only when it is the user's own (the file and the
// process listening on it), and a watchman closes the connection when a
// call waits longer than the answer timeout without hearing from the office,
// so that no call blocks for ever.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

/// The socket file LibreOffice makes for a pipe of the user:
/// <temporary folder>/OSL_PIPE_<uid>_<name>.
std::string CalcPipePath(const std::string& pipe);

enum class TPipeOwner { Nobody, User, Other };
/// Who holds the pipe's socket file (not following links); why in *why when
/// it is not the user's. Throws TXLError when the folder itself is not safe.
TPipeOwner CalcPipeOwner(const std::string& pipe, std::string* why);

/// The user's pipes named base-<suffix> (their sockets), for finding an
/// office started under a name of its own.
std::vector<std::string> OwnCalcPipes(const std::string& base);

/// A pipe name with a random part: base-<16 hex digits>.
std::string RandomCalcPipe(const std::string& base);

/// Connects to the pipe's socket and returns the descriptor (non-blocking,
/// close-on-exec). TXLNotRunning when nobody listens, TXLPipeTaken when the
/// file or the listening process is another user's, TXLError when the
/// connection is not accepted within timeoutMs.
int ConnectCalcSocket(const std::string& pipe, int timeoutMs);

/// "LibreOffice Calc antwortet nicht (...)".
std::string CalcNoAnswer(const std::string& pipe, int timeoutMs);

/// One connection's descriptor and its watchman. Calls are bracketed by
/// Enter/Leave; every byte from the office counts as progress.
class TCalcLink {
 public:
  TCalcLink(int fd, std::string pipe, int timeoutMs);
  ~TCalcLink();
  TCalcLink(const TCalcLink&) = delete;
  TCalcLink& operator=(const TCalcLink&) = delete;

  int Fd() const { return fd_; }
  const std::string& Pipe() const { return pipe_; }
  int TimeoutMs() const { return timeoutMs_; }
  void Enter();
  void Leave();
  void Progress();
  /// Ends the connection: blocked reads and writes return.
  void Shut();
  /// Whether the connection was ended (by either side).
  bool Closed() const { return shut_; }
  /// Whether the watchman ended the connection.
  bool Silent() const { return silent_; }

  struct TCall {
    explicit TCall(TCalcLink& l) : link(l) { link.Enter(); }
    ~TCall() { link.Leave(); }
    TCalcLink& link;
  };

 private:
  void Watch();
  static int64_t Now();

  const int fd_;
  const std::string pipe_;
  const int timeoutMs_;
  std::atomic<int64_t> last_{0};
  std::atomic<bool> silent_{false};
  std::atomic<bool> shut_{false};
  std::mutex lock_;
  std::condition_variable wake_;
  int calls_ = 0;
  bool stop_ = false;
  std::thread watchman_;
};
