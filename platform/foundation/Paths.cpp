#include "platform/foundation/Paths.h"

#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"

namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? std::string(v) : std::string();
}

std::string home()
{
    std::string h = env("HOME");
    return h.empty() ? std::string("/tmp") : h;
}

// XDG base folder: the variable when set to an absolute path, else ~/<fallback>.
std::string xdg(const char* variable, const char* fallback)
{
    const std::string v = env(variable);
    if (!v.empty() && v.front() == '/')
        return v;
    return str::appendPathComponent(home(), fallback);
}

bool makeFolders(const std::string& path)
{
    if (path.empty())
        return false;
    std::string partial;
    for (const std::string& part : str::split(path, "/")) {
        partial += part;
        if (!part.empty() && mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
        partial += '/';
    }
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// Creates the folder once per process (and again if it disappeared since).
std::string ensure(const std::string& path)
{
    static std::mutex mutex;
    static std::set<std::string> made;
    std::lock_guard<std::mutex> lock(mutex);
    struct stat st{};
    if (made.count(path) && stat(path.c_str(), &st) == 0)
        return path;
    if (makeFolders(path))
        made.insert(path);
    else
        NSLog("Cannot create folder %@: %s", path, std::strerror(errno));
    return path;
}

std::string overridden(const char* variable, const std::string& fallback)
{
    const std::string v = env(variable);
    return v.empty() ? fallback : v;
}

} // namespace

std::string Paths::executableFolder()
{
    char buf[4096];
    const ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return ".";
    return str::deletingLastPathComponent(std::string(buf, static_cast<size_t>(n)));
}

std::string Paths::bundle()
{
    return overridden("LUMENO_BUNDLE_DIR", str::appendPathComponent(executableFolder(), "bundle"));
}

std::string Paths::documents()
{
    return ensure(overridden("LUMENO_DOCUMENTS_DIR", xdg("XDG_DATA_HOME", ".local/share") + "/lumeno/Documents"));
}

std::string Paths::caches()
{
    return ensure(overridden("LUMENO_CACHES_DIR", xdg("XDG_CACHE_HOME", ".cache") + "/lumeno"));
}

std::string Paths::temp()
{
    std::string base = env("TMPDIR");
    if (base.empty() || base.front() != '/')
        base = "/tmp";
    return ensure(overridden("LUMENO_TEMP_DIR", str::appendPathComponent(base, "lumeno-" + std::to_string(getuid()))));
}

std::string Paths::config()
{
    return ensure(overridden("LUMENO_CONFIG_DIR", xdg("XDG_CONFIG_HOME", ".config") + "/lumeno"));
}

std::string Paths::bundleResource(const std::string& name) { return str::appendPathComponent(bundle(), name); }

std::optional<std::string> Paths::pathForResource(const std::string& name, const std::string& type,
                                                  const std::string& folder)
{
    std::string path = bundle();
    if (!folder.empty())
        path = str::appendPathComponent(path, folder);
    path = str::appendPathComponent(path, type.empty() ? name : name + "." + type);
    struct stat st{};
    if (stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return path;
}
