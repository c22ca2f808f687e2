// A cold start: the program started as a new process on fresh Documents and settings (the
// user database copied from the bundle, the schema steps, the tab bar, the chapter index),
// until the first frame of the reading screen with its chapter's rows is drawn, on the real
// clock (the reading screen's 0.05 s load delay included). The process is this benchmark
// run again with "--child", launching the program in-process as its main() does; the time
// runs from the spawn to the child's word that the frame is drawn. Prints the median of
// several starts as "figure cold_start_ms" (target: at most 80 ms).

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/app/BenchLaunch.h"
#include "bench/support/ChildRun.h"
#include "platform/foundation/RunLoop.h"

namespace {

using Clock = std::chrono::steady_clock;

// The child: launch, run the loop until the reading screen is loaded, draw, tell the parent.
int child(const std::string& home, const std::string& reportFd) {
    BenchLaunch app(home, 1, false);
    if (!app.launch()) return 1;
    const Clock::time_point giveUp = Clock::now() + std::chrono::seconds(20);
    while (!app.readingScreenLoaded()) {
        if (Clock::now() > giveUp) return 1;
        RunLoop::main().runOnce(0.002);
        app.backend().frame();
    }
    app.backend().frame();
    return reportToParent(reportFd, "!") ? 0 : 1;
}

// One start in a fresh home; its time in ms, or a negative number when the child failed.
double start() {
    std::string home = (std::filesystem::temp_directory_path() / "lumeno-cold-XXXXXX").string();
    if (!mkdtemp(home.data())) return -1;
    const ChildReport run = runSelfAsChild({"--child", home});
    std::filesystem::remove_all(home);
    return run.ok ? run.msToReport : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) return child(argv[2], argv[3]);

    std::vector<double> times;
    for (int i = 0; i < 9; ++i) {
        const double ms = start();
        if (ms < 0) {
            std::fprintf(stderr, "a start did not reach the reading screen\n");
            return 1;
        }
        times.push_back(ms);
    }
    std::printf("figure cold_start_ms %.1f ms\n", median(times));
    return 0;
}
