#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FoundationTestSupport.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"

namespace {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(Paths, EnvironmentOverridesAndXdgDefaultsCreateFolders)
{
    const std::string root = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    {
        ScopedEnv docs("LUMENO_DOCUMENTS_DIR", (root + "/docs/deep").c_str());
        EXPECT_EQ(Paths::documents(), root + "/docs/deep");
        bool isDir = false;
        EXPECT_TRUE(fm.fileExistsAtPath(root + "/docs/deep", &isDir));
        EXPECT_TRUE(isDir);
    }
    {
        ScopedEnv docs("LUMENO_DOCUMENTS_DIR", nullptr);
        ScopedEnv caches("LUMENO_CACHES_DIR", nullptr);
        ScopedEnv config("LUMENO_CONFIG_DIR", nullptr);
        ScopedEnv data("XDG_DATA_HOME", (root + "/data").c_str());
        ScopedEnv cache("XDG_CACHE_HOME", (root + "/cache").c_str());
        ScopedEnv conf("XDG_CONFIG_HOME", (root + "/conf").c_str());
        EXPECT_EQ(Paths::documents(), root + "/data/lumeno/Documents");
        EXPECT_EQ(Paths::caches(), root + "/cache/lumeno");
        EXPECT_EQ(Paths::config(), root + "/conf/lumeno");
        EXPECT_TRUE(fm.fileExistsAtPath(root + "/cache/lumeno"));
    }
    {
        ScopedEnv bundle("LUMENO_BUNDLE_DIR", nullptr);
        EXPECT_EQ(Paths::bundle(), Paths::executableFolder() + "/bundle");
    }
    ScopedEnv bundle("LUMENO_BUNDLE_DIR", (root + "/bundle").c_str());
    ASSERT_TRUE(fm.createDirectoryAtPath(root + "/bundle/en.lproj", true));
    writeText(root + "/bundle/lumeno.db", "x");
    EXPECT_EQ(Paths::bundleResource("lumeno.db"), root + "/bundle/lumeno.db");
    EXPECT_EQ(Paths::pathForResource("lumeno", "db"), std::optional<std::string>(root + "/bundle/lumeno.db"));
    EXPECT_EQ(Paths::pathForResource("missing", "db"), std::nullopt);
    EXPECT_TRUE(Paths::pathForResource("en", "lproj").has_value());
}

TEST(FileManager, CopyMoveRemoveWithErrors)
{
    const std::string dir = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    writeText(dir + "/a.db", "content");
    std::string error;

    EXPECT_TRUE(fm.copyItemAtPath(dir + "/a.db", dir + "/b.db", &error)) << error;
    EXPECT_EQ(readText(dir + "/b.db"), "content");

    // The destination exists: refused, nothing overwritten.
    writeText(dir + "/c.db", "keep me");
    EXPECT_FALSE(fm.copyItemAtPath(dir + "/a.db", dir + "/c.db", &error));
    EXPECT_NE(error.find("already exists"), std::string::npos);
    EXPECT_EQ(readText(dir + "/c.db"), "keep me");

    EXPECT_FALSE(fm.copyItemAtPath(dir + "/none.db", dir + "/d.db", &error));
    EXPECT_NE(error.find("does not exist"), std::string::npos);
    // Into a missing folder: fails and leaves no partial file behind.
    EXPECT_FALSE(fm.copyItemAtPath(dir + "/a.db", dir + "/nofolder/a.db", &error));
    EXPECT_FALSE(error.empty());

    EXPECT_TRUE(fm.moveItemAtPath(dir + "/b.db", dir + "/moved.db", &error)) << error;
    EXPECT_FALSE(fm.fileExistsAtPath(dir + "/b.db"));
    EXPECT_FALSE(fm.moveItemAtPath(dir + "/a.db", dir + "/moved.db", &error));
    EXPECT_EQ(readText(dir + "/a.db"), "content");

    ASSERT_TRUE(fm.createDirectoryAtPath(dir + "/tree/x/y", true, &error)) << error;
    EXPECT_FALSE(fm.createDirectoryAtPath(dir + "/other/x", false, &error));
    writeText(dir + "/tree/x/y/f", "1");
    EXPECT_TRUE(fm.copyItemAtPath(dir + "/tree", dir + "/tree2", &error)) << error;
    EXPECT_EQ(readText(dir + "/tree2/x/y/f"), "1");
    EXPECT_TRUE(fm.removeItemAtPath(dir + "/tree", &error));
    EXPECT_FALSE(fm.fileExistsAtPath(dir + "/tree"));
    EXPECT_FALSE(fm.removeItemAtPath(dir + "/tree", &error));

    EXPECT_EQ(fm.contentsOfDirectoryAtPath(dir),
              (std::vector<std::string>{"a.db", "c.db", "moved.db", "tree2"}));
    EXPECT_EQ(fm.subpathsAtPath(dir + "/tree2"), (std::vector<std::string>{"x", "x/y", "x/y/f"}));
}

TEST(FileManager, SizesDatesAndUnreadableFolders)
{
    const std::string dir = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    writeText(dir + "/f", "12345");
    EXPECT_EQ(fm.fileSize(dir + "/f"), std::optional<uint64_t>(5));
    EXPECT_EQ(fm.fileSize(dir + "/none"), std::nullopt);
    const NSDate when = NSDate::dateWithTimeIntervalSince1970(1600000000.5);
    ASSERT_TRUE(fm.setModificationDate(dir + "/f", when));
    EXPECT_NEAR(fm.modificationDate(dir + "/f")->timeIntervalSince1970(), 1600000000.5, 1e-3);
    EXPECT_EQ(fm.modificationDate(dir + "/none"), std::nullopt);

    std::string error;
    EXPECT_EQ(fm.contentsOfDirectoryAtPath(dir + "/none", &error), std::nullopt);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(fm.contentsOfDirectoryAtPath(dir + "/f", &error), std::nullopt); // a file, not a folder
    EXPECT_EQ(fm.subpathsAtPath(dir + "/none"), std::nullopt);
    EXPECT_EQ(fm.contentsAtPath(dir), std::nullopt); // a folder, not a file
}

TEST(FileManager, WholeFileReadTakesOnlyARegularFileAndNeverWaits)
{
    const std::string dir = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    // A FIFO whose writer stays open and silent: a plain read would wait for ever.
    ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
    int writer = ::open((dir + "/fifo").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::symlink("/dev/null", (dir + "/device").c_str()), 0);
    ::mkdir((dir + "/folder").c_str(), 0700);
    const struct {
        const char* name;
        int error;
    } cases[] = {{"fifo", EINVAL}, {"device", EINVAL}, {"folder", EISDIR}};
    for (const auto& c : cases) {
        std::optional<std::vector<uint8_t>> bytes;
        int error = 0;
        const bool ended = endsWithin(
            20,
            [&] {
                bytes = fm.contentsAtPath(dir + "/" + c.name);
                error = errno;
            },
            [&] {
                ::close(writer);
                writer = -1;
            });
        EXPECT_TRUE(ended) << c.name;
        EXPECT_EQ(bytes, std::nullopt) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
    if (writer >= 0)
        ::close(writer);
}

TEST(FileManager, AtomicWriteLeavesOldFileWhenItFails)
{
    const std::string dir = freshTestFolder();
    NSFileManager& fm = NSFileManager::defaultManager();
    writeText(dir + "/settings", "old");
    ASSERT_TRUE(fm.writeAtomically(dir + "/settings", std::string("new")));
    EXPECT_EQ(readText(dir + "/settings"), "new");
    // The target is a folder: the write fails, the folder and its contents stay.
    ASSERT_TRUE(fm.createDirectoryAtPath(dir + "/busy", false));
    writeText(dir + "/busy/inside", "x");
    std::string error;
    EXPECT_FALSE(fm.writeAtomically(dir + "/busy", std::string("data"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readText(dir + "/busy/inside"), "x");
    // No temporary files are left behind.
    EXPECT_EQ(fm.contentsOfDirectoryAtPath(dir), (std::vector<std::string>{"busy", "settings"}));
}

} // namespace
