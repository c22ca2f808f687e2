// Quitting while a search runs: the program is started headless on a script that searches and
// quits at once, 100 times, on the same folders after a first start that closed the update
// notice (as a user's program finds them). A run that does not exit with 0 (a
// crash ends it by a signal) or that logs a connection closed under a worker counts. Prints
// "figure quit_during_search_crashes" (target 0) over the runs.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kRuns = 100;

std::string quoted(const fs::path& p) {
    std::string text = "'";
    text += p.string();
    text += '\'';
    return text;
}

}  // namespace

int main() {
    const fs::path program = fs::read_symlink("/proc/self/exe").parent_path() / "lumeno";
    if (!fs::exists(program)) {
        std::fprintf(stderr, "no program at %s\n", program.c_str());
        return 1;
    }
    const fs::path home = fs::temp_directory_path() / ("lumeno-bench-quit-" + std::to_string(getpid()));
    fs::create_directories(home);
    const fs::path script = home / "search.script";
    std::ofstream(script) << "wait 3\ntap 200 460\nwait 1\ntap 160 21\nwait 1\ntype mercy\nkey Return\n"
                             "wait 3\nshot s1.png\ntap 35 21\nwait 1\nshot s2.png\nquit\n";
    const fs::path warmUp = home / "warm-up.script";
    std::ofstream(warmUp) << "wait 1\ntap 160 300\nwait 1\nquit\n";
    auto start = [&](const fs::path& file, const fs::path& log) {
        const std::string command = "env LUMENO_CONFIG_DIR=" + quoted(home / "config") +
                                    " LUMENO_CACHES_DIR=" + quoted(home / "caches") + " XDG_RUNTIME_DIR=" +
                                    quoted(home) + " " + quoted(program) + " --headless --script " + quoted(file) +
                                    " --shots " + quoted(home / "shots") + " --documents " +
                                    quoted(home / "documents") + " > " + quoted(log) + " 2>&1";
        return std::system(command.c_str());
    };
    if (start(warmUp, home / "warm-up.log") != 0) {
        std::fprintf(stderr, "the first start failed\n");
        return 1;
    }
    int crashes = 0;
    for (int run = 0; run < kRuns; ++run) {
        const fs::path log = home / "log";
        const int status = start(script, log);
        std::ifstream in(log);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const bool failed = !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
                            text.find("unfinalized") != std::string::npos ||
                            text.find("still run at shutdown") != std::string::npos;
        if (failed) {
            ++crashes;
            std::fprintf(stderr, "run %d failed (status %d):\n%s\n", run, status, text.c_str());
        }
    }
    fs::remove_all(home);
    std::printf("figure quit_during_search_crashes %d runs_of_%d\n", crashes, kRuns);
    return 0;
}
