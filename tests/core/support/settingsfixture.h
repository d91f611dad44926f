#pragma once
// Shared by the settings tests: locate inputs.

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core_fixtures.h"
#include "settings/iniclass.h"

namespace vqrtest {

/// Locate inputs for a program installed in programDir with the given
/// command line and environment.
inline TLocateInputs Inputs(const std::string& programDir, std::vector<std::string> args = {},
                            std::map<std::string, std::string> env = {}) {
  TLocateInputs in;
  in.Args = std::move(args);
  in.ProgramPath = programDir + "vqrshow4";
  in.GetEnv = [env](const std::string& name) -> std::optional<std::string> {
    const auto it = env.find(name);
    if (it == env.end()) return std::nullopt;
    return it->second;
  };
  return in;
}

}  // namespace vqrtest
