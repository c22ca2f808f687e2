#include "tests/support/AccessRefused.h"

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <unistd.h>

#include <thread>

namespace {

constexpr uid_t kNobody = 65534;

} // namespace

void runWithAccessRefused(const std::string& path, std::filesystem::perms mode, const std::function<void()>& work)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::perms before = fs::status(path, error).permissions();
    ASSERT_FALSE(error) << path << ": " << error.message();
    fs::permissions(path, mode, error);
    ASSERT_FALSE(error) << path << ": " << error.message();
    if (geteuid() == 0) {
        std::thread([&] {
            setfsuid(kNobody);
            // setfsuid answers with the user in force before the call: the switch shows in a second one.
            if (static_cast<uid_t>(setfsuid(kNobody)) != kNobody) {
                ADD_FAILURE() << "could not take the file accesses of user " << kNobody;
                return;
            }
            work();
        }).join();
    } else {
        work();
    }
    fs::permissions(path, before, error);
    EXPECT_FALSE(error) << path << ": " << error.message();
}
