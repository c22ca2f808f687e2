// A cold start: the program started as a new process on fresh Documents and settings (the
// user database copied from the bundle, the schema steps, the tab bar, the chapter index),
// until the first frame of the reading screen with its chapter's rows is drawn, on the real
// clock (the reading screen's 0.05 s load delay included). The process is this benchmark
// run again with "--child", launching the program in-process as its main() does; the time
// runs from the spawn to the child's word that the frame is drawn. Prints the median of
// several starts as "figure cold_start_ms" (target: at most 80 ms).

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/app/BenchLaunch.h"
#include "platform/foundation/RunLoop.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// The child: launch, run the loop until the reading screen is loaded, draw, tell the parent.
int child(const std::string& home, int reportFd) {
    BenchLaunch app(home, 1, false);
    if (!app.launch()) return 1;
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(20);
    while (!app.readingScreenLoaded()) {
        if (Clock::now() > giveUp) return 1;
        RunLoop::main().runOnce(0.002);
        app.backend().frame();
    }
    app.backend().frame();
    const char ready = '!';
    if (write(reportFd, &ready, 1) != 1) return 1;
    return 0;
}

// One start; its time in ms, or a negative number when the child failed.
double start(const std::string& self) {
    std::string home = (std::filesystem::temp_directory_path() / "lumeno-cold-XXXXXX").string();
    if (!mkdtemp(home.data())) return -1;
    int fds[2];
    if (pipe(fds) != 0) return -1;
    const std::string fd = std::to_string(fds[1]);
    const char* argv[] = {self.c_str(), "--child", home.c_str(), fd.c_str(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    pid_t pid = 0;
    const Clock::time_point begin = Clock::now();
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    char ready = 0;
    const bool heard = spawned == 0 && read(fds[0], &ready, 1) == 1;
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    close(fds[0]);
    int status = 0;
    if (spawned == 0) waitpid(pid, &status, 0);
    std::filesystem::remove_all(home);
    return heard && WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], std::atoi(argv[3]));

    const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        const double ms = start(self);
        if (ms < 0) {
            std::fprintf(stderr, "a start did not reach the reading screen\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    std::printf("figure cold_start_ms %.1f ms\n", times[times.size() / 2]);
    return 0;
}
