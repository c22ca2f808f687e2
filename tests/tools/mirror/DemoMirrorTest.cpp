// The demo mirror run as its own process, on a free loopback port: what it serves, and each
// failure switch as a client sees it.
#include "tests/support/DemoMirrorProcess.h"
#include "tests/support/TarMembers.h"
#include "tools/recitations/ChapterArchive.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>

namespace {

struct Reply {
    int status = 0;
    long long contentLength = -1;
    std::vector<uint8_t> body;
    bool closed = false;  // the server closed the connection (else the idle limit ended the read)
};

// One GET over a fresh connection. The answer may take a while (the mirror makes the archive
// first); once bytes flow, a pause of `idleMs` ends the read.
Reply get(int port, const std::string& path, int idleMs = 20000)
{
    Reply reply;
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(static_cast<uint16_t>(port));
    if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
        close(fd);
        return reply;
    }
    const std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";
    send(fd, request.data(), request.size(), MSG_NOSIGNAL);
    std::string raw;
    char buffer[65536];
    for (;;) {
        pollfd pfd{fd, POLLIN, 0};
        if (poll(&pfd, 1, raw.empty() ? 60000 : idleMs) <= 0)
            break;
        ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0) {
            reply.closed = true;
            break;
        }
        raw.append(buffer, static_cast<size_t>(n));
    }
    close(fd);
    const size_t end = raw.find("\r\n\r\n");
    if (end == std::string::npos || raw.compare(0, 9, "HTTP/1.1 ") != 0)
        return reply;
    reply.status = std::atoi(raw.c_str() + 9);
    const size_t length = raw.find("Content-Length: ");
    if (length < end)
        reply.contentLength = std::atoll(raw.c_str() + length + 16);
    reply.body.assign(raw.begin() + static_cast<long>(end) + 4, raw.end());
    return reply;
}

std::unique_ptr<DemoMirrorProcess> startMirror(const std::string& failure, int stallSeconds = 20,
                                               const std::string& cacheDir = "")
{
    std::string error;
    auto mirror = DemoMirrorProcess::start({failure, stallSeconds, cacheDir}, error);
    EXPECT_TRUE(mirror) << error;
    return mirror;
}

const std::string kIkhlas = "/downloads/iphone/audiov2.2/0/112.tar.gz";

int signedChecksum(const uint8_t* h)
{
    int sum = 0;
    for (int i = 0; i < 512; ++i)
        sum += (i >= 148 && i < 156) ? ' ' : static_cast<int8_t>(h[i]);
    return sum;
}

}  // namespace

TEST(DemoMirror, ServesChapterArchivesWithTheirLengthAndAnswersOtherPathsWith404)
{
    // an empty cache: the archives are sent while they are made, then from the cache
    auto mirror = startMirror("none", 20, std::string(std::getenv("LUMENO_CACHES_DIR")) + "/mirror");
    ASSERT_TRUE(mirror);
    EXPECT_EQ(mirror->url("audioCont", 7, 2), "http://" + mirror->host() + "/downloads/iphone/audioCont/7/002.tar.gz");

    const Reply cont = get(mirror->port(), "/downloads/iphone/audioCont/7/112.tar.gz");
    ASSERT_EQ(cont.status, 200);
    EXPECT_EQ(cont.contentLength, static_cast<long long>(cont.body.size()));
    EXPECT_TRUE(cont.closed);
    std::vector<uint8_t> tar;
    ASSERT_TRUE(ChapterArchive::gunzip(cont.body, tar));
    const auto parts = tarMembers(tar);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].name, "112-01.mp3");

    const Reply verses = get(mirror->port(), kIkhlas);
    ASSERT_EQ(verses.status, 200);
    ASSERT_TRUE(ChapterArchive::gunzip(verses.body, tar));
    std::vector<std::string> names;
    for (const auto& m : tarMembers(tar))
        names.push_back(m.name);
    EXPECT_EQ(names, (std::vector<std::string>{"112000.mp3", "112001.mp3", "112002.mp3", "112003.mp3", "112004.mp3"}));
    EXPECT_EQ(get(mirror->port(), kIkhlas).body, verses.body) << "the second request is served from the cache";

    for (const char* path : {"/downloads/iphone/audioCont/1/112.tar.gz", "/downloads/iphone/audioCont/7/115.tar.gz",
                             "/index.html"})
        EXPECT_EQ(get(mirror->port(), path).status, 404) << path;
    EXPECT_TRUE(mirror->stop()) << "the mirror ends by itself when asked";
}

