#pragma once
// A tiny HTTP/1.1 server on 127.0.0.1 for network tests: the OS picks the port, every connection
// is served on its own thread, and a route is a function from the request to raw actions.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct HTTPRequestSeen {
  std::string method, path;
  std::map<std::string, std::string> headers;  // names lower-cased
  std::string body;
};

class LoopbackHTTPServer {
 public:
  // Writes the answer on the socket; may call `send` several times, `hold` to stall.
  class Reply {
   public:
    Reply(int fd, LoopbackHTTPServer& server) : fd_(fd), server_(server) {}
    bool send(const std::string& bytes) {
      size_t off = 0;
      while (off < bytes.size()) {
        ssize_t n = ::send(fd_, bytes.data() + off, bytes.size() - off, MSG_NOSIGNAL);
        if (n <= 0) return false;
        off += static_cast<size_t>(n);
      }
      return true;
    }
    // Keeps the connection open, sending nothing, until the server stops.
    void hold() { server_.waitForStop(); }

   private:
    int fd_;
    LoopbackHTTPServer& server_;
  };
  using Handler = std::function<void(const HTTPRequestSeen&, Reply&)>;

  LoopbackHTTPServer() {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int one = 1;
    setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    ::bind(listenFd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    socklen_t len = sizeof addr;
    getsockname(listenFd_, reinterpret_cast<sockaddr*>(&addr), &len);
    port_ = ntohs(addr.sin_port);
    ::listen(listenFd_, 16);
    acceptor_ = std::thread([this] { acceptLoop(); });
  }

  ~LoopbackHTTPServer() { stop(); }

  void route(const std::string& path, Handler h) {
    std::lock_guard lock(mutex_);
    routes_[path] = std::move(h);
  }

  std::string url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }
  int port() const { return port_; }

  std::vector<HTTPRequestSeen> requests() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

  void stop() {
    if (stopping_) return;
    {
      std::lock_guard lock(stopMutex_);
      stopping_ = true;
    }
    stopCv_.notify_all();
    if (acceptor_.joinable()) acceptor_.join();
    ::close(listenFd_);
    std::vector<std::thread> workers;
    {
      std::lock_guard lock(mutex_);
      workers.swap(workers_);
    }
    for (auto& t : workers) t.join();
  }

  // A plain complete response.
  static std::string response(int status, const std::string& reason, const std::string& body,
                              const std::string& extraHeaders = "") {
    return "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n" + extraHeaders + "\r\n" + body;
  }

 private:
  void waitForStop() {
    std::unique_lock lock(stopMutex_);
    stopCv_.wait_for(lock, std::chrono::seconds(20), [this] { return stopping_.load(); });
  }

  void acceptLoop() {
    while (!stopping_) {
      pollfd p{listenFd_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      int fd = ::accept(listenFd_, nullptr, nullptr);
      if (fd < 0) continue;
      std::lock_guard lock(mutex_);
      workers_.emplace_back([this, fd] { serve(fd); });
    }
  }

  void serve(int fd) {
    std::string data;
    char buf[4096];
    size_t headerEnd = std::string::npos;
    while ((headerEnd = data.find("\r\n\r\n")) == std::string::npos) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) { ::close(fd); return; }
      ssize_t n = ::recv(fd, buf, sizeof buf, 0);
      if (n <= 0) { ::close(fd); return; }
      data.append(buf, static_cast<size_t>(n));
    }
    HTTPRequestSeen req;
    std::string head = data.substr(0, headerEnd);
    size_t lineEnd = head.find("\r\n");
    std::string first = head.substr(0, lineEnd);
    auto sp1 = first.find(' '), sp2 = first.rfind(' ');
    req.method = first.substr(0, sp1);
    req.path = first.substr(sp1 + 1, sp2 - sp1 - 1);
    size_t pos = lineEnd == std::string::npos ? head.size() : lineEnd + 2;
    while (pos < head.size()) {
      size_t e = head.find("\r\n", pos);
      if (e == std::string::npos) e = head.size();
      std::string line = head.substr(pos, e - pos);
      auto colon = line.find(':');
      if (colon != std::string::npos) {
        std::string name = line.substr(0, colon);
        for (auto& c : name) c = static_cast<char>(tolower(c));
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        req.headers[name] = value;
      }
      pos = e + 2;
    }
    req.body = data.substr(headerEnd + 4);
    size_t want = req.headers.count("content-length") ? std::stoul(req.headers["content-length"]) : 0;
    while (req.body.size() < want) {
      ssize_t n = ::recv(fd, buf, sizeof buf, 0);
      if (n <= 0) break;
      req.body.append(buf, static_cast<size_t>(n));
    }
    Handler h;
    {
      std::lock_guard lock(mutex_);
      seen_.push_back(req);
      auto path = req.path.substr(0, req.path.find('?'));
      if (routes_.count(path)) h = routes_[path];
    }
    Reply reply(fd, *this);
    if (h) h(req, reply);
    else reply.send(response(404, "Not Found", "no route"));
    ::shutdown(fd, SHUT_RDWR);
    ::close(fd);
  }

  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::mutex mutex_;
  std::map<std::string, Handler> routes_;
  std::vector<HTTPRequestSeen> seen_;
  std::vector<std::thread> workers_;
  std::thread acceptor_;
  std::mutex stopMutex_;
  std::condition_variable stopCv_;
};
