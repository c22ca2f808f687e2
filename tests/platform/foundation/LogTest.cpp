#include "platform/foundation/Log.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(Log, CaptureCollectsFormattedLinesFromAllThreads)
{
    LogCapture outer;
    NSLog("outer %d", 1);
    {
        LogCapture inner;
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([t] {
                for (int i = 0; i < 50; ++i)
                    NSLog("thread %d line %d", t, i);
            });
        for (auto& th : threads)
            th.join();
        EXPECT_EQ(inner.lines().size(), 200u);
        EXPECT_EQ(inner.count("thread 3 "), 50u);
        EXPECT_FALSE(inner.contains("outer"));
    }
    EXPECT_EQ(outer.lines().front(), "outer 1");
    EXPECT_EQ(outer.lines().size(), 201u);
    NSLog("bad \xFF byte");
    EXPECT_EQ(outer.lines().back(), "bad \xEF\xBF\xBD byte");
    outer.clear();
    EXPECT_TRUE(outer.lines().empty());
}

} // namespace
