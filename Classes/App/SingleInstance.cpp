#include "Classes/App/SingleInstance.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/QuotedText.h"
#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"

namespace {

// How long a second start waits for the running reader's answer.
constexpr int kAnswerMs = 5000;
// How often it tries to reach a reader that holds the lock but does not listen yet.
constexpr int kConnectTries = 100, kConnectPauseMs = 20;
constexpr char kAnswer = '\n';

uint64_t fnv1a64(const std::string& text) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// Runs a bind or connect on the socket file. A path longer than an address holds is reached
// from its folder, as a name relative to the working folder, which is restored after.
template <class Call>
int atSocketPath(const std::string& path, Call&& call) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() < sizeof(address.sun_path)) {
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        return call(reinterpret_cast<sockaddr*>(&address), static_cast<socklen_t>(sizeof address));
    }
    const std::string name = str::lastPathComponent(path);
    if (name.size() >= sizeof(address.sun_path)) {
        errno = ENAMETOOLONG;
        return -1;
    }
    std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
    const int here = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (here < 0) return -1;
    int result = -1;
    if (::chdir(str::deletingLastPathComponent(path).c_str()) == 0) {
        result = call(reinterpret_cast<sockaddr*>(&address), static_cast<socklen_t>(sizeof address));
        const int saved = errno;
        if (::fchdir(here) != 0) result = -1;
        errno = saved;
    }
    ::close(here);
    return result;
}

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Reads until a newline, the limit or the deadline; false on anything else.
bool readLine(int fd, std::string* line, size_t limit, int timeoutMs) {
    char buffer[512];
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, timeoutMs);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) return false;
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        for (ssize_t i = 0; i < n; ++i) {
            if (buffer[i] == '\n') return true;
            if (line->size() >= limit) return false;
            line->push_back(buffer[i]);
        }
    }
}

// A link goes in one line: no control characters.
bool isOneLine(const std::string& link) {
    for (unsigned char c : link)
        if (c < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace

bool SingleInstance::canHandOver(const std::string& link) { return link.size() <= kMaxLink && isOneLine(link); }

std::string SingleInstance::runtimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && *runtime ? std::string(runtime) : Paths::caches();
}

std::string SingleInstance::socketPath(const std::string& runtimeFolder, const std::string& configFolder,
                                       const std::string& documentsFolder) {
    char name[40];
    std::snprintf(name, sizeof name, "lumeno-%016llx.sock",
                  static_cast<unsigned long long>(fnv1a64(configFolder + '\n' + documentsFolder)));
    return str::appendPathComponent(runtimeFolder, name);
}

SingleInstance::SingleInstance(std::string socketPath) : path_(std::move(socketPath)) {}

SingleInstance::~SingleInstance() { stop(); }

SingleInstance::Role SingleInstance::claim(const std::string& link, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return Role::Failed;
    };
    // Without a lock or a socket of its own, the reader still starts.
    auto alone = [&](const std::string& why, const std::string& reason) {
        if (error) *error = why + ": " + reason;
        return Role::Alone;
    };
    if (!canHandOver(link)) return fail("the link is not one line of at most 4096 bytes");
    const std::string folder = str::deletingLastPathComponent(path_);
    std::error_code made;
    std::filesystem::create_directories(folder, made);
    if (made) return alone("cannot make the runtime folder " + str::quoteForMessage(folder), made.message());

    // The lock is held for the reader's life; the kernel drops it when the process ends.
    const std::string lockPath = path_ + ".lock";
    lockFd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lockFd_ < 0) return alone("cannot open " + str::quoteForMessage(lockPath), std::strerror(errno));
    if (::flock(lockFd_, LOCK_EX | LOCK_NB) == 0) {
        // Whatever socket file is there was left by a reader that ended.
        ::unlink(path_.c_str());
        listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (listenFd_ < 0 ||
            atSocketPath(path_, [&](sockaddr* a, socklen_t n) { return ::bind(listenFd_, a, n); }) != 0 ||
            ::listen(listenFd_, 8) != 0) {
            const int code = errno;
            // The lock stays held: a later start finds this reader and says so.
            if (listenFd_ >= 0) ::close(listenFd_);
            listenFd_ = -1;
            ::unlink(path_.c_str());
            return alone("cannot listen on " + str::quoteForMessage(path_), std::strerror(code));
        }
        return Role::Primary;
    }
    const int lockError = errno;
    ::close(lockFd_);
    lockFd_ = -1;
    if (lockError != EWOULDBLOCK) return alone("cannot lock " + str::quoteForMessage(lockPath), std::strerror(lockError));

    // Another reader runs: it may still be about to listen.
    for (int attempt = 0; attempt < kConnectTries; ++attempt) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return fail(std::string("cannot make a socket: ") + std::strerror(errno));
        if (atSocketPath(path_, [&](sockaddr* a, socklen_t n) { return ::connect(fd, a, n); }) != 0) {
            ::close(fd);
            ::usleep(kConnectPauseMs * 1000);
            continue;
        }
        std::string message = link + '\n', answer;
        const bool sent = writeAll(fd, message.data(), message.size()) && readLine(fd, &answer, 16, kAnswerMs);
        ::close(fd);
        if (sent && answer == "ok") return Role::HandedOver;
        return fail("the running reader did not take the link" + (answer.empty() ? std::string() : ": " + answer));
    }
    return fail("another reader holds " + str::quoteForMessage(path_) + " but does not answer");
}

void SingleInstance::listen(std::function<void(const std::string&)> onLink) {
    if (listenFd_ < 0 || listener_.joinable()) return;
    if (::pipe2(wakePipe_, O_CLOEXEC) != 0) {
        NSLog("Error: cannot listen for links: %s", std::strerror(errno));
        return;
    }
    onLink_ = std::move(onLink);
    listener_ = std::thread([this] { acceptLoop(); });
}

void SingleInstance::acceptLoop() {
    for (;;) {
        pollfd fds[2] = {{listenFd_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[1].revents) return;
        if (!(fds[0].revents & POLLIN)) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::string link;
        const bool ok = readLine(fd, &link, kMaxLink, kAnswerMs) && isOneLine(link);
        const std::string answer = ok ? "ok\n" : "refused\n";
        (void)writeAll(fd, answer.data(), answer.size());
        ::close(fd);
        if (!ok) {
            NSLog("A link handed over by a second start was refused (too long or not one line).");
            continue;
        }
        RunLoop::main().post([onLink = onLink_, link] { onLink(link); });
    }
}

void SingleInstance::stop() {
    if (listener_.joinable()) {
        const char wake = 1;
        (void)!::write(wakePipe_[1], &wake, 1);
        listener_.join();
    }
    for (int* fd : {&wakePipe_[0], &wakePipe_[1]}) {
        if (*fd >= 0) ::close(*fd);
        *fd = -1;
    }
    if (listenFd_ >= 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        ::unlink(path_.c_str());
    }
    if (lockFd_ >= 0) {
        ::close(lockFd_);
        lockFd_ = -1;
    }
}
