// Entry point of every test program. CTest runs each test case in its own process and
// several at once, so each process gets Documents, Caches, config and temp folders of
// its own, emptied first, under "<build>/test-home/<program>/<case>". Variables already
// set by the caller are left alone. LUMENO_SOURCE_DIR points at the sources (fixtures).
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

std::string sandboxName()
{
    std::string filter = testing::GTEST_FLAG(filter);
    bool single = !filter.empty() && filter.find_first_of("*?:-") == std::string::npos;
    std::string name = single ? filter : "pid" + std::to_string(getpid());
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '.')
            c = '_';
    return name;
}

void isolate(const char* variable, const std::filesystem::path& dir)
{
    if (const char* set = std::getenv(variable); set && *set)
        return;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    setenv(variable, dir.c_str(), 1);
}

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    setenv("LUMENO_SOURCE_DIR", LUMENO_SOURCE_DIR_PATH, 0);
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path root =
            program.parent_path().parent_path() / "test-home" / program.filename() / sandboxName();
        std::filesystem::remove_all(root, ec);
        isolate("LUMENO_DOCUMENTS_DIR", root / "Documents");
        isolate("LUMENO_CACHES_DIR", root / "Caches");
        isolate("LUMENO_CONFIG_DIR", root / "config");
        isolate("LUMENO_TEMP_DIR", root / "tmp");
    }
    return RUN_ALL_TESTS();
}
