#pragma once
// A fresh folder per test under the test program's temp folder, whole-file helpers, and a
// bounded wait for calls that might block.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <string>

#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

inline std::string freshTestFolder()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder =
        str::appendPathComponent(Paths::temp(), std::string(info->test_suite_name()) + "." + info->name());
    NSFileManager& fm = NSFileManager::defaultManager();
    if (fm.fileExistsAtPath(folder))
        (void)fm.removeItemAtPath(folder);
    EXPECT_TRUE(fm.createDirectoryAtPath(folder, true));
    return folder;
}

inline void writeText(const std::string& path, const std::string& text)
{
    ASSERT_TRUE(NSFileManager::defaultManager().writeAtomically(path, text));
}

inline std::string readText(const std::string& path)
{
    auto bytes = NSFileManager::defaultManager().contentsAtPath(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string("<missing>");
}

// Runs `work` on a worker thread. When it has not ended within `seconds`, `unblock` is called to
// let it end and the result is false: a call that would wait for ever fails its test instead of
// hanging it.
inline bool endsWithin(double seconds, const std::function<void()>& work, const std::function<void()>& unblock)
{
    auto done = std::async(std::launch::async, work);
    if (done.wait_for(std::chrono::duration<double>(seconds)) == std::future_status::ready)
        return true;
    unblock();
    done.wait();
    return false;
}
