#include "tests/support/TestSandbox.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// The program's own settings from the environment. The tests' switches (LUMENO_UPDATE_DOCS,
// LUMENO_KEEP_SHOTS, ...) are the caller's to give and stay.
void dropOverrides()
{
    for (const char* variable : {"LUMENO_DOCUMENTS_DIR", "LUMENO_CACHES_DIR", "LUMENO_CONFIG_DIR", "LUMENO_TEMP_DIR",
                                 "LUMENO_BUNDLE_DIR", "LUMENO_SOURCE_DIR", "LUMENO_MAIL_COMMAND", "LUMENO_CAN_SEND_MAIL",
                                 "LUMENO_CAN_SEND_TEXT", "LUMENO_REVIEW_URL", "LUMENO_SOCIAL_ORIGIN"})
        unsetenv(variable);
}

// A long case name is cut short and told apart by a hash of the whole: libraries keep paths
// under $HOME in small buffers (espeak-ng's holds 160 bytes and cuts the rest off).
std::string folderName(const std::string& name)
{
    constexpr size_t kLongest = 40;
    if (name.size() <= kLongest)
        return name;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>{}(name));
    return name.substr(0, kLongest - sizeof hash) + "-" + hash;
}

void point(const char* variable, const fs::path& dir)
{
    std::error_code ec;
    fs::create_directories(dir, ec);
    setenv(variable, dir.c_str(), 1);
}

} // namespace

void enterTestSandbox(const std::string& name)
{
    dropOverrides();
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return;
    const fs::path root = program.parent_path().parent_path() / "test-home" / program.filename() / folderName(name);
    fs::remove_all(root, ec);
    point("LUMENO_DOCUMENTS_DIR", root / "Documents");
    point("LUMENO_CACHES_DIR", root / "Caches");
    point("LUMENO_CONFIG_DIR", root / "config");
    point("LUMENO_TEMP_DIR", root / "tmp");
    point("HOME", root / "home");
    point("TMPDIR", root / "tmpdir");
    point("XDG_RUNTIME_DIR", root / "runtime");
    chmod((root / "runtime").c_str(), 0700);
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        unsetenv(variable);
}
