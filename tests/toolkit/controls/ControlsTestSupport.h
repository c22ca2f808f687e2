#pragma once
// A phone window on the virtual clock with a fresh request queue and URL cache, a loopback
// server that serves images, and helpers to sample and save what the screen shows.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/foundation/RunLoop.h"
#include "tests/platform/graphics/Pixels.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/toolkit/network/NetworkTestSupport.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLRequestQueue.h"

class ControlsTest : public UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        RunLoop::main().setWallClock(static_cast<double>(std::time(nullptr)));
        TTURLRequestQueue::setMainQueue(std::make_shared<TTURLRequestQueue>());
        TTURLCache::setSharedCache(std::make_shared<TTURLCache>());
        TTURLCache::sharedCache().setDisableDiskCache(true);
    }
    void TearDown() override
    {
        TTURLRequestQueue::mainQueue().cancelAllRequests();
        TTURLRequestQueue::setMainQueue(nullptr);
        TTURLCache::setSharedCache(nullptr);
        UITest::TearDown();
    }

    // Serves a PNG of the size in solid blue at the path.
    void servePNG(const std::string& path, int width, int height)
    {
        std::vector<uint8_t> bytes = pngBytes(width, height);
        std::string body(bytes.begin(), bytes.end());
        server.route(path, [body](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
            r.send(LoopbackHTTPServer::response(200, "OK", body));
        });
    }
    bool waitFor(const std::function<bool()>& done) { return RunLoop::main().runUntil(done, 15); }

    Rgba pixel(double x, double y)
    {
        auto p = backend.pixelAt(CGPointMake(x, y));
        return {p.r, p.g, p.b, p.a};
    }
    // Saves the screen when LUMENO_TEMP_DIR names a folder to look at it.
    void shot(const std::string& name)
    {
        const char* dir = std::getenv("LUMENO_TEMP_DIR");
        if (!dir) return;
        std::filesystem::create_directories(dir);
        backend.frame();
        EXPECT_TRUE(backend.screenshot(std::string(dir) + "/" + name + ".png"));
    }

    LoopbackHTTPServer server;
};
