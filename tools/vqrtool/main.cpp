// vqrtool: the program's own code without a display, for batch work.
#include <cstdio>
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

int PrintVqrUsage() {
  std::fprintf(stderr, "usage:\n");
  for (const auto& [name, cmd] : Commands()) {
    std::string usage = cmd.usage;
    size_t start = 0;
    while (start < usage.size()) {
      size_t end = usage.find('\n', start);
      if (end == std::string::npos) end = usage.size();
      const std::string line = usage.substr(start, end - start);
      // Continuation lines start with blanks and line up under the command.
      std::fprintf(stderr, line.starts_with(' ') ? "          %s\n" : "  vqrtool %s\n",
                   line.c_str());
      start = end + 1;
    }
  }
  return kExitUsage;
}

int main(int argc, char** argv) {
  if (argc < 2) return PrintVqrUsage();
  const std::string name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintVqrUsage();
    return kExitOk;
  }
  auto it = Commands().find(name);
  if (it == Commands().end()) {
    std::fprintf(stderr, "vqrtool: unknown command '%s'\n", name.c_str());
    return PrintVqrUsage();
  }
  return it->second.run(std::vector<std::string>(argv + 2, argv + argc));
}