TEST(DemoMirror, FailureSwitchesMisbehaveAsTheirNamesSay)
{
    const Reply good = [] {
        auto mirror = startMirror("none");
        return mirror ? get(mirror->port(), kIkhlas) : Reply{};
    }();
    ASSERT_EQ(good.status, 200);
    const long long size = static_cast<long long>(good.body.size());

    struct Case {
        const char* failure;
        int status;
        long long announced;  // -1: a cut archive's own length
        long long received;
        bool gunzips;
    };
    const Case cases[] = {
        {"not-found", 404, -2, -2, false},
        {"truncated", 200, size, size / 2, false},
        {"wrong-length", 200, size / 2, size / 2, false},
        {"corrupt-gzip", 200, size, size, false},
        {"bad-tar", 200, size, size, true},
        {"escaping-tar", 200, size, size, true},
        {"cut-in-padding", 200, -1, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        auto mirror = startMirror(c.failure);
        ASSERT_TRUE(mirror);
        const Reply r = get(mirror->port(), kIkhlas);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.closed);
        if (c.status != 200)
            continue;
        std::vector<uint8_t> tar;
        ASSERT_EQ(ChapterArchive::gunzip(r.body, tar), c.gunzips);
        if (c.announced < 0) {
            // a complete-looking transfer whose tar holds every member and both end blocks
            EXPECT_EQ(r.contentLength, static_cast<long long>(r.body.size()));
            EXPECT_LT(r.body.size(), good.body.size());
            EXPECT_EQ(tarMembers(tar).size(), 5u);
            EXPECT_EQ(tar.size() % 512, 0u);
            EXPECT_NE(tar.size() % 10240, 0u);
            continue;
        }
        EXPECT_EQ(r.contentLength, c.announced);
        EXPECT_EQ(static_cast<long long>(r.body.size()), c.received);
        if (!c.gunzips)
            continue;
        const uint8_t* header = tar.data();
        const int stored = static_cast<int>(std::strtol(std::string(reinterpret_cast<const char*>(header) + 148, 8).c_str(), nullptr, 8));
        if (std::string(c.failure) == "bad-tar") {
            EXPECT_NE(stored, signedChecksum(header));
        } else {
            EXPECT_EQ(stored, signedChecksum(header));
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(header)), "../112000.mp3");
        }
    }
}

TEST(DemoMirror, StallSendsAFewBytesThenNothingAndStillStopsPromptly)
{
    auto mirror = startMirror("stall", 60);
    ASSERT_TRUE(mirror);
    const Reply r = get(mirror->port(), kIkhlas, 1000);
    EXPECT_EQ(r.status, 200);
    EXPECT_FALSE(r.closed) << "the connection stays open and silent";
    EXPECT_GT(r.contentLength, static_cast<long long>(r.body.size()));
    EXPECT_GT(r.body.size(), 0u);
    const auto before = std::chrono::steady_clock::now();
    EXPECT_TRUE(mirror->stop());
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
}

TEST(DemoMirror, AnAnswerDelayHoldsBackTheWholeAnswer)
{
    DemoMirrorProcess::Options options;
    options.answerDelaySeconds = 1;
    std::string error;
    auto mirror = DemoMirrorProcess::start(options, error);
    ASSERT_TRUE(mirror) << error;
    const auto before = std::chrono::steady_clock::now();
    const Reply r = get(mirror->port(), kIkhlas);
    EXPECT_GE(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.contentLength, static_cast<long long>(r.body.size()));
    EXPECT_TRUE(mirror->stop());
}
