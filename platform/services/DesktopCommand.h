#pragma once
// Runs the desktop's helper programs (xdg-open, xdg-mime, notify-send, a mail client) with an
// argument list, never through a shell. Tests replace the runner to see what would be run.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class DesktopCommand {
 public:
  // True when the program is found on PATH (or is an executable path).
  static bool exists(const std::string& program);
  // Runs and waits up to `timeoutSeconds` (then kills it); returns the exit status and, when
  // asked, standard output. None when it could not be started or timed out.
  static std::optional<int> run(const std::vector<std::string>& argv, std::string* output = nullptr,
                                double timeoutSeconds = 10.0);
  // Starts without waiting (the child is reaped in the background); false when it could not
  // be started.
  static bool launch(const std::vector<std::string>& argv);

  // Replaces run() and launch() (and makes exists() true): the runner gets the argument list and whether the caller
  // waits, and returns the exit status (none = could not start) and the output.
  using Runner = std::function<std::optional<int>(const std::vector<std::string>& argv, bool wait, std::string* output)>;
  static void setRunnerForTesting(Runner runner);
};
