#include "platform/services/DesktopCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/foundation/Log.h"

extern char** environ;

namespace {
std::mutex gRunnerMutex;
DesktopCommand::Runner gRunner;

DesktopCommand::Runner runner() {
  std::lock_guard lock(gRunnerMutex);
  return gRunner;
}

std::vector<char*> cArgs(const std::vector<std::string>& argv) {
  std::vector<char*> out;
  for (const auto& a : argv) out.push_back(const_cast<char*>(a.c_str()));
  out.push_back(nullptr);
  return out;
}

// Starts the program with stdin from /dev/null and stdout to `outFd` (or /dev/null).
std::optional<pid_t> spawn(const std::vector<std::string>& argv, int outFd) {
  if (argv.empty() || argv[0].empty()) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  if (outFd >= 0) posix_spawn_file_actions_adddup2(&actions, outFd, 1);
  else posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  auto args = cArgs(argv);
  pid_t pid = 0;
  int rc = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) {
    NSLog("Cannot start %@: %s", argv[0], strerror(rc));
    return std::nullopt;
  }
  return pid;
}
}  // namespace

void DesktopCommand::setRunnerForTesting(Runner r) {
  std::lock_guard lock(gRunnerMutex);
  gRunner = std::move(r);
}

bool DesktopCommand::exists(const std::string& program) {
  if (program.empty()) return false;
  if (runner()) return true;  // a test runner stands in for every program
  if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0;
  const char* path = std::getenv("PATH");
  std::string paths = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= paths.size()) {
    size_t end = paths.find(':', start);
    std::string dir = paths.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!dir.empty()) {
      std::string candidate = dir + "/" + program;
      struct stat st {};
      if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
        return true;
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return false;
}

std::optional<int> DesktopCommand::run(const std::vector<std::string>& argv, std::string* output,
                                       double timeoutSeconds) {
  if (auto r = runner()) return r(argv, true, output);
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return std::nullopt;
  auto pid = spawn(argv, pipeFds[1]);
  close(pipeFds[1]);
  if (!pid) {
    close(pipeFds[0]);
    return std::nullopt;
  }
  std::string out;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
  bool timedOut = false;
  char buf[4096];
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    if (left <= 0) {
      timedOut = true;
      break;
    }
    pollfd p{pipeFds[0], POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
    ssize_t n = read(pipeFds[0], buf, sizeof buf);
    if (n <= 0) break;
    if (out.size() < (1u << 20)) out.append(buf, static_cast<size_t>(n));
  }
  close(pipeFds[0]);
  if (timedOut) kill(*pid, SIGKILL);
  int status = 0;
  waitpid(*pid, &status, 0);
  if (timedOut) {
    NSLog("%@ did not finish in time", argv[0]);
    return std::nullopt;
  }
  if (output) *output = std::move(out);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool DesktopCommand::launch(const std::vector<std::string>& argv) {
  if (auto r = runner()) return r(argv, false, nullptr).has_value();
  auto pid = spawn(argv, -1);
  if (!pid) return false;
  std::thread([p = *pid] {
    int status = 0;
    waitpid(p, &status, 0);
  }).detach();
  return true;
}
