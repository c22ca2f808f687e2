// The demo mirror: an HTTP server on 127.0.0.1 that serves the synthetic recitations' chapter
// archives under /downloads/iphone/..., making each on its first request. A failure switch
// makes it misbehave the way real mirrors do, for tests of the downloader and installer.
#pragma once

#include "tools/recitations/RecitationArchiver.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

enum class MirrorFailure {
    None,
    NotFound,     // 404 for every path
    Truncated,    // the full length announced, the connection closed half way
    Stall,        // headers and a little data, then silence for the stall time
    WrongLength,  // half the length announced and sent: a short archive that looks complete
    CorruptGzip,  // a damaged gzip stream
    BadTar,       // a valid gzip stream around a tar header with a wrong checksum
    EscapingTar,  // a valid archive whose first member is named "../<name>"
    CutInPadding, // the gzip stream cut (and announced so) just after the tar's two end blocks
};

std::optional<MirrorFailure> mirrorFailureNamed(const std::string& name);

struct MirrorOptions {
    MirrorFailure failure = MirrorFailure::None;
    int stallSeconds = 20;
    int answerDelaySeconds = 0;  // every answer waits this long after its request
    bool quiet = false;
};

class DemoMirror {
public:
    DemoMirror(RecitationArchiver& archiver, MirrorOptions options);
    ~DemoMirror();

    // Binds 127.0.0.1:port (0 picks a free port).
    [[nodiscard]] bool listen(int port, std::string& error);
    int port() const { return port_; }
    // Serves until requestStop(); then waits for the open connections to end.
    void run();
    // Async-signal-safe.
    void requestStop();

    // The body served for an archive under a failure switch (all of it is announced and sent,
    // except under Truncated, Stall and WrongLength).
    static std::vector<uint8_t> damaged(const std::vector<uint8_t>& archive, MirrorFailure failure);

private:
    void serve(int client);
    bool sendAll(int client, const void* data, size_t size);
    void respond(int client, int status, const std::vector<uint8_t>& body, size_t announced, size_t sent);
    void log(const std::string& line);

    RecitationArchiver& archiver_;
    MirrorOptions options_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};
    std::atomic<bool> stopping_{false};
    std::mutex lock_;
    std::condition_variable stopped_;
    struct Connection {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::vector<Connection> connections_;  // joined once done, and all at the end
};
