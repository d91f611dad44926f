// vqrtool: the program's own code without a display, for batch work.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "command.h"

namespace {
std::map<std::string, VqrCommand>& Commands() {
  static std::map<std::string, VqrCommand> commands;
  return commands;
}
}  // namespace

bool RegisterVqrCommand(const VqrCommand& cmd) {
  Commands()[cmd.name] = cmd;
  return true;
}

namespace {

// The exit statuses, as --help lists them and the manual page repeats them.
struct TExitHelp {
  int status;
  const char* meaning;
};
constexpr TExitHelp kExitStatuses[] = {
    {kExitOk, "every recording decoded (and every output was written)"},
    {kExitNotDecoded, "a file opened but did not decode (or a saved evaluation was refused)"},
    {kExitOpenFailed,
     "a file could not be opened (a recording of a saved evaluation too), or the settings file "
     "named by --ini cannot be read"},
    {kExitWriteFailed, "an output could not be written completely (an older file is kept)"},
    {kExitIncomplete, "print: printed without a background or logo that did not load"},
    {kExitLimitViolated, "check: a curve of a recording went beyond a limit"},
    {kExitEvaluationStale,
     "report: a recording of the saved evaluation changed since the evaluation was saved"},
    {kExitUsage, "usage error (check: also when no limit is set at all)"},
};

void PrintCommands(std::FILE* out) {
  std::fprintf(out, "usage:\n");
  for (const auto& [name, cmd] : Commands()) {
    std::string usage = cmd.usage;
    size_t start = 0;
    while (start < usage.size()) {
      size_t end = usage.find('\n', start);
      if (end == std::string::npos) end = usage.size();
      const std::string line = usage.substr(start, end - start);
      // Continuation lines start with blanks and line up under the command.
      std::fprintf(out, line.starts_with(' ') ? "          %s\n" : "  vqrtool %s\n", line.c_str());
      start = end + 1;
    }
  }
}

void PrintHelp() {
  PrintCommands(stdout);
  std::printf("  vqrtool --help | --version\n\nexit status (in a batch the worst one):\n");
  for (const TExitHelp& e : kExitStatuses) std::printf("  %-4d%s\n", e.status, e.meaning);
}

}  // namespace

int PrintVqrUsage() {
  PrintCommands(stderr);
  return kExitUsage;
}

int PrintVqrUsageError(const char* command, const std::string& why) {
  std::fprintf(stderr, "vqrtool %s: %s\n", command, why.c_str());
  return PrintVqrUsage();
}

// A table redirected onto a full disk must not end as if all of it was written.
int Finish(const std::string& name, int status) {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    std::fprintf(stderr, "vqrtool %s: cannot write the output: %s\n", name.c_str(),
                 errno != 0 ? std::strerror(errno) : "write error");
    if (status != kExitUsage) status = std::max(status, static_cast<int>(kExitWriteFailed));
  }
  return status;
}

int main(int argc, char** argv) {
  if (argc < 2) return PrintVqrUsage();
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintHelp();
    return Finish(name, kExitOk);
  }
  if (name == "--version") {
    std::printf("vqrtool %s\n", VQR_VERSION);
    return Finish(name, kExitOk);
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::fprintf(stderr, "vqrtool: unknown command '%s'\n", name.c_str());
    return PrintVqrUsage();
  }
  return Finish(name, it->second.run(std::vector<std::string>(argv + 2, argv + argc)));
}
