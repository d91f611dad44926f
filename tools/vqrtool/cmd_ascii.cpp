// vqrtool ascii: the program's ASCII export of one or many recordings.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "command.h"
#include "options.h"
#include "session/AsciiBatch.h"
#include "toolsettings.h"

namespace fs = std::filesystem;

namespace {
int Usage(const std::string& why) { return PrintVqrUsageError("ascii", why); }

int RunAscii(const std::vector<std::string>& args) {
  const TArgs a = ParseArgs(kAsciiArgs, args);
  if (!ArgsTaken(a)) return PrintVqrUsage();
  const std::vector<std::string>& inputs = a.Inputs;
  const std::string out = a.Text("-o");
  const TToolSettingsOptions settings = a.Settings();
  TAsciiOptions options;
  options.Smooth = a.EachInt("--smooth");
  if (out.empty()) return Usage("no output given (-o OUT)");
  if (const char* conflict = SettingsArgsConflict(settings)) return Usage(conflict);
  if (a.Given("--mode")) {
    constexpr TAsciiMode kModes[] = {TAsciiMode::Calibrated, TAsciiMode::Raw,
                                     TAsciiMode::CalParams};
    options.Mode = kModes[a.Int("--mode", 0)];
  } else {
    // Only read, never created or written.
    const auto table = LoadToolSettingsFor("ascii", settings);
    if (!table) return kExitOpenFailed;
    options.Mode = AsciiModeFromSettings(table->Table.get());
  }

  std::vector<TAsciiJob> jobs;
  std::error_code ec;
  const bool intoFolder = inputs.size() > 1 || fs::is_directory(out, ec);
  if (intoFolder) {
    fs::create_directories(out, ec);
    if (!fs::is_directory(out, ec)) {
      std::fprintf(stderr, "%s: cannot create the output folder\n", out.c_str());
      return kExitWriteFailed;
    }
    std::set<std::string> names;
    for (const std::string& in : inputs) {
      const std::string name = fs::path(in).stem().string() + ".ASC";
      if (!names.insert(name).second) return Usage("two inputs would both be written to " + name);
      jobs.push_back({in, (fs::path(out) / name).string()});
    }
  } else {
    jobs.push_back({inputs[0], out});
  }
  const TReadFiles read(FilesRead(inputs, settings));
  for (const TAsciiJob& job : jobs)
    if (const auto input = read.NamedBy(job.Output))
      return Usage("the output would replace the input " + *input);

  const bool showProgress = jobs.size() > 1 && isatty(STDERR_FILENO);
  TAsciiProgress progress;
  if (showProgress) {
    progress = [](size_t done, size_t total, const TAsciiJob&) {
      std::fprintf(stderr, "\rvqrtool ascii: %zu/%zu", done, total);
      if (done == total) std::fputc('\n', stderr);
    };
  }
  const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const std::vector<TAsciiResult> results = RunAsciiBatch(jobs, options, threads, progress);
  int worst = kExitOk;
  for (size_t i = 0; i < results.size(); ++i) {
    if (results[i].Status == TAsciiStatus::Ok) continue;
    const std::string& name =
        results[i].Status == TAsciiStatus::WriteFailed ? jobs[i].Output : jobs[i].Input;
    std::fprintf(stderr, "%s: %s\n", name.c_str(), results[i].Message.c_str());
    worst = std::max(worst, static_cast<int>(results[i].Status));
  }
  return worst;
}

const bool registered =
    RegisterVqrCommand({"ascii",
                        "ascii FILE.DAT... -o OUT [--mode cal|raw|params] [--smooth N]...\n"
                        "      [--ini FILE] [--public FILE] [--defaults]\n"
                        "      (several files: OUT is a folder that receives NAME.ASC for each)",
                        &RunAscii});
}  // namespace
