#include "bench/support/ChildRun.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

extern char** environ;

ChildReport runSelfAsChild(const std::vector<std::string>& arguments) {
    using Clock = std::chrono::steady_clock;
    ChildReport result;
    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    int fds[2];
    if (pipe(fds) != 0) return result;
    std::vector<std::string> args{self};
    args.insert(args.end(), arguments.begin(), arguments.end());
    args.push_back(std::to_string(fds[1]));
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    const Clock::time_point begin = Clock::now();
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char buffer[256];
    bool first = true;
    for (ssize_t n; spawned == 0 && (n = read(fds[0], buffer, sizeof buffer)) > 0;) {
        if (first) result.msToReport = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
        first = false;
        result.report.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    result.ok = spawned == 0 && !first && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return result;
}

bool reportToParent(const std::string& descriptor, const std::string& report) {
    const int fd = std::stoi(descriptor);
    const bool written = write(fd, report.data(), report.size()) == static_cast<ssize_t>(report.size());
    close(fd);
    return written;
}

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
