#pragma once
// vqrtool sub-commands register themselves here, one file each, so that
// main.cpp never needs to know them.

#include <string>
#include <vector>

/// Exit statuses shared by every sub-command.
enum VqrExit : int {
  kExitOk = 0,               // the recording decoded
  kExitNotDecoded = 1,       // opened, but ReadData failed
  kExitOpenFailed = 2,       // could not be opened
  kExitWriteFailed = 3,      // an output could not be written
  kExitIncomplete = 4,       // print: done, but a named background or logo was left out
  kExitLimitViolated = 5,    // check: a curve left its limits
  kExitEvaluationStale = 6,  // report: a recording of the saved evaluation changed since
  kExitUsage = 64,
};

struct VqrCommand {
  const char* name;
  const char* usage;  // one or more lines, without the leading "vqrtool "
  int (*run)(const std::vector<std::string>& args);  // args after the command name
};

/// Called from a static object in each command's file.
bool RegisterVqrCommand(const VqrCommand& cmd);

/// Prints the usage of every command to stderr; returns kExitUsage.
int PrintVqrUsage();

/// "vqrtool COMMAND: why", then the usage, on stderr; returns kExitUsage.
int PrintVqrUsageError(const char* command, const std::string& why);
