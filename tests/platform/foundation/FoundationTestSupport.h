#pragma once
// A fresh folder per test under the test program's temp folder.

#include <gtest/gtest.h>

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
