// The downloader against a server on the loopback interface: sizes, short transfers, error
// statuses, cancel, time-out and files that cannot be written.

#include "Classes/Audio/Downloader.h"
#include "tests/Classes/Audio/ArchiveFixture.h"
#include "tests/platform/net/LoopbackHTTPServer.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class Recorder : public DownloaderDelegate {
public:
    void setCorrectTotal(int bytes) override { events.push_back("total " + std::to_string(bytes)); }
    void setUpgradeProgress(int bytes) override { received += bytes; }
    void downloadFailed() override {
        events.push_back("failed");
        ended = true;
    }
    void downloadFinished() override {
        events.push_back("finished");
        ended = true;
    }
    std::vector<std::string> events;
    long long received = 0;
    bool ended = false;
};

std::string body(size_t length) {
    archive::Bytes bytes = archive::pattern(length, 4);
    return std::string(bytes.begin(), bytes.end());
}

// Headers without a length, then the body, then the connection closes.
std::string unannounced(const std::string& payload) {
    return "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n" + payload;
}

class DownloaderTest : public ::testing::Test {
protected:
    void TearDown() override { Downloader::setTimeoutInterval(8.0); }
    std::string file() const { return (fs::path(Paths::caches()) / "2.tar.gz").string(); }
    bool run(Recorder& recorder) {
        return RunLoop::main().runUntil([&] { return recorder.ended; }, 20);
    }
    LoopbackHTTPServer server;
};

}  // namespace

TEST_F(DownloaderTest, TheExpectedSizeDecidesWhetherATransferIsComplete) {
    struct Case {
        const char* what;
        int expected;
        std::string reply;
        long long length;
        std::vector<std::string> events;
    };
    const std::string payload = body(900000);
    const std::vector<Case> cases = {
        {"no size known, no length sent", 0, unannounced(body(3000)), 3000, {"total 0", "finished"}},
        {"server's length raises the size", 1000, LoopbackHTTPServer::response(200, "OK", body(5000)), 5000,
         {"total 5000", "finished"}},
        {"a smaller length leaves it", 1000000, LoopbackHTTPServer::response(200, "OK", payload), 900000,
         {"total 1000000", "failed"}},
        {"exactly 1024 bytes short", 1000000, unannounced(body(998976)), 998976, {"total 1000000", "finished"}},
        {"1025 bytes short", 1000000, unannounced(body(998975)), 998975, {"total 1000000", "failed"}},
    };
    for (const Case& c : cases) {
        // The server's thread keeps its own copy of the reply.
        server.route("/a.tar.gz", [text = c.reply](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& reply) { reply.send(text); });
        Recorder recorder;
        auto downloader = Downloader::downloadURL(server.url("/a.tar.gz"), file(), &recorder, c.expected);
        ASSERT_TRUE(downloader) << c.what;
        ASSERT_TRUE(run(recorder)) << c.what;
        EXPECT_EQ(recorder.events, c.events) << c.what;
        EXPECT_EQ(recorder.received, c.length) << c.what;
        EXPECT_EQ(downloader->loadedBytes(), c.length) << c.what;
        EXPECT_TRUE(downloader->finished()) << c.what;
        const bool finished = c.events.back() == "finished";
        EXPECT_EQ(downloader->failed(), !finished) << c.what;
        EXPECT_EQ(fs::exists(file()), finished) << c.what;  // a failed transfer leaves no file
        if (finished) {
            EXPECT_EQ(fs::file_size(file()), static_cast<uintmax_t>(c.length)) << c.what;
        }
    }
    const auto requests = server.requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.front().method, "GET");
}

TEST_F(DownloaderTest, AnErrorStatusIsAFailureNeverData) {
    for (int status : {404, 500, 302, 206}) {
        const std::string page = status == 302 ? "" : body(20000);
        server.route("/a.tar.gz", [&](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& reply) {
            reply.send(LoopbackHTTPServer::response(status, "Status", page,
                                                    status == 302 ? "Location: /missing\r\n" : ""));
        });
        Recorder recorder;
        LogCapture log;
        auto downloader = Downloader::downloadURL(server.url("/a.tar.gz"), file(), &recorder, 0);
        ASSERT_TRUE(downloader);
        ASSERT_TRUE(run(recorder)) << status;
        EXPECT_EQ(recorder.events, std::vector<std::string>{"failed"}) << status;
        EXPECT_FALSE(fs::exists(file())) << status;
        EXPECT_TRUE(log.contains("download didFailWithError: ")) << status;
    }
}

TEST_F(DownloaderTest, ConnectionFailuresAndStallsFailAndDeleteTheFile) {
    Downloader::setTimeoutInterval(0.5);
    server.route("/stall", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& reply) {
        reply.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + body(1000));
        reply.hold();
    });
    server.route("/cut", [](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& reply) {
        reply.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + body(1000));
    });
    LoopbackHTTPServer closed;
    const std::string refused = closed.url("/a.tar.gz");
    closed.stop();
    for (const std::string& url : {server.url("/stall"), server.url("/cut"), refused}) {
        Recorder recorder;
        LogCapture log;
        auto downloader = Downloader::downloadURL(url, file(), &recorder, 0);
        ASSERT_TRUE(downloader) << url;
        ASSERT_TRUE(run(recorder)) << url;
        EXPECT_EQ(recorder.events.back(), "failed") << url;
        EXPECT_FALSE(fs::exists(file())) << url;
        EXPECT_TRUE(log.contains("download didFailWithError: ")) << url;
    }
    server.stop();
}

TEST_F(DownloaderTest, CancelStopsWithoutACallAndKeepsThePartialFile) {
    std::atomic<bool> sent{false};
    server.route("/a.tar.gz", [&](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& reply) {
        reply.send("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + body(4000));
        sent = true;
        reply.hold();
    });
    Recorder recorder;
    auto downloader = Downloader::downloadURL(server.url("/a.tar.gz"), file(), &recorder, 0);
    ASSERT_TRUE(downloader);
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return recorder.received == 4000; }, 20));
    downloader->cancelDownload();
    EXPECT_TRUE(downloader->cancelled());
    EXPECT_TRUE(downloader->finished());
    RunLoop::main().runUntil([] { return false; }, 0.2);
    EXPECT_EQ(recorder.events, std::vector<std::string>{"total 100000"});
    EXPECT_EQ(fs::file_size(file()), 4000u);
    server.stop();
}

TEST_F(DownloaderTest, AFileThatCannotBeCreatedGivesNoTransfer) {
    Recorder recorder;
    LogCapture log;
    const std::string inMissingFolder = (fs::path(Paths::caches()) / "missing" / "2.tar.gz").string();
    int fileError = -1;
    EXPECT_FALSE(Downloader::downloadURL(server.url("/a.tar.gz"), inMissingFolder, &recorder, 0, &fileError));
    EXPECT_EQ(fileError, ENOENT);  // the cause goes to the caller, to be named to the user
    EXPECT_TRUE(log.contains("download cannot create " + inMissingFolder + ": No such file or directory"));
    EXPECT_TRUE(recorder.events.empty());
    EXPECT_TRUE(server.requests().empty());
}
