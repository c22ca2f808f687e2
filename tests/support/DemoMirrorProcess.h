// Starts the demo mirror (tools/mirror) on a free loopback port for one test and stops it again.
// Every wait is bounded; a mirror that does not stop is killed.
//
//   std::string error;
//   auto mirror = DemoMirrorProcess::start({.failure = "truncated"}, error);
//   ASSERT_TRUE(mirror) << error;
//   mirror->host();   // "127.0.0.1:PORT", a value for the "MirrorHost1".."MirrorHost7" settings
//   mirror->url("audioCont", 7, 112);
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

class DemoMirrorProcess {
public:
    struct Options {
        // none, not-found, truncated, stall, wrong-length, corrupt-gzip, bad-tar, escaping-tar,
        // cut-in-padding (see tools/mirror/DemoMirror.h)
        std::string failure = "none";
        int stallSeconds = 20;
        // Where made archives are kept; empty: a folder of the build tree shared by all tests.
        std::string cacheDir;
        // Seconds every answer waits after its request.
        int answerDelaySeconds = 0;
    };

    static std::unique_ptr<DemoMirrorProcess> start(const Options& options, std::string& error);
    ~DemoMirrorProcess();

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    std::string url(const std::string& kind, int folder, int surah) const;
    // Stops the mirror (terminate, then kill after a few seconds); true when it ended by itself.
    bool stop();

    // The folder of the build tree that start() uses by default.
    static std::string sharedCacheDir();

private:
    DemoMirrorProcess() = default;
    pid_t pid_ = -1;
    int port_ = 0;
};
