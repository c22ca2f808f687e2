#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <ctime>
#include <mutex>
#include <set>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "platform/net/CurlTransfer.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "tests/toolkit/network/NetworkTestSupport.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLDataResponse.h"
#include "toolkit/network/TTURLImageResponse.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/network/TTUserInfo.h"

namespace {
// Holds the answers of "/held/..." paths until released.
class Gate {
 public:
  void release(const std::string& path) {
    {
      std::lock_guard lock(mutex_);
      open_.insert(path);
    }
    cv_.notify_all();
  }
  void releaseAll() {
    {
      std::lock_guard lock(mutex_);
      all_ = true;
    }
    cv_.notify_all();
  }
  void wait(const std::string& path) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::seconds(20), [&] { return all_ || open_.count(path); });
  }

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  std::set<std::string> open_;
  bool all_ = false;
};

class RequestQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    RunLoop::main().setWallClock(static_cast<double>(std::time(nullptr)));
    TTURLRequestQueue::setMainQueue(std::make_shared<TTURLRequestQueue>());
    TTURLCache::setSharedCache(std::make_shared<TTURLCache>());
    server.route("/img", [this](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(200, "OK", png));
    });
    server.route("/text", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
      r.send(LoopbackHTTPServer::response(200, "OK", "hello"));
    });
    for (int status : {201, 304, 404}) {
      server.route("/status" + std::to_string(status), [status](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
        r.send(LoopbackHTTPServer::response(status, "X", "body"));
      });
    }
    for (int i = 0; i < 8; ++i) {
      std::string path = "/held/" + std::to_string(i);
      server.route(path, [this, path](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
        gate.wait(path);
        r.send(LoopbackHTTPServer::response(200, "OK", "held"));
      });
    }
    server.route("/big", [](const HTTPRequestSeen& q, LoopbackHTTPServer::Reply& r) {
      size_t n = q.path.find("?n=") != std::string::npos ? std::stoul(q.path.substr(q.path.find("?n=") + 3)) : 0;
      r.send(LoopbackHTTPServer::response(200, "OK", std::string(n, 'z')));
    });
  }
  void TearDown() override {
    gate.releaseAll();
    TTURLRequestQueue::mainQueue().cancelAllRequests();
    TTURLRequestQueue::setMainQueue(nullptr);
    TTURLCache::setSharedCache(nullptr);
    CurlTransfer::setHostResolver(nullptr);
    RunLoop::main().resetForTesting();
  }

  TTURLRequestPtr request(const std::string& url, RecordingDelegate* delegate, std::shared_ptr<TTURLResponse> response = nullptr) {
    auto r = TTURLRequest::requestWithURL(url, delegate);
    r->setResponse(response ? response : std::make_shared<TTURLDataResponse>());
    return r;
  }
  bool waitFor(const std::function<bool()>& done) { return RunLoop::main().runUntil(done, 15); }
  size_t serverSaw() { return server.requests().size(); }

  Gate gate;
  LoopbackHTTPServer server;
  const std::string png = [] {
    auto bytes = pngBytes(6, 6);
    return std::string(bytes.begin(), bytes.end());
  }();
};
}  // namespace

