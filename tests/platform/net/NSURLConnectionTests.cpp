#include <gtest/gtest.h>
#include <link.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/foundation/RunLoop.h"
#include "platform/net/NSHTTPCookieStorage.h"
#include "platform/net/NSURL.h"
#include "platform/net/NSURLConnection.h"
#include "tests/platform/net/LoopbackHTTPServer.h"

namespace {

std::string patternBytes(size_t n) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
  return s;
}

// Records every delegate call in order.
struct Recorder : NSURLConnectionDelegate {
  std::vector<std::string> events;
  int status = 0;
  long long expected = -2;
  std::string body;
  int chunks = 0;
  NSError error;
  bool ended = false;

  void connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& r) override {
    events.push_back("response");
    status = r.statusCode();
    expected = r.expectedContentLength();
  }
  void connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& d) override {
    if (events.empty() || events.back() != "data") events.push_back("data");
    body.append(d.begin(), d.end());
    ++chunks;
  }
  void connectionDidFinishLoading(NSURLConnection&) override {
    events.push_back("finish");
    ended = true;
  }
  void connectionDidFailWithError(NSURLConnection&, const NSError& e) override {
    events.push_back("fail");
    error = e;
    ended = true;
  }
  bool waitForEnd(double seconds = 10) {
    return RunLoop::main().runUntil([this] { return ended; }, seconds);
  }
};

class NSURLConnectionTest : public ::testing::Test {
 protected:
  LoopbackHTTPServer server;
  const std::string big = patternBytes(300000);

  void SetUp() override {
    server.route("/ok", [this](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(big.size()) + "\r\nConnection: close\r\n\r\n");
      for (size_t off = 0; off < big.size(); off += 50000) {  // several writes: several chunks
        if (!r.send(big.substr(off, 50000))) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
      }
    });
    server.route("/missing", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(404, "Not Found", "<html>no such file</html>"));
    });
    server.route("/drop", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send("HTTP/1.1 200 OK\r\nContent-Length: 50000\r\n\r\n" + std::string(1000, 'x'));
    });
    server.route("/stall", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send("HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0123456789");
      r.hold();
    });
    server.route("/echo", [](const HTTPRequestSeen& q, LoopbackHTTPServer::Reply& r) {
      auto it = q.headers.find("cookie");
      std::string cookie = it == q.headers.end() ? "" : it->second;
      r.send(LoopbackHTTPServer::response(200, "OK", q.method + "|" + cookie + "|" + q.body));
    });
    server.route("/moved", [this](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(302, "Found", "", "Location: " + server.url("/ok") + "\r\n"));
    });
    server.route("/callback", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(302, "Found", "", "Location: fbconnect://success#access_token=T\r\n"));
    });
    server.route("/login", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(200, "OK", "in", "Set-Cookie: session=abc; Path=/\r\n"));
    });
  }
  void TearDown() override {
    server.stop();
    NSHTTPCookieStorage::sharedHTTPCookieStorage().deleteAllCookies();
  }
};

TEST_F(NSURLConnectionTest, DeliversResponseProgressAndBodyInOrder) {
  Recorder rec;
  auto c = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/ok")), &rec);
  ASSERT_TRUE(c);
  ASSERT_TRUE(rec.waitForEnd());
  EXPECT_EQ(rec.events, (std::vector<std::string>{"response", "data", "finish"}));
  EXPECT_EQ(rec.status, 200);
  EXPECT_EQ(rec.expected, static_cast<long long>(big.size()));
  EXPECT_GT(rec.chunks, 1);
  EXPECT_TRUE(rec.body == big);
  EXPECT_FALSE(c->isLoading());
}

// The network library is not among the program's start-up libraries; it is opened by the
// first transfer.
TEST_F(NSURLConnectionTest, TheNetworkLibraryIsOpenedByTheFirstTransferNotAtStartUp) {
  const char* strings = nullptr;
  std::vector<ElfW(Xword)> needed;
  for (const ElfW(Dyn)* d = _DYNAMIC; d->d_tag != DT_NULL; ++d) {
    if (d->d_tag == DT_STRTAB) strings = reinterpret_cast<const char*>(d->d_un.d_ptr);
    if (d->d_tag == DT_NEEDED) needed.push_back(d->d_un.d_val);
  }
  ASSERT_NE(strings, nullptr);
  ASSERT_FALSE(needed.empty());
  for (ElfW(Xword) name : needed) EXPECT_EQ(std::string(strings + name).find("libcurl"), std::string::npos) << strings + name;

  Recorder rec;
  auto c = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/ok")), &rec);
  ASSERT_TRUE(c);
  ASSERT_TRUE(rec.waitForEnd());
  EXPECT_EQ(rec.status, 200);
  bool loaded = false;
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* found) {
        if (info->dlpi_name && std::string(info->dlpi_name).find("libcurl") != std::string::npos)
          *static_cast<bool*>(found) = true;
        return 0;
      },
      &loaded);
  EXPECT_TRUE(loaded);
}

