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
  o.Headless =
      (Env("DISPLAY").empty() && Env("WAYLAND_DISPLAY").empty()) || Env("VQR_CALC_HEADLESS") == "1";
  return o;
}

TCalcProvider::TCalcProvider(TCalcOptions options) : options_(std::move(options)) {}

std::unique_ptr<IXLApplication> TCalcProvider::Attach() {
  return ConnectCalc(options_.Pipe, options_.Headless);
}

std::unique_ptr<IXLApplication> TCalcProvider::Create() {
  const std::string soffice = FindOnPath("soffice");
  if (soffice.empty()) throw TXLError("LibreOffice is not installed (no soffice on PATH)");
  std::vector<std::string> args = {soffice,       "--invisible", "--nologo",
                                   "--norestore", "--nodefault", "--nolockcheck"};
  if (options_.Headless) args.push_back("--headless");
  if (!options_.Profile.empty())
    args.push_back("-env:UserInstallation=" + FileUrl(options_.Profile));
  args.push_back("--accept=pipe,name=" + options_.Pipe + ";urp;");
  startedGroup_ = StartDetached(args);
  auto started = std::chrono::steady_clock::now();

  // The office opens the pipe a few seconds after its start (longer on the
  // first start with a new profile).
  const auto deadline = started + std::chrono::milliseconds(options_.StartTimeoutMs);
  for (;;) {
    try {
      return ConnectCalc(options_.Pipe, options_.Headless);
    } catch (const TXLError&) {
      const auto now = std::chrono::steady_clock::now();
      if (now >= deadline)
        throw TXLError("LibreOffice Calc did not answer on pipe \"" + options_.Pipe + "\" within " +
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
