// One reader per settings: the second start hands its link over; a socket left by a reader
// that was killed does not block the next start.

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <filesystem>
#include <string>
#include <vector>

#include "Classes/App/SingleInstance.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/RunLoop.h"
#include "tests/support/ReadOnlyFolder.h"

namespace {

namespace fs = std::filesystem;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        runtime = Paths::temp() + "/runtime-" + ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(runtime);
        path = SingleInstance::socketPath(runtime, "/config", "/documents");
    }
    void TearDown() override { RunLoop::main().resetForTesting(); }
    std::string runtime, path;
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsLinkToTheRunningReader) {
    SingleInstance first(path);
    std::string error;
    ASSERT_EQ(first.claim("", &error), SingleInstance::Role::Primary) << error;
    std::vector<std::string> opened;
    first.listen([&](const std::string& link) { opened.push_back(link); });
    for (const char* link : {"lumeno://2:255", "", "lumeno://login?code=a%20b"}) {
        SingleInstance second(path);
        EXPECT_EQ(second.claim(link, &error), SingleInstance::Role::HandedOver) << error;
    }
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return opened.size() == 3; }, 10));
    EXPECT_EQ(opened, (std::vector<std::string>{"lumeno://2:255", "", "lumeno://login?code=a%20b"}));
    // Links that are not one short line are refused before anything is sent.
    SingleInstance third(path);
    EXPECT_EQ(third.claim("lumeno://1:1\nquit", &error), SingleInstance::Role::Failed);
    EXPECT_EQ(third.claim(std::string(SingleInstance::kMaxLink + 1, 'a'), &error), SingleInstance::Role::Failed);
    EXPECT_TRUE(SingleInstance::canHandOver(std::string(SingleInstance::kMaxLink, 'a')));
    EXPECT_FALSE(SingleInstance::canHandOver(std::string(SingleInstance::kMaxLink + 1, 'a')));
    EXPECT_FALSE(SingleInstance::canHandOver("lumeno://1:1\rquit"));
    // Other settings are another reader.
    SingleInstance other(SingleInstance::socketPath(runtime, "/config", "/elsewhere"));
    EXPECT_EQ(other.claim("", &error), SingleInstance::Role::Primary) << error;
}

TEST_F(SingleInstanceTest, ASocketLeftByAKilledReaderIsReplaced) {
    // What a killed reader leaves: a socket file nobody listens on, and no lock held.
    fs::create_directories(runtime);
    ASSERT_EQ(::mknod(path.c_str(), S_IFSOCK | 0600, 0), 0);
    ASSERT_TRUE(fs::is_socket(path));

    SingleInstance next(path);
    std::string error;
    ASSERT_EQ(next.claim("", &error), SingleInstance::Role::Primary) << error;
    std::vector<std::string> opened;
    next.listen([&](const std::string& link) { opened.push_back(link); });
    SingleInstance second(path);
    EXPECT_EQ(second.claim("lumeno://18:1", &error), SingleInstance::Role::HandedOver) << error;
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !opened.empty(); }, 10));
    // The reader that ends takes its socket file with it.
    next.stop();
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(SingleInstanceTest, AFolderPathLongerThanASocketAddressStillWorks) {
    const std::string deep = runtime + "/" + std::string(120, 'd');
    const std::string longPath = SingleInstance::socketPath(deep, "/config", "/documents");
    ASSERT_GT(longPath.size(), sizeof(sockaddr_un::sun_path));
    const fs::path before = fs::current_path();
    SingleInstance first(longPath);
    std::string error;
    ASSERT_EQ(first.claim("", &error), SingleInstance::Role::Primary) << error;
    first.listen([](const std::string&) {});
    SingleInstance second(longPath);
    EXPECT_EQ(second.claim("lumeno://1:1", &error), SingleInstance::Role::HandedOver) << error;
    EXPECT_EQ(fs::current_path(), before);  // the working folder is restored
}

TEST_F(SingleInstanceTest, WithoutALockOfItsOwnTheReaderRunsAlone) {
    // A runtime folder that cannot be made (its parent is a file), and one on a read-only disk.
    fs::create_directories(runtime);
    const std::string file = runtime + "/file";
    { std::ofstream(file) << "not a folder"; }
    const std::string readOnly = runtime + "/read-only";
    fs::create_directories(readOnly);
    const std::pair<std::string, std::string> cases[] = {{file + "/runtime", std::strerror(ENOTDIR)},
                                                         {readOnly, std::strerror(EROFS)}};
    for (const auto& [folder, reason] : cases) {
        SCOPED_TRACE(folder);
        ReadOnlyFolder disk(readOnly);
        SingleInstance reader(SingleInstance::socketPath(folder, "/config", "/documents"));
        std::string error;
        EXPECT_EQ(reader.claim("lumeno://18:1", &error), SingleInstance::Role::Alone);
        EXPECT_NE(error.find(reason), std::string::npos) << error;
        // It takes no links, and stopping it is harmless.
        reader.listen([](const std::string&) { ADD_FAILURE() << "a link was handed over"; });
        reader.stop();
    }
}

}  // namespace