TEST_F(NSURLConnectionTest, HttpErrorStatusArrivesBeforeAnyData) {
  Recorder rec;
  auto c = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/missing")), &rec);
  ASSERT_TRUE(rec.waitForEnd());
  ASSERT_FALSE(rec.events.empty());
  EXPECT_EQ(rec.events.front(), "response");
  EXPECT_EQ(rec.status, 404);
}

TEST_F(NSURLConnectionTest, TransportFailuresMapToUrlErrors) {
  int closedPort;
  {
    LoopbackHTTPServer temp;
    closedPort = temp.port();
  }
  struct Case {
    std::string url;
    double timeout;
    int code;
  } cases[] = {
      {server.url("/drop"), 10, NSURLErrorNetworkConnectionLost},
      {server.url("/stall"), 0.3, NSURLErrorTimedOut},
      {"http://127.0.0.1:" + std::to_string(closedPort) + "/", 5, NSURLErrorCannotConnectToHost},
      {"not a url", 5, NSURLErrorBadURL},
      {"ftp://127.0.0.1/file", 5, NSURLErrorUnsupportedURL},
      {"file:///etc/passwd", 5, NSURLErrorUnsupportedURL},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.url);
    Recorder rec;
    NSURLRequest req(tc.url, NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, tc.timeout);
    auto start = std::chrono::steady_clock::now();
    auto c = NSURLConnection::connectionWithRequest(req, &rec);
    ASSERT_TRUE(c);
    ASSERT_TRUE(rec.waitForEnd());
    EXPECT_EQ(rec.events.back(), "fail");
    EXPECT_EQ(rec.error.domain, NSURLErrorDomain);
    EXPECT_EQ(rec.error.code, tc.code);
    if (tc.code == NSURLErrorTimedOut) {
      double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      EXPECT_GE(elapsed, 0.29);
      EXPECT_LT(elapsed, 5.0);
    }
  }
}

TEST_F(NSURLConnectionTest, RedirectsAreFollowedOrHandedToTheDelegate) {
  Recorder followed;
  auto a = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/moved")), &followed);
  ASSERT_TRUE(followed.waitForEnd());
  EXPECT_EQ(followed.status, 200);
  EXPECT_TRUE(followed.body == big);

  // A redirect to an app's own scheme is shown to the delegate, never loaded.
  struct Intercepting : Recorder {
    std::string target;
    std::optional<NSURLRequest> connectionWillSendRequest(NSURLConnection&, const NSURLRequest& r,
                                                          const NSHTTPURLResponse&) override {
      target = r.URL();
      return std::nullopt;
    }
  } intercepting;
  auto b = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/callback")), &intercepting);
  ASSERT_TRUE(intercepting.waitForEnd());
  EXPECT_EQ(intercepting.target, "fbconnect://success#access_token=T");
  EXPECT_EQ(intercepting.events, (std::vector<std::string>{"response", "finish"}));
  EXPECT_EQ(intercepting.status, 302);

  Recorder plain;  // the default answer loads it, which fails as unsupported
  auto c = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/callback")), &plain);
  ASSERT_TRUE(plain.waitForEnd());
  EXPECT_EQ(plain.error.code, NSURLErrorUnsupportedURL);
}

TEST_F(NSURLConnectionTest, NothingIsDeliveredAfterCancel) {
  struct CancelOnResponse : Recorder {
    void connectionDidReceiveResponse(NSURLConnection& c, const NSHTTPURLResponse& r) override {
      Recorder::connectionDidReceiveResponse(c, r);
      c.cancel();
    }
  } rec;
  NSURLRequest req(server.url("/stall"), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 0.2);
  auto c = NSURLConnection::connectionWithRequest(req, &rec);
  RunLoop::main().runUntil([&] { return !rec.events.empty(); }, 5);
  // Longer than the idle time-out: a leaked transfer would report its failure now.
  RunLoop::main().runUntil([] { return false; }, 0.6);
  EXPECT_EQ(rec.events, (std::vector<std::string>{"response"}));
  EXPECT_FALSE(c->isLoading());
}

