#include "tests/support/DemoMirrorProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

constexpr int kStartTimeoutMs = 20000;
constexpr int kStopTimeoutMs = 5000;
const std::string kListening = "listening on 127.0.0.1:";

}  // namespace

std::string DemoMirrorProcess::sharedCacheDir() { return LUMENO_MIRROR_CACHE_DIR; }

std::unique_ptr<DemoMirrorProcess> DemoMirrorProcess::start(const Options& options, std::string& error)
{
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) {
        error = "cannot make a pipe";
        return nullptr;
    }
    const std::string stall = std::to_string(options.stallSeconds);
    const std::string cache = options.cacheDir.empty() ? sharedCacheDir() : options.cacheDir;
    std::vector<std::string> args = {LUMENO_MIRROR_PATH, "--port",  "0",   "--content", LUMENO_MIRROR_CONTENT_DB,
                                     "--cache",          cache,     "--fail", options.failure, "--stall-seconds",
                                     stall,              "--answer-delay", std::to_string(options.answerDelaySeconds),
                                     "--quiet"};
    std::vector<char*> argv;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    const pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        error = "cannot fork";
        close(out[0]);
        close(out[1]);
        return nullptr;
    }
    if (pid == 0) {
        // A test killed by its time limit takes its mirror with it, so ctest is not kept waiting.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);
        dup2(out[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(out[1]);
    std::unique_ptr<DemoMirrorProcess> mirror(new DemoMirrorProcess);
    mirror->pid_ = pid;

    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    while (line.find('\n') == std::string::npos) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd pfd{out[0], POLLIN, 0};
        if (left.count() <= 0 || poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buffer[256];
        ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, static_cast<size_t>(n));
    }
    close(out[0]);
    const size_t at = line.find(kListening);
    if (at == std::string::npos) {
        error = "the demo mirror did not start: " + (line.empty() ? std::string("no output") : line);
        return nullptr;  // the destructor stops what did start
    }
    mirror->port_ = std::atoi(line.c_str() + at + kListening.size());
    return mirror;
}

std::string DemoMirrorProcess::url(const std::string& kind, int folder, int surah) const
{
    char path[96];
    std::snprintf(path, sizeof path, "/downloads/iphone/%s/%d/%03d.tar.gz", kind.c_str(), folder, surah);
    return "http://" + host() + path;
}

bool DemoMirrorProcess::stop()
{
    if (pid_ <= 0)
        return true;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < kStopTimeoutMs; waited += 10) {
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return WIFEXITED(status);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return false;
}

DemoMirrorProcess::~DemoMirrorProcess() { stop(); }
