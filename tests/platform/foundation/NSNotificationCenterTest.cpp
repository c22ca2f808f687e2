#include "platform/foundation/NSNotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(NotificationCenter, DeliversByNameToEveryObserverInOrder)
{
    NSNotificationCenter center;
    std::vector<std::string> calls;
    int a, b;
    center.addObserver(&a, "TranslationDidChange", [&] { calls.push_back("a"); });
    center.addObserver(&b, "TranslationDidChange", [&] { calls.push_back("b"); });
    center.addObserver(&b, "ReciterDidChange", [&] { calls.push_back("b-reciter"); });
    center.postNotificationName("TranslationDidChange");
    center.postNotificationName("Unobserved");
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b"}));

    center.removeObserver(&b, "TranslationDidChange");
    calls.clear();
    center.postNotificationName("TranslationDidChange");
    center.postNotificationName("ReciterDidChange");
    EXPECT_EQ(calls, (std::vector<std::string>{"a", "b-reciter"}));

    center.removeObserver(&b);
    center.removeObserver(&a);
    EXPECT_EQ(center.observerCount("TranslationDidChange"), 0u);
    EXPECT_EQ(center.observerCount("ReciterDidChange"), 0u);
}

TEST(NotificationCenter, ObserversMayRemoveThemselvesAndOthersDuringPost)
{
    NSNotificationCenter center;
    int first, second, third;
    std::vector<std::string> calls;
    center.addObserver(&first, "X", [&] {
        calls.push_back("first");
        center.removeObserver(&first);
        center.removeObserver(&second); // later in this same post: must not be called
    });
    center.addObserver(&second, "X", [&] { calls.push_back("second"); });
    center.addObserver(&third, "X", [&] {
        calls.push_back("third");
        center.addObserver(&second, "X", [&] { calls.push_back("second-again"); });
    });
    center.postNotificationName("X");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
    calls.clear();
    center.postNotificationName("X");
    EXPECT_EQ(calls, (std::vector<std::string>{"third", "second-again"}));
}

TEST(NotificationCenter, RegistrationAndPostingFromManyThreads)
{
    NSNotificationCenter center;
    std::atomic<int> delivered{0};
    std::vector<std::thread> threads;
    std::vector<int> owners(8);
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 200; ++i) {
                center.addObserver(&owners[static_cast<size_t>(t)], "Tick", [&] { ++delivered; });
                center.postNotificationName("Tick");
                center.removeObserver(&owners[static_cast<size_t>(t)], "Tick");
            }
        });
    for (auto& th : threads)
        th.join();
    EXPECT_GE(delivered.load(), 8 * 200); // each post sees at least its own observer
    EXPECT_EQ(center.observerCount("Tick"), 0u);
}

} // namespace