TEST_F(NSURLConnectionTest, RunningConnectionOutlivesItsCreator) {
  Recorder rec;
  std::weak_ptr<NSURLConnection> weak = NSURLConnection::connectionWithRequest(NSURLRequest(server.url("/ok")), &rec);
  ASSERT_TRUE(rec.waitForEnd());
  EXPECT_EQ(rec.events.back(), "finish");
  EXPECT_TRUE(rec.body == big);
  EXPECT_TRUE(weak.expired());
}

TEST_F(NSURLConnectionTest, SynchronousSendReturnsBodyOrError) {
  NSHTTPURLResponse response;
  NSError error;
  auto body = NSURLConnection::sendSynchronousRequest(NSURLRequest(server.url("/ok")), &response, &error);
  ASSERT_TRUE(body);
  EXPECT_EQ(response.statusCode(), 200);
  EXPECT_TRUE(std::string(body->begin(), body->end()) == big);

  NSURLRequest slow(server.url("/stall"), NSURLRequestCachePolicy::ReloadIgnoringLocalCacheData, 0.3);
  body = NSURLConnection::sendSynchronousRequest(slow, &response, &error);
  EXPECT_FALSE(body);
  EXPECT_EQ(error.code, NSURLErrorTimedOut);
}

TEST_F(NSURLConnectionTest, PostSendsMethodHeadersAndBody) {
  NSMutableURLRequest req(server.url("/echo"));
  req.setHTTPMethod("POST");
  req.setValue("text/plain", "Content-Type");
  req.setValue("evil\r\nX-Injected: 1", "X-Note");  // dropped, never sent
  req.setHTTPBody(std::string("a=1&b=two"));
  NSError error;
  auto body = NSURLConnection::sendSynchronousRequest(req, nullptr, &error);
  ASSERT_TRUE(body);
  EXPECT_EQ(std::string(body->begin(), body->end()), "POST||a=1&b=two");
  auto seen = server.requests();
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back().headers["content-type"], "text/plain");
  EXPECT_EQ(seen.back().headers.count("x-injected"), 0u);
  EXPECT_EQ(seen.back().headers.count("x-note"), 0u);
}

TEST_F(NSURLConnectionTest, CookiesAreKeptSentAndDeletedByHost) {
  auto& store = NSHTTPCookieStorage::sharedHTTPCookieStorage();
  auto echo = [&](bool handleCookies) {
    NSURLRequest req(server.url("/echo"));
    req.setHTTPShouldHandleCookies(handleCookies);
    auto body = NSURLConnection::sendSynchronousRequest(req, nullptr, nullptr);
    return body ? std::string(body->begin(), body->end()) : std::string("<failed>");
  };
  ASSERT_TRUE(NSURLConnection::sendSynchronousRequest(NSURLRequest(server.url("/login")), nullptr, nullptr));
  ASSERT_EQ(store.cookiesForURL(server.url("/")).size(), 1u);
  EXPECT_EQ(echo(true), "GET|session=abc|");
  EXPECT_EQ(echo(false), "GET||");
  store.deleteCookiesForHost("127.0.0.1");
  EXPECT_TRUE(store.cookiesForURL(server.url("/")).empty());
  EXPECT_EQ(echo(true), "GET||");
}

TEST(NSHTTPCookieTest, SetCookieHeadersAreParsedAndScoped) {
  const double now = 1'700'000'000;
  struct Case {
    const char* header;
    const char* url;
    bool accepted;
    const char* domain;
    const char* path;
  } cases[] = {
      {"a=1", "http://www.example.test/dir/page", true, "www.example.test", "/dir"},
      {"a=1; Domain=.example.test; Path=/", "http://www.example.test/", true, "example.test", "/"},
      {"a=1; Domain=other.test", "http://www.example.test/", false, "", ""},
      {"a=1; Domain=ample.test", "http://www.example.test/", false, "", ""},
      {"=1", "http://www.example.test/", false, "", ""},
      {"novalue", "http://www.example.test/", false, "", ""},
  };
  for (const auto& tc : cases) {
    SCOPED_TRACE(tc.header);
    auto c = NSHTTPCookie::fromSetCookieHeader(tc.header, tc.url, now);
    ASSERT_EQ(c.has_value(), tc.accepted);
    if (!c) continue;
    EXPECT_EQ(c->domain, tc.domain);
    EXPECT_EQ(c->path, tc.path);
  }
  auto expired = NSHTTPCookie::fromSetCookieHeader("a=1; Max-Age=0", "http://h.test/", now);
  ASSERT_TRUE(expired);
  EXPECT_EQ(*expired->expiresDate, now);
  auto dated = NSHTTPCookie::fromSetCookieHeader("a=1; Expires=Wed, 21 Oct 2015 07:28:00 GMT", "http://h.test/", now);
  ASSERT_TRUE(dated && dated->expiresDate);
  EXPECT_EQ(*dated->expiresDate, 1445412480.0);
}

