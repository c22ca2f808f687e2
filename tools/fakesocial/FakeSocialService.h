#pragma once
// A stand-in for the social network on 127.0.0.1 only: the login page, "me", the profile
// picture, "stream.publish" and "auth.expireSession". It records every request it receives
// and has switches that make it fail, for tests and the demo.

#include <atomic>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class FakeSocialService {
 public:
  struct Received {
    std::string method;
    std::string path;   // without the query
    std::string query;  // raw
    std::map<std::string, std::string> headers;  // names lower-cased
    std::string body;
    // The fields of a multipart body, in order.
    std::vector<std::pair<std::string, std::string>> fields;
  };

  // How an answer is given: at once, never (the connection stays open and silent), or as a
  // body that trickles in a byte at a time and never ends (a picture's begins with half the
  // picture).
  enum class Pace { Prompt, Silent, Trickle };

  struct Switches {
    int loginStatus = 200;     // the login page's status
    std::optional<long long> expiresIn = 3600;  // none: the redirect carries no lifetime
    int meStatus = 200;
    int pictureStatus = 200;
    int postStatus = 200;
    std::string postBody = "\"1001_1\"";  // the new post's identifier as a JSON text
    Pace mePace = Pace::Prompt;
    Pace picturePace = Pace::Prompt;
    Pace postPace = Pace::Prompt;
    // Real seconds after which the service itself closes a connection it holds; none: it holds
    // it until the client hangs up.
    std::optional<int> holdLimit;
  };

  static constexpr const char* kToken = "fake-token-1001";
  static constexpr const char* kUserId = "1001";
  static constexpr const char* kPicturePath = "/1001/picture";

  FakeSocialService();
  ~FakeSocialService();

  // Listens on 127.0.0.1 (port 0: any free port); false when the port cannot be had.
  [[nodiscard]] bool start(int port = 0);
  void stop();
  int port() const { return port_; }
  std::string origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

  void setSwitches(const Switches& switches);
  std::vector<Received> received() const;
  // Body bytes sent so far on answers that trickle, and connections held open (silent or
  // trickling) that the client closed.
  int trickledBytes() const { return trickledBytes_; }
  int hangUps() const { return hangUps_; }
  // Each request is also appended to this file as one JSON line.
  void setRecordFile(std::string path) { recordFile_ = std::move(path); }

  // Splits a multipart/form-data body by the boundary of its content type; none when malformed.
  static std::optional<std::vector<std::pair<std::string, std::string>>> parseMultipart(const std::string& contentType,
                                                                                       const std::string& body);

 private:
  void acceptLoop();
  void serve(int fd);
  void hold(int fd, Pace pace, const std::string& trickleHead, std::optional<int> limit);
  std::string answer(const Received& request);
  std::string loginPage(const std::map<std::string, std::string>& query) const;
  void record(const Received& request);

  int listenFd_ = -1;
  int port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::vector<std::thread> holders_;  // one per connection held open; used by the acceptor and stop()
  std::atomic<int> trickledBytes_{0};
  std::atomic<int> hangUps_{0};
  mutable std::mutex mutex_;
  Switches switches_;
  std::vector<Received> received_;
  std::string recordFile_;
  std::string picture_;  // PNG bytes
};
