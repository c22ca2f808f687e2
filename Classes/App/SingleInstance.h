#pragma once
// One reader per user and settings: the first start holds a lock and listens on a socket in
// the runtime folder ($XDG_RUNTIME_DIR, else the cache folder); a later start with the same
// settings and Documents folders hands its link (any text its command line took, possibly
// empty) to the running one and exits. The lock is the kernel's, so a reader that was killed
// leaves nothing that blocks the next start: its socket file is replaced. Where the lock or the
// socket cannot be made (a read-only or full runtime folder), the reader runs alone: it
// starts, but later starts cannot hand it their links.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

class SingleInstance {
public:
    enum class Role {
        Primary,    // this process runs the reader and receives links
        Alone,      // this process runs the reader without the hand-over; *error says why
        HandedOver, // another reader runs and took the link
        Failed,     // another reader runs but did not answer, or the link cannot be sent; *error says why
    };

    // The socket file of the reader using these folders, in runtimeFolder.
    static std::string socketPath(const std::string& runtimeFolder, const std::string& configFolder,
                                  const std::string& documentsFolder);
    // The runtime folder: $XDG_RUNTIME_DIR when set, else the cache folder.
    static std::string runtimeFolder();

    explicit SingleInstance(std::string socketPath);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Becomes the primary reader, or hands `link` to the one that runs.
    Role claim(const std::string& link, std::string* error);

    // Primary: each link handed over is given to onLink on the main run loop. Starts the
    // listening thread (not a worker: it lives until stop() or destruction).
    void listen(std::function<void(const std::string&)> onLink);
    void stop();

    // Longest link taken, in bytes.
    static constexpr size_t kMaxLink = 4096;
    // A link that can be handed over: one line of at most kMaxLink bytes.
    static bool canHandOver(const std::string& link);

private:
    void acceptLoop();
    std::string path_;
    int lockFd_ = -1;
    int listenFd_ = -1;
    int wakePipe_[2] = {-1, -1};
    std::thread listener_;
    std::function<void(const std::string&)> onLink_;
};
