#pragma once
// Records the desktop programs the services would run, and answers for them.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/services/DesktopCommand.h"

struct FakeDesktop {
  struct Call {
    std::vector<std::string> argv;
    bool waited;
  };
  std::vector<Call> calls;
  // Output per program name for run(); a program listed in `failing` cannot be started.
  std::map<std::string, std::string> outputs;
  std::vector<std::string> failing;

  FakeDesktop() {
    DesktopCommand::setRunnerForTesting([this](const std::vector<std::string>& argv, bool wait, std::string* out) {
      calls.push_back({argv, wait});
      for (const auto& f : failing)
        if (!argv.empty() && argv[0] == f) return std::optional<int>();
      if (out && !argv.empty() && outputs.count(argv[0])) *out = outputs[argv[0]];
      return std::optional<int>(0);
    });
  }
  ~FakeDesktop() { DesktopCommand::setRunnerForTesting(nullptr); }

  size_t count(const std::string& program) const {
    size_t n = 0;
    for (const auto& c : calls)
      if (!c.argv.empty() && c.argv[0] == program) ++n;
    return n;
  }
};
