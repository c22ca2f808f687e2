#include "platform/foundation/NSUserDefaults.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <thread>

#include "FoundationTestSupport.h"
#include "platform/foundation/Log.h"
#include "tests/support/AccessRefused.h"

namespace {

TEST(UserDefaults, RegisteredLayerIsNeverSavedAndNeverOverridesStoredValues)
{
    const std::string path = freshTestFolder() + "/defaults.bin";
    {
        NSUserDefaults d(path);
        d.setInteger(3, "ArabicFontSize");
        ASSERT_TRUE(d.synchronize());
        d.registerDefaults({{"ArabicFontSize", "5"}, {"ColoredTranslation", "YES"}, {"AyahRepeatCounter", "1"}});
        EXPECT_EQ(d.integerForKey("ArabicFontSize"), 3);
        EXPECT_TRUE(d.boolForKey("ColoredTranslation"));
        EXPECT_EQ(d.integerForKey("AyahRepeatCounter"), 1);
        d.setBool(false, "ColoredTranslation");
        ASSERT_TRUE(d.synchronize());
        d.removeObjectForKey("ColoredTranslation");
        EXPECT_TRUE(d.boolForKey("ColoredTranslation")); // the registered value shows again
        ASSERT_TRUE(d.synchronize());
    }
    NSUserDefaults again(path);
    EXPECT_EQ(again.storedValues().size(), 1u);
    EXPECT_EQ(again.integerForKey("ArabicFontSize"), 3);
    EXPECT_TRUE(again.objectForKey("AyahRepeatCounter").isNull());
    EXPECT_FALSE(again.boolForKey("ColoredTranslation"));
}

TEST(UserDefaults, TypedValuesRoundTripAndConvert)
{
    const std::string path = freshTestFolder() + "/defaults.bin";
    const NSDate when = NSDate::dateWithTimeIntervalSince1970(1736157600.25);
    {
        NSUserDefaults d(path);
        d.setBool(true, "b");
        d.setInteger(-42, "i");
        d.setFloat(1.5f, "f");
        d.setDouble(2.25, "d");
        d.setString("\xD8\xA8 text", "s");
        d.setString("17 items", "numeric");
        d.setDate(when, "date");
        d.setData({0, 1, 255}, "data");
        d.setArray({Value("ar"), Value("en")}, "AppleLanguages");
        ASSERT_TRUE(d.synchronize());
    }
    NSUserDefaults d(path);
    EXPECT_TRUE(d.boolForKey("b"));
    EXPECT_EQ(d.integerForKey("b"), 1);
    EXPECT_EQ(d.integerForKey("i"), -42);
    EXPECT_EQ(d.stringForKey("i"), std::optional<std::string>("-42"));
    EXPECT_FLOAT_EQ(d.floatForKey("f"), 1.5f);
    EXPECT_DOUBLE_EQ(d.doubleForKey("d"), 2.25);
    EXPECT_EQ(d.integerForKey("d"), 2);
    EXPECT_EQ(d.stringForKey("s"), std::optional<std::string>("\xD8\xA8 text"));
    EXPECT_EQ(d.integerForKey("numeric"), 17);
    EXPECT_TRUE(d.boolForKey("numeric"));
    EXPECT_EQ(d.dateForKey("date"), std::optional<NSDate>(when));
    EXPECT_EQ(d.dataForKey("data"), std::optional<Value::Bytes>(Value::Bytes{0, 1, 255}));
    EXPECT_EQ(d.stringArrayForKey("AppleLanguages"), (std::optional<std::vector<std::string>>({"ar", "en"})));
    // Absent keys and wrong kinds read as empty.
    EXPECT_EQ(d.integerForKey("absent"), 0);
    EXPECT_FALSE(d.boolForKey("absent"));
    EXPECT_EQ(d.stringForKey("absent"), std::nullopt);
    EXPECT_EQ(d.stringForKey("AppleLanguages"), std::nullopt);
    EXPECT_EQ(d.arrayForKey("s"), std::nullopt);
    EXPECT_EQ(d.dateForKey("s"), std::nullopt);
}

TEST(UserDefaults, CorruptOrUnreadableFileIsMovedAsideAndDefaultsUsed)
{
    const std::string dir = freshTestFolder();
    const std::string path = dir + "/defaults.bin";
    // A good file, then the same file cut short or with a flipped byte.
    {
        NSUserDefaults d(path);
        d.setString("value", "key");
        ASSERT_TRUE(d.synchronize());
    }
    const std::string good = readText(path);
    std::string flipped = good;
    flipped[20] = static_cast<char>(flipped[20] ^ 0x40);
    const std::string damaged[] = {good.substr(0, good.size() - 3), good.substr(0, 10), flipped,
                                   "plain text settings"};
    int n = 0;
    for (const auto& bytes : damaged) {
        SCOPED_TRACE(n);
        writeText(path, bytes);
        LogCapture capture;
        NSUserDefaults d(path);
        d.registerDefaults({{"key", "registered"}});
        EXPECT_EQ(d.stringForKey("key"), std::optional<std::string>("registered"));
        EXPECT_TRUE(capture.contains("cannot be read"));
        ++n;
        const std::string aside = path + ".corrupt-" + std::to_string(n);
        EXPECT_EQ(readText(aside), bytes); // kept, not deleted
        EXPECT_FALSE(NSFileManager::defaultManager().fileExistsAtPath(path));
        d.setString("fresh", "key");
        EXPECT_TRUE(d.synchronize());
        EXPECT_EQ(NSUserDefaults(path).stringForKey("key"), std::optional<std::string>("fresh"));
    }
    // A folder where the file should be cannot be read: moved aside as well.
    ASSERT_TRUE(NSFileManager::defaultManager().removeItemAtPath(path));
    ASSERT_TRUE(NSFileManager::defaultManager().createDirectoryAtPath(path, false));
    LogCapture capture;
    NSUserDefaults d(path);
    EXPECT_TRUE(d.objectForKey("key").isNull());
    EXPECT_TRUE(capture.contains("cannot be read"));
}

TEST(UserDefaults, WhatIsNoRegularFileIsSetAsideUnopenedAndDefaultsUsed)
{
    const std::string dir = freshTestFolder();
    const std::string path = dir + "/defaults.bin";
    const struct {
        const char* kind;
        std::function<bool()> make;
        mode_t type;
    } cases[] = {
        {"a FIFO", [&] { return ::mkfifo(path.c_str(), 0600) == 0; }, S_IFIFO},
        {"a folder", [&] { return ::mkdir(path.c_str(), 0700) == 0; }, S_IFDIR},
        {"a device", [&] { return ::symlink("/dev/null", path.c_str()) == 0; }, S_IFCHR},
        {"a socket",
         [&] {
             // Bound through the folder's descriptor: the full path is longer than a socket address holds.
             const int folder = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
             const int sock = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
             sockaddr_un address{};
             address.sun_family = AF_UNIX;
             std::snprintf(address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d/defaults.bin", folder);
             const bool bound = ::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
             ::close(sock);
             ::close(folder);
             return bound;
         },
         S_IFSOCK},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.kind);
        ASSERT_TRUE(c.make());
        LogCapture capture;
        std::optional<std::string> value;
        const bool ended = endsWithin(
            20,
            [&] {
                NSUserDefaults d(path);
                d.registerDefaults({{"key", "registered"}});
                value = d.stringForKey("key");
            },
            [&] {
                // A writer that comes and goes ends a read blocked on the FIFO.
                const int writer = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
                if (writer >= 0)
                    ::close(writer);
            });
        if (!ended) {
            ADD_FAILURE() << "loading the settings waited on " << c.kind;
            continue;
        }
        EXPECT_EQ(value, std::optional<std::string>("registered"));
        EXPECT_TRUE(capture.contains(std::string("it is ") + c.kind + ", not a regular file")) << c.kind;
        const std::string aside = path + ".corrupt-" + std::to_string(++n);
        struct stat st{};
        ASSERT_EQ(::stat(aside.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & S_IFMT, c.type);
        EXPECT_EQ(::lstat(path.c_str(), &st), -1);
        // Saving makes a regular file in its place.
        NSUserDefaults d(path);
        d.setString("fresh", "key");
        EXPECT_TRUE(d.synchronize());
        EXPECT_EQ(NSUserDefaults(path).stringForKey("key"), std::optional<std::string>("fresh"));
        ASSERT_TRUE(NSFileManager::defaultManager().removeItemAtPath(path));
    }
}

TEST(UserDefaults, AFileClosedToUsIsLeftAloneAndDefaultsUsed)
{
    const std::string dir = freshTestFolder();
    const std::string path = dir + "/defaults.bin";
    {
        NSUserDefaults d(path);
        d.setString("stored", "key");
        ASSERT_TRUE(d.synchronize());
    }
    const std::string before = readText(path);
    runWithAccessRefused(path, std::filesystem::perms::none, [&] {
        LogCapture capture;
        NSUserDefaults d(path);
        d.registerDefaults({{"key", "registered"}});
        EXPECT_EQ(d.stringForKey("key"), std::optional<std::string>("registered"));
        EXPECT_TRUE(capture.contains("leaving it unchanged"));
        d.setString("changed", "key");
        EXPECT_FALSE(d.synchronize());
    });
    EXPECT_EQ(readText(path), before);
    EXPECT_FALSE(NSFileManager::defaultManager().fileExistsAtPath(path + ".corrupt-1"));
}

TEST(UserDefaults, ValuesOutsideTheirRangeReadAsTheDefault)
{
    NSUserDefaults d(freshTestFolder() + "/defaults.bin");
    d.registerDefaults({{"ArabicFontSize", "1"}});
    d.registerRanges({{"ArabicFontSize", {0, 4}}, {"LastSurahYOffset", {0, 1000}}});
    const struct {
        Value stored;
        long long read;
    } cases[] = {{Value(3LL), 3}, {Value(9LL), 1}, {Value(-2LL), 1}, {Value("4"), 4}, {Value("huge"), 1},
                 {Value(1e300), 1}};
    for (const auto& c : cases) {
        d.setObject(c.stored, "ArabicFontSize");
        EXPECT_EQ(d.integerForKey("ArabicFontSize"), c.read) << describe(c.stored);
    }
    // Without a registered default the value is clamped.
    d.setInteger(5000, "LastSurahYOffset");
    EXPECT_EQ(d.integerForKey("LastSurahYOffset"), 1000);
    d.setInteger(-5, "LastSurahYOffset");
    EXPECT_EQ(d.integerForKey("LastSurahYOffset"), 0);
}

TEST(UserDefaults, FailedSaveKeepsOldFileAndPendingChanges)
{
    const std::string dir = freshTestFolder();
    writeText(dir + "/blocker", "a file where the folder should be");
    LogCapture capture;
    NSUserDefaults d(dir + "/blocker/defaults.bin");
    d.setInteger(7, "LastSearchYOffset");
    EXPECT_FALSE(d.synchronize());
    EXPECT_TRUE(capture.contains("Settings not saved"));
    EXPECT_EQ(d.integerForKey("LastSearchYOffset"), 7);
    EXPECT_EQ(readText(dir + "/blocker"), "a file where the folder should be");
}

TEST(UserDefaults, LoadingRemovesPartialFilesAKilledWriterLeftButNotOneInUse)
{
    const std::string dir = freshTestFolder();
    const std::string path = dir + "/defaults.bin";
    {
        NSUserDefaults first(path);
        first.setInteger(4, "ArabicFontSize");
        ASSERT_TRUE(first.synchronize());
    }
    // What a kill during a write leaves: empty or half-written partial files, unlocked.
    writeText(dir + "/defaults.bin.partial-a1b2c3", "");
    writeText(dir + "/defaults.bin.partial-d4e5f6", "LMDF");
    // A writer at work holds its partial file locked.
    writeText(dir + "/defaults.bin.partial-inuse1", "");
    const int writer = ::open((dir + "/defaults.bin.partial-inuse1").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::flock(writer, LOCK_EX), 0);
    // Another file's partial is not this store's.
    writeText(dir + "/other.bin.partial-a1b2c3", "");

    NSUserDefaults d(path);
    EXPECT_EQ(d.integerForKey("ArabicFontSize"), 4);
    NSFileManager& fm = NSFileManager::defaultManager();
    EXPECT_FALSE(fm.fileExistsAtPath(dir + "/defaults.bin.partial-a1b2c3"));
    EXPECT_FALSE(fm.fileExistsAtPath(dir + "/defaults.bin.partial-d4e5f6"));
    EXPECT_TRUE(fm.fileExistsAtPath(dir + "/defaults.bin.partial-inuse1"));
    EXPECT_TRUE(fm.fileExistsAtPath(dir + "/other.bin.partial-a1b2c3"));
    ::close(writer);

    // A save leaves no partial file of its own.
    d.setInteger(2, "ArabicFontSize");
    ASSERT_TRUE(d.synchronize());
    auto names = fm.contentsOfDirectoryAtPath(dir).value_or(std::vector<std::string>{});
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"defaults.bin", "defaults.bin.partial-inuse1", "other.bin.partial-a1b2c3"}));
}

TEST(UserDefaults, StandardStoreLivesInConfigFolder)
{
    NSUserDefaults& d = NSUserDefaults::standardUserDefaults();
    EXPECT_EQ(d.filePath(), Paths::config() + "/defaults.bin");
    d.setString("x", "StandardKey");
    ASSERT_TRUE(d.synchronize());
    EXPECT_TRUE(NSFileManager::defaultManager().fileExistsAtPath(d.filePath()));
    d.reload();
    EXPECT_EQ(d.stringForKey("StandardKey"), std::optional<std::string>("x"));
}

} // namespace
