// lumeno-mirror: the demo mirror of the synthetic recitations, on 127.0.0.1 only.
#include "tools/mirror/DemoMirror.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace {

DemoMirror* g_mirror = nullptr;

void onSignal(int)
{
    if (g_mirror)
        g_mirror->requestStop();
}

int usage()
{
    std::fprintf(stderr,
                 "usage: lumeno-mirror [--port N] [--content lumeno.db] [--cache DIR] [--quiet]\n"
                 "                     [--fail none|not-found|truncated|stall|wrong-length|corrupt-gzip|bad-tar|escaping-tar|cut-in-padding]\n"
                 "                     [--stall-seconds N] [--answer-delay SECONDS]\n"
                 "Serves GET /downloads/iphone/<audioCont|audiov2.2>/<folder>/<CCC>.tar.gz on 127.0.0.1.\n"
                 "--port 0 picks a free port; the first line on standard output names the address.\n");
    return 2;
}

std::string defaultCache()
{
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg)
        return std::string(xdg) + "/lumeno/mirror";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.cache/lumeno/mirror";
    return "mirror-cache";
}

}  // namespace

int main(int argc, char** argv)
{
    std::map<std::string, std::string> args;
    for (int i = 1; i < argc; ++i) {
        std::string key = argv[i];
        if (key == "--quiet") {
            args[key] = "1";
        } else if (key == "--port" || key == "--content" || key == "--cache" || key == "--fail" ||
                   key == "--stall-seconds" || key == "--answer-delay") {
            if (i + 1 >= argc)
                return usage();
            args[key] = argv[++i];
        } else {
            return usage();
        }
    }
    MirrorOptions options;
    options.quiet = args.count("--quiet") > 0;
    if (args.count("--fail")) {
        auto failure = mirrorFailureNamed(args["--fail"]);
        if (!failure)
            return usage();
        options.failure = *failure;
    }
    if (args.count("--stall-seconds"))
        options.stallSeconds = std::atoi(args["--stall-seconds"].c_str());
    if (args.count("--answer-delay"))
        options.answerDelaySeconds = std::atoi(args["--answer-delay"].c_str());
    const int port = args.count("--port") ? std::atoi(args["--port"].c_str()) : 8642;
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::string content = args.count("--content") ? args["--content"] : (exe.parent_path() / "bundle/lumeno.db").string();
    const std::string cache = args.count("--cache") ? args["--cache"] : defaultCache();

    std::string error;
    auto archiver = RecitationArchiver::open(content, cache, error);
    if (!archiver) {
        std::fprintf(stderr, "lumeno-mirror: error: %s\n", error.c_str());
        return 1;
    }
    DemoMirror mirror(*archiver, options);
    if (!mirror.listen(port, error)) {
        std::fprintf(stderr, "lumeno-mirror: error: %s\n", error.c_str());
        return 1;
    }
    g_mirror = &mirror;
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::printf("lumeno-mirror: listening on 127.0.0.1:%d\n", mirror.port());
    std::fflush(stdout);
    mirror.run();
    g_mirror = nullptr;
    return 0;
}
