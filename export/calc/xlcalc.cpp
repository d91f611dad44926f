// Finding, starting and reaching the office.

#include "export/calc/xlcalc.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <thread>
#include <vector>

#include "data/translate.h"
#include "export/calc/calclink.h"
#include "export/calc/xlcalcuno.h"

namespace {

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

// A file URL for a folder, as LibreOffice's -env: options want it.
std::string FileUrl(const std::string& path) {
  static const char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

// Starts argv[0] detached from this process (its own session, no files of
// ours open, output discarded), so that the office outlives the program and
// leaves no zombie. Returns the new process group.
pid_t StartDetached(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t middle = fork();
  if (middle < 0) throw TXLError("Cannot start " + args[0]);
  if (middle == 0) {
    setsid();
    if (fork() != 0) _exit(0);
    const int nul = open("/dev/null", O_RDWR);
    if (nul >= 0) {
      dup2(nul, 0);
      dup2(nul, 1);
      dup2(nul, 2);
    }
    close_range(3, ~0U, 0);
    signal(SIGPIPE, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  return middle;
}

}  // namespace

TCalcOptions TCalcOptions::FromEnvironment() {
  TCalcOptions o;
  o.Pipe = Env("VQR_CALC_PIPE");
  if (o.Pipe.empty()) o.Pipe = "vqrshow4-" + std::to_string(getuid());
  o.Profile = Env("VQR_CALC_PROFILE");
  const std::string timeout = Env("VQR_CALC_TIMEOUT");
  if (!timeout.empty()) {
    char* end = nullptr;
    const double seconds = std::strtod(timeout.c_str(), &end);
    if (end != timeout.c_str() && *end == 0 && seconds >= 0.1 && seconds <= 3600)
      o.AnswerTimeoutMs = static_cast<int>(seconds * 1000);
  }
  o.Headless =
      (Env("DISPLAY").empty() && Env("WAYLAND_DISPLAY").empty()) || Env("VQR_CALC_HEADLESS") == "1";
  return o;
}

TCalcProvider::TCalcProvider(TCalcOptions options)
    : options_(std::move(options)), pipe_(options_.Pipe) {}

std::string TCalcProvider::Description() const {
  if (notice_.empty()) return "LibreOffice Calc";
  const std::string text = TrText("TCalcProvider",
                                  "LibreOffice Calc (Pipe \"%1\" gehört einem anderen Benutzer, "
                                  "eigene Pipe verwendet)");
  return TrArg(text, options_.Pipe);
}

namespace {
std::string TakenNotice(const std::string& pipe, const std::string& why) {
  return "The pipe \"" + pipe + "\" is not the user's own (" + why +
         "); a pipe of the user's own is used instead";
}
}  // namespace

std::unique_ptr<IXLApplication> TCalcProvider::Attach() {
  unanswered_ = false;
  std::string why;
  if (CalcPipeOwner(options_.Pipe, &why) != TPipeOwner::Other) {
    pipe_ = options_.Pipe;
    notice_.clear();
    try {
      return ConnectCalc(pipe_, options_.Headless, options_.AnswerTimeoutMs);
    } catch (const TXLPipeTaken& e) {
      why = e.what();
    } catch (const TXLNotRunning&) {
      throw;
    } catch (const TXLError&) {
      unanswered_ = true;
      throw;
    }
  }
  // Another user holds the name: an office of the user's own that an
  // earlier start put on a name with a random part, or none.
  notice_ = TakenNotice(options_.Pipe, why);
  for (const std::string& own : OwnCalcPipes(options_.Pipe)) {
    try {
      close(ConnectCalcSocket(own, options_.AnswerTimeoutMs));
    } catch (const TXLError&) {
      continue;  // nobody listens there any more
    }
    pipe_ = own;
    try {
      return ConnectCalc(pipe_, options_.Headless, options_.AnswerTimeoutMs);
    } catch (const TXLNotRunning&) {
      throw;
    } catch (const TXLError&) {
      unanswered_ = true;
      throw;
    }
  }
  pipe_ = RandomCalcPipe(options_.Pipe);
  throw TXLNotRunning("LibreOffice Calc is not running on a pipe of the user's own");
}

std::unique_ptr<IXLApplication> TCalcProvider::Create() {
  // A new office would hand its start to the one that does not answer, or
  // could not take the pipe from it.
  if (unanswered_) throw TXLError(CalcNoAnswer(pipe_, options_.AnswerTimeoutMs));
  std::string why;
  if (pipe_ == options_.Pipe && CalcPipeOwner(pipe_, &why) == TPipeOwner::Other) {
    notice_ = TakenNotice(options_.Pipe, why);
    pipe_ = RandomCalcPipe(options_.Pipe);
  }
  const std::string soffice = FindOnPath("soffice");
  if (soffice.empty()) throw TXLError("LibreOffice is not installed (no soffice on PATH)");
  std::vector<std::string> args = {soffice,       "--invisible", "--nologo",
                                   "--norestore", "--nodefault", "--nolockcheck"};
  if (options_.Headless) args.push_back("--headless");
  if (!options_.Profile.empty())
    args.push_back("-env:UserInstallation=" + FileUrl(options_.Profile));
  args.push_back("--accept=pipe,name=" + pipe_ + ";urp;");
  startedGroup_ = StartDetached(args);
  auto started = std::chrono::steady_clock::now();

  // The office opens the pipe a few seconds after its start (longer on the
  // first start with a new profile).
  const auto deadline = started + std::chrono::milliseconds(options_.StartTimeoutMs);
  for (;;) {
    try {
      return ConnectCalc(pipe_, options_.Headless, options_.AnswerTimeoutMs);
    } catch (const TXLPipeTaken& e) {
      // Taken while the office started: under the configured name another
      // name of the user's own is tried; a random name was taken on purpose.
      if (pipe_ != options_.Pipe) throw;
      notice_ = TakenNotice(options_.Pipe, e.what());
      pipe_ = RandomCalcPipe(options_.Pipe);
      args.back() = "--accept=pipe,name=" + pipe_ + ";urp;";
      startedGroup_ = StartDetached(args);
      started = std::chrono::steady_clock::now();
    } catch (const TXLError&) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= deadline)
        throw TXLError("LibreOffice Calc did not answer on pipe \"" + pipe_ + "\" within " +
                       std::to_string(options_.StartTimeoutMs / 1000) + " s");
      // soffice hands its request to an office already running on the same
      // profile and ends; when that office was just shutting down, nobody
      // takes the pipe. Once nothing of ours runs any more, start again.
      if (now - started >= std::chrono::seconds(2) && kill(-startedGroup_, 0) != 0 &&
          errno == ESRCH) {
        startedGroup_ = StartDetached(args);
        started = now;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

std::string FindOnPath(const std::string& name) {
  const std::string path = Env("PATH");
  std::string_view rest = path;
  while (!rest.empty()) {
    const size_t end = rest.find(':');
    const std::string_view dir = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    const std::filesystem::path file =
        std::filesystem::path(dir.empty() ? std::string_view(".") : dir) / name;
    struct stat st {};
    if (stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(file.c_str(), X_OK) == 0)
      return file.string();
  }
  return {};
}

bool CalcInstalled() { return !FindOnPath("soffice").empty(); }