TEST_F(RequestQueueTest, IdenticalGETsShareOneLoadAndOneDecode) {
  RecordingDelegate a, b;
  auto image1 = std::make_shared<TTURLImageResponse>();
  auto image2 = std::make_shared<TTURLImageResponse>();
  auto r1 = request(server.url("/img"), &a, image1);
  auto r2 = request(server.url("/img"), &b, image2);
  EXPECT_FALSE(r1->send());
  EXPECT_FALSE(r2->send());
  EXPECT_TRUE(r1->isLoading());
  ASSERT_TRUE(waitFor([&] { return a.ended() && b.ended(); }));
  EXPECT_EQ(serverSaw(), 1u);
  EXPECT_EQ(a.events, (std::vector<std::string>{"start", "finish"}));
  EXPECT_EQ(b.events, (std::vector<std::string>{"start", "finish"}));
  ASSERT_TRUE(image1->image());
  EXPECT_EQ(image1->image(), image2->image());
  ASSERT_TRUE(r1->timestamp());
  EXPECT_EQ(r1->timestamp(), r2->timestamp());
  EXPECT_FALSE(r1->isLoading());
  EXPECT_EQ(server.requests()[0].headers["user-agent"], TTURLRequestQueue::mainQueue().userAgent());

  // The image now answers from memory at once, the bytes from disk.
  RecordingDelegate c;
  auto again = request(server.url("/img"), &c, std::make_shared<TTURLImageResponse>());
  EXPECT_TRUE(again->send());
  EXPECT_TRUE(again->respondedFromCache());
  EXPECT_EQ(c.events, std::vector<std::string>{"finish"});
  EXPECT_TRUE(TTURLCache::sharedCache().dataForURL(server.url("/img")));
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST_F(RequestQueueTest, AtMostFiveLoadsAtOnceTheRestWaitInTheBacklog) {
  std::vector<RecordingDelegate> delegates(7);
  std::vector<TTURLRequestPtr> requests;
  for (int i = 0; i < 7; ++i) {
    requests.push_back(request(server.url("/held/" + std::to_string(i)), &delegates[i]));
    requests.back()->send();
  }
  auto& queue = TTURLRequestQueue::mainQueue();
  EXPECT_EQ(queue.totalLoading(), 5);
  EXPECT_EQ(queue.backlogCount(), 2u);
  ASSERT_TRUE(waitFor([&] { return serverSaw() == 5; }));
  RunLoop::main().advance(1000);  // drain timers find no room
  EXPECT_EQ(queue.backlogCount(), 2u);

  gate.release("/held/0");
  ASSERT_TRUE(waitFor([&] { return delegates[0].finished == 1; }));
  EXPECT_EQ(queue.totalLoading(), 5);
  EXPECT_EQ(queue.backlogCount(), 1u);
  gate.releaseAll();
  ASSERT_TRUE(waitFor([&] {
    int done = 0;
    for (auto& d : delegates) done += d.finished;
    return done == 7;
  }));
  EXPECT_EQ(serverSaw(), 7u);
  EXPECT_EQ(queue.totalLoading(), 0);
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST_F(RequestQueueTest, BacklogOfDiskAnswersDrainsOnTheTimer) {
  auto& queue = TTURLRequestQueue::mainQueue();
  std::vector<RecordingDelegate> delegates(7);
  std::vector<TTURLRequestPtr> requests;
  queue.setSuspended(true);
  for (int i = 0; i < 7; ++i) {
    std::string url = server.url("/cached/" + std::to_string(i));
    TTURLCache::sharedCache().storeDataForURL({'d'}, url);
    requests.push_back(request(url, &delegates[i]));
    EXPECT_FALSE(requests.back()->send());  // suspended: disk is not read
  }
  EXPECT_EQ(queue.backlogCount(), 7u);
  RunLoop::main().advance(1000);  // no timer while suspended
  EXPECT_EQ(queue.backlogCount(), 7u);

  queue.setSuspended(false);
  auto finished = [&] {
    int n = 0;
    for (auto& d : delegates) n += d.finished;
    return n;
  };
  EXPECT_EQ(finished(), 5);
  RunLoop::main().advance(299);
  EXPECT_EQ(finished(), 5);
  RunLoop::main().advance(1);
  EXPECT_EQ(finished(), 7);
  EXPECT_EQ(serverSaw(), 0u);
  EXPECT_TRUE(requests[0]->timestamp().has_value());
  EXPECT_FALSE(requests[0]->respondedFromCache());
}

TEST_F(RequestQueueTest, CachePolicyAndExpirationAge) {
  std::string url = server.url("/text");
  TTURLCache::sharedCache().storeDataForURL({'o', 'l', 'd'}, url);
  ASSERT_TRUE(NSFileManager::defaultManager().setModificationDate(TTURLCache::sharedCache().cachePathForURL(url),
                                                                  NSDate::dateWithTimeIntervalSinceNow(-100)));
  struct Case { int policy; double age; bool fromCache; } cases[] = {
      {TTURLRequestCachePolicyDefault, 0, true},
      {TTURLRequestCachePolicyDefault, 1000, true},
      {TTURLRequestCachePolicyDefault, 50, false},
      {TTURLRequestCachePolicyMemory | TTURLRequestCachePolicyNetwork, 0, false},
      {TTURLRequestCachePolicyNetwork, 0, false},
  };
  for (const auto& c : cases) {
    RecordingDelegate d;
    auto response = std::make_shared<TTURLDataResponse>();
    auto r = request(url, &d, response);
    r->setCachePolicy(c.policy | TTURLRequestCachePolicyNoCache);  // keep the old entry
    r->setCacheExpirationAge(c.age);
    EXPECT_EQ(r->send(), c.fromCache) << c.policy << " " << c.age;
    ASSERT_TRUE(waitFor([&] { return d.ended() > 0; }));
    EXPECT_EQ(std::string(response->data()->begin(), response->data()->end()), c.fromCache ? "old" : "hello");
  }
  EXPECT_EQ(serverSaw(), 3u);
}

TEST_F(RequestQueueTest, StatusOtherThan200FailsAndCachesNothing) {
  for (int status : {201, 304, 404}) {
    RecordingDelegate d;
    std::string url = server.url("/status" + std::to_string(status));
    auto r = request(url, &d);
    r->send();
    ASSERT_TRUE(waitFor([&] { return d.ended() > 0; }));
    ASSERT_EQ(d.failed, 1) << status;
    EXPECT_EQ(d.errors[0].domain, NSURLErrorDomain);
    EXPECT_EQ(d.errors[0].code, status);
    EXPECT_FALSE(TTURLCache::sharedCache().hasDataForURL(url));
  }
}

TEST_F(RequestQueueTest, HostNotFoundIsRetriedTwice) {
  std::atomic<int> lookups{0};
  std::atomic<int> failures{2};
  CurlTransfer::setHostResolver([&](const std::string& host) -> std::optional<std::string> {
    if (host != "mirror.test") return std::nullopt;
    ++lookups;
    return failures-- > 0 ? "" : "127.0.0.1";
  });
  RecordingDelegate found;
  auto r = request("http://mirror.test:" + std::to_string(server.port()) + "/text", &found);
  r->send();
  ASSERT_TRUE(waitFor([&] { return found.ended() > 0; }));
  EXPECT_EQ(found.events, (std::vector<std::string>{"start", "finish"}));
  EXPECT_EQ(lookups, 3);

  lookups = 0;
  failures = 100;
  RecordingDelegate lost;
  auto gone = request("http://mirror.test:" + std::to_string(server.port()) + "/other", &lost);
  gone->send();
  ASSERT_TRUE(waitFor([&] { return lost.ended() > 0; }));
  EXPECT_EQ(lookups, 3);
  ASSERT_EQ(lost.failed, 1);
  EXPECT_EQ(lost.errors[0].code, NSURLErrorCannotFindHost);
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST_F(RequestQueueTest, CancelByDelegateLeavesOthersLoading) {
  RecordingDelegate a, b;
  auto shared1 = request(server.url("/held/0"), &a);
  auto shared2 = request(server.url("/held/0"), &b);
  auto byInfo = request(server.url("/held/1"), nullptr);
  byInfo->setUserInfo(TTUserInfo::withWeak(&a));
  auto own = request(server.url("/held/2"), &a);
  for (auto& r : {shared1, shared2, byInfo, own}) r->send();
  auto& queue = TTURLRequestQueue::mainQueue();
  EXPECT_EQ(queue.totalLoading(), 3);

  queue.cancelRequestsWithDelegate(&a);
  EXPECT_EQ(a.cancelled, 2);
  EXPECT_EQ(queue.totalLoading(), 1);  // the shared load goes on for b
  EXPECT_FALSE(own->isLoading());
  gate.releaseAll();
  ASSERT_TRUE(waitFor([&] { return b.ended() > 0; }));
  EXPECT_EQ(b.events, (std::vector<std::string>{"start", "finish"}));
  EXPECT_EQ(a.finished, 0);
  RunLoop::main().runUntilIdle();
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST_F(RequestQueueTest, BundleAndDocumentsURLsAnswerFromFiles) {
  ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(Paths::documents() + "/note.txt", std::string("local")));
  RecordingDelegate d;
  auto response = std::make_shared<TTURLDataResponse>();
  auto r = request("documents://note.txt", &d, response);
  EXPECT_TRUE(r->send());
  EXPECT_EQ(d.events, std::vector<std::string>{"finish"});
  EXPECT_EQ(std::string(response->data()->begin(), response->data()->end()), "local");
  EXPECT_FALSE(r->timestamp().has_value());

  for (const char* url : {"bundle://no-such-file.txt", "documents://../escape.txt"}) {
    RecordingDelegate missing;
    EXPECT_TRUE(request(url, &missing)->send());
    ASSERT_EQ(missing.events, std::vector<std::string>{"fail"}) << url;
    EXPECT_EQ(missing.errors[0].domain, NSCocoaErrorDomain);
    EXPECT_EQ(missing.errors[0].code, 260);
  }
  RecordingDelegate empty;
  EXPECT_FALSE(request("", &empty)->send());
  EXPECT_EQ(empty.events, (std::vector<std::string>{"start", "fail"}));
  EXPECT_EQ(empty.errors[0].code, NSURLErrorBadURL);
}

TEST_F(RequestQueueTest, AnnouncedLengthAboveTheLimitCancels) {
  struct Case { int length; bool accepted; } cases[] = {{150000, true}, {150001, false}};
  for (const auto& c : cases) {
    RecordingDelegate d;
    auto r = request(server.url("/big?n=" + std::to_string(c.length)), &d);
    r->send();
    ASSERT_TRUE(waitFor([&] { return d.ended() > 0; }));
    EXPECT_EQ(d.finished, c.accepted ? 1 : 0) << c.length;
    EXPECT_EQ(d.cancelled, c.accepted ? 0 : 1) << c.length;
  }
  EXPECT_EQ(TTNetworkActivityCount(), 0);
}

TEST_F(RequestQueueTest, DamagedCacheFileIsAMiss) {
  std::string url = server.url("/img");
  TTURLCache::sharedCache().storeDataForURL({0x89, 'P', 'N', 'G', 0}, url);  // truncated image
  RecordingDelegate d;
  auto image = std::make_shared<TTURLImageResponse>();
  auto r = request(url, &d, image);
  EXPECT_FALSE(r->send());
  ASSERT_TRUE(waitFor([&] { return d.ended() > 0; }));
  EXPECT_EQ(d.events, (std::vector<std::string>{"start", "finish"}));
  EXPECT_TRUE(image->image());
  EXPECT_EQ(serverSaw(), 1u);
  auto stored = TTURLCache::sharedCache().dataForURL(url);
  ASSERT_TRUE(stored);
  EXPECT_EQ(std::string(stored->begin(), stored->end()), png);
}

TEST_F(RequestQueueTest, IdenticalPOSTsLoadApartAndSendTheirBody) {
  RecordingDelegate a, b;
  std::vector<TTURLRequestPtr> posts;
  for (auto* d : {&a, &b}) {
    auto r = request(server.url("/text"), d);
    r->setHttpMethod("POST");
    r->parameters()["p"] = std::string("v");
    r->send();
    posts.push_back(r);
  }
  EXPECT_EQ(TTURLRequestQueue::mainQueue().totalLoading(), 2);
  ASSERT_TRUE(waitFor([&] { return a.ended() && b.ended(); }));
  EXPECT_EQ(a.finished + b.finished, 2);
  auto seen = server.requests();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].method, "POST");
  EXPECT_NE(seen[0].body.find("name=\"p\"\r\n\r\nv"), std::string::npos);
  EXPECT_EQ(seen[0].headers["content-type"], posts[0]->contentType());
}