TEST(NSHTTPCookieTest, StoreMatchesDomainPathAndSecure) {
  NSHTTPCookieStorage store;
  store.storeSetCookieHeaders({"root=1; Domain=example.test; Path=/", "deep=2; Path=/a/b", "sec=3; Secure",
                               "gone=4; Max-Age=-1"},
                              "https://www.example.test/a/b/c");
  EXPECT_EQ(store.cookieHeaderForURL("https://www.example.test/a/b/c"), "deep=2; sec=3; root=1");
  EXPECT_EQ(store.cookieHeaderForURL("http://www.example.test/a/b/c"), "deep=2; root=1");
  EXPECT_EQ(store.cookieHeaderForURL("http://other.example.test/a/bc"), "root=1");
  EXPECT_EQ(store.cookieHeaderForURL("http://notexample.test/"), "");
  store.deleteCookiesForHost("www.example.test");
  EXPECT_EQ(store.cookies().size(), 0u);
}

}  // namespace

namespace {

TEST(NSURLTest, PartsOfAbsoluteURLs) {
  auto url = NSURL::URLWithString("http://Graph.Example.test:8080/me/picture%20one?type=large&x=1#top");
  ASSERT_TRUE(url);
  EXPECT_EQ(url->scheme(), "http");
  EXPECT_EQ(url->host(), "graph.example.test");
  EXPECT_EQ(url->port(), 8080);
  EXPECT_EQ(url->path(), "/me/picture one");
  EXPECT_EQ(url->pathComponents(), (std::vector<std::string>{"/", "me", "picture one"}));
  EXPECT_EQ(url->lastPathComponent(), "picture one");
  EXPECT_EQ(url->query(), "type=large&x=1");
  EXPECT_EQ(url->fragment(), "top");
  EXPECT_EQ(url->resourceSpecifier(), "//Graph.Example.test:8080/me/picture%20one?type=large&x=1#top");

  auto own = NSURL::URLWithString("fbconnect://success#access_token=T&expires_in=0");
  ASSERT_TRUE(own);
  EXPECT_EQ(own->resourceSpecifier().substr(0, 9), "//success");
  EXPECT_FALSE(own->query());
  EXPECT_EQ(NSURL::URLWithString("lumeno://2:255")->resourceSpecifier(), "//2:255");
  EXPECT_EQ(NSURL::fileURLWithPath("/tmp/a b.html").path(), "/tmp/a b.html");

  for (const char* bad : {"", "no scheme", "http://a b/", "http://x/\n", "://x", "1http://x"})
    EXPECT_FALSE(NSURL::URLWithString(bad)) << bad;
}

TEST(NSURLTest, RelativeReferencesResolveAgainstABase) {
  auto base = NSURL::URLWithString("http://h.test:8080/help/sub/page.html?x=1");
  ASSERT_TRUE(base);
  struct Case {
    const char* ref;
    const char* url;
  } cases[] = {{"next.html", "http://h.test:8080/help/sub/next.html"},
               {"../up.html", "http://h.test:8080/help/up.html"},
               {"../../../../top.html", "http://h.test:8080/top.html"},
               {"/base/./a.html?q=2", "http://h.test:8080/base/a.html?q=2"},
               {"?y=2", "http://h.test:8080/help/sub/page.html?y=2"},
               {"#frag", "http://h.test:8080/help/sub/page.html?x=1#frag"},
               {"//other.test/p", "http://other.test/p"},
               {"https://else.test/", "https://else.test/"}};
  for (const auto& c : cases) {
    auto url = NSURL::URLWithString(c.ref, *base);
    ASSERT_TRUE(url) << c.ref;
    EXPECT_EQ(url->absoluteString(), c.url) << c.ref;
  }
}

}  // namespace
