// A document's images loaded through the request queue from a server of its own on loopback.

#include <gtest/gtest.h>

#include <condition_variable>
#include <ctime>
#include <mutex>

#include "platform/foundation/RunLoop.h"
#include "platform/graphics/CGContext.h"
#include "tests/platform/net/LoopbackHTTPServer.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/network/TTURLRequestQueue.h"
#include "toolkit/styledtext/TTStyledImageNode.h"
#include "toolkit/styledtext/TTStyledText.h"

namespace {

struct RedrawCounter : TTStyledTextDelegate {
    int redraws = 0;
    void styledTextNeedsDisplay(TTStyledText*) override { ++redraws; }
};

class DocumentImagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        RunLoop::main().setWallClock(static_cast<double>(std::time(nullptr)));
        TTURLRequestQueue::setMainQueue(std::make_shared<TTURLRequestQueue>());
        TTURLCache::setSharedCache(std::make_shared<TTURLCache>());
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(5, 3), false, 1);
        UIGraphicsGetCurrentContext()->setRGBFillColor(0, 1, 0, 1);
        UIGraphicsGetCurrentContext()->fillRect(CGRectMake(0, 0, 5, 3));
        const auto bytes = UIImagePNGRepresentation(*UIGraphicsGetImageFromCurrentImageContext());
        UIGraphicsEndImageContext();
        const std::string png(bytes.begin(), bytes.end());
        server.route("/pic.png", [png](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
            r.send(LoopbackHTTPServer::response(200, "OK", png));
        });
        server.route("/held.png", [this, png](const HTTPRequestSeen&, LoopbackHTTPServer::Reply& r) {
            std::unique_lock lock(mutex);
            released.wait(lock, [this] { return open; });
            r.send(LoopbackHTTPServer::response(200, "OK", png));
        });
    }
    void TearDown() override {
        release();
        TTURLRequestQueue::mainQueue().cancelAllRequests();
        TTURLRequestQueue::setMainQueue(nullptr);
        TTURLCache::setSharedCache(nullptr);
        RunLoop::main().resetForTesting();
    }
    void release() {
        std::lock_guard lock(mutex);
        open = true;
        released.notify_all();
    }
    bool waitFor(const std::function<bool()>& done) { return RunLoop::main().runUntil(done, 15); }

    LoopbackHTTPServer server;
    std::mutex mutex;
    std::condition_variable released;
    bool open = false;
};

TEST_F(DocumentImagesTest, MissingImagesLoadOnceADelegateIsSetAndTheDocumentRedraws) {
    auto text = TTStyledText::textFromXHTML("<img src=\"" + server.url("/pic.png") + "\" width=\"10\" height=\"6\"/>");
    text->setWidth(100);
    ASSERT_TRUE(text->rootFrame());
    EXPECT_EQ(text->imageRequestCount(), 0u);  // no delegate: nothing is loaded
    RedrawCounter delegate;
    text->setDelegate(&delegate);
    EXPECT_EQ(text->imageRequestCount(), 1u);
    ASSERT_TRUE(waitFor([&] { return delegate.redraws == 1; }));
    auto* frame = dynamic_cast<TTStyledImageFrame*>(text->rootFrame().get());
    ASSERT_TRUE(frame && frame->imageNode()->image());
    EXPECT_EQ(frame->imageNode()->image()->pixelWidth(), 5);
    EXPECT_EQ(frame->width(), 10);  // the image does not change the layout
    EXPECT_EQ(text->imageRequestCount(), 0u);
    text->setDelegate(nullptr);
}

TEST_F(DocumentImagesTest, LayingOutAgainCancelsALoadInFlightAndRequestsItOnceMore) {
    auto text = TTStyledText::textFromXHTML("<img src=\"" + server.url("/held.png") + "\"/>");
    RedrawCounter delegate;
    text->setDelegate(&delegate);
    text->setWidth(100);
    ASSERT_TRUE(text->rootFrame());
    ASSERT_EQ(text->imageRequestCount(), 1u);
    text->setWidth(120);
    ASSERT_TRUE(text->rootFrame());
    EXPECT_EQ(text->imageRequestCount(), 1u);
    release();
    ASSERT_TRUE(waitFor([&] { return delegate.redraws == 1; }));
    auto* frame = dynamic_cast<TTStyledImageFrame*>(text->rootFrame().get());
    ASSERT_TRUE(frame && frame->imageNode()->image());
    text->setDelegate(nullptr);
}

}  // namespace
