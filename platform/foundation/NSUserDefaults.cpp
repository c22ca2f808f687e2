#include "platform/foundation/NSUserDefaults.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/Paths.h"
#include "platform/foundation/StringUtils.h"

namespace {

constexpr char kMagic[4] = {'L', 'M', 'D', 'F'};
constexpr uint32_t kVersion = 1;

uint32_t fnv1a(const uint8_t* p, size_t n)
{
    uint32_t h = 2166136261u;
    for (size_t i = 0; i < n; ++i) {
        h ^= p[i];
        h *= 16777619u;
    }
    return h;
}

void putU32(Value::Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t getU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

// Parses a whole settings file; nullopt and a reason when it is not one.
std::optional<Value::Map> parseFile(const Value::Bytes& data, std::string& why)
{
    if (data.size() < 16 || std::memcmp(data.data(), kMagic, 4) != 0) {
        why = "not a settings file";
        return std::nullopt;
    }
    if (getU32(data.data() + 4) != kVersion) {
        why = "unknown version";
        return std::nullopt;
    }
    const uint32_t length = getU32(data.data() + 8);
    if (length != data.size() - 16) {
        why = "wrong length (truncated?)";
        return std::nullopt;
    }
    const uint8_t* payload = data.data() + 12;
    if (getU32(payload + length) != fnv1a(payload, length)) {
        why = "checksum mismatch";
        return std::nullopt;
    }
    auto value = Value::decode(payload, length, &why);
    if (!value)
        return std::nullopt;
    if (!value->map()) {
        why = "top level is not a map";
        return std::nullopt;
    }
    return *value->map();
}

bool parsesAsNumber(const std::string& text)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size();
}


// Removes the partial files a writer killed mid-write left beside the file (the atomic write's
// "<file>.partial-XXXXXX"). A writer holds its partial file locked until it is renamed, so one
// in use, by this or another process, is left alone.
int removeAbandonedPartials(const std::string& path)
{
    const std::string folder = str::deletingLastPathComponent(path);
    const std::string prefix = str::lastPathComponent(path) + ".partial-";
    int removed = 0;
    for (const std::string& name : NSFileManager::defaultManager().contentsOfDirectoryAtPath(folder).value_or(
             std::vector<std::string>{})) {
        if (!str::hasPrefix(name, prefix))
            continue;
        const std::string partial = str::appendPathComponent(folder, name);
        const int fd = ::open(partial.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        // Still the same file under that name once the lock is ours (not renamed meanwhile).
        struct stat held{}, named{};
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(partial.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino && ::unlink(partial.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    return removed;
}

// What stands where the settings file should be, when it is not a regular file.
const char* nonRegularKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "something else";
}

} // namespace

NSUserDefaults& NSUserDefaults::standardUserDefaults()
{
    static NSUserDefaults defaults(str::appendPathComponent(Paths::config(), "defaults.bin"));
    return defaults;
}

NSUserDefaults::NSUserDefaults(std::string filePath) : path_(std::move(filePath)) {}

void NSUserDefaults::loadLocked() const
{
    if (loaded_)
        return;
    loaded_ = true;
    unreadable_ = false;
    stored_.clear();
    if (const int removed = removeAbandonedPartials(path_))
        NSLog("Removed %i unfinished settings file(s) left beside %@", removed, path_);
    NSFileManager& fm = NSFileManager::defaultManager();
    struct stat st{};
    if (::stat(path_.c_str(), &st) != 0)
        return;
    std::string why;
    std::optional<std::vector<uint8_t>> data;
    std::optional<Value::Map> map;
    if (!S_ISREG(st.st_mode)) {
        // Never opened: a FIFO would block the start until some writer came.
        why = std::string("it is ") + nonRegularKind(st.st_mode) + ", not a regular file";
    } else if (data = fm.contentsAtPath(path_); !data) {
        const int code = errno;
        why = std::strerror(code);
        if (code == EACCES || code == EPERM) {
            // Not damaged, only closed to us: keep it for when its permissions are fixed.
            unreadable_ = true;
            NSLog("Warning: settings file %@ cannot be read (%@); using defaults and leaving it unchanged", path_,
                  why);
            return;
        }
    } else {
        map = parseFile(*data, why);
    }
    if (map) {
        stored_ = std::move(*map);
        return;
    }
    // Keep the bad file for inspection and start from the defaults.
    std::string aside;
    for (int n = 1; n < 1000; ++n) {
        aside = path_ + ".corrupt-" + std::to_string(n);
        if (!fm.fileExistsAtPath(aside))
            break;
    }
    if (std::rename(path_.c_str(), aside.c_str()) == 0)
        NSLog("Settings file %@ cannot be read (%@); moved to %@, using defaults", path_, why, aside);
    else
        NSLog("Settings file %@ cannot be read (%@) nor moved aside (%s); using defaults", path_, why,
              std::strerror(errno));
}

void NSUserDefaults::registerDefaults(const std::map<std::string, Value>& defaults)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [key, value] : defaults)
        registered_[key] = value;
}

void NSUserDefaults::registerRanges(const std::map<std::string, std::pair<double, double>>& ranges)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [key, range] : ranges)
        ranges_[key] = range;
}

Value NSUserDefaults::objectForKey(const std::string& key) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    loadLocked();
    auto registered = registered_.find(key);
    auto range = ranges_.find(key);
    if (auto it = stored_.find(key); it != stored_.end()) {
        if (range == ranges_.end())
            return it->second;
        const auto [low, high] = range->second;
        const std::optional<std::string> text = it->second.isNumber() ? std::nullopt : it->second.stringValue();
        const bool numeric = it->second.isNumber() || (text && parsesAsNumber(*text));
        const double v = it->second.doubleValue();
        if (numeric && v >= low && v <= high)
            return it->second;
        if (registered == registered_.end())
            return Value(numeric && std::isfinite(v) ? std::clamp(v, low, high) : low);
    }
    if (registered != registered_.end())
        return registered->second;
    return Value();
}

std::optional<std::string> NSUserDefaults::stringForKey(const std::string& key) const
{
    const Value v = objectForKey(key);
    if (v.type() == Value::Type::Date)
        return std::nullopt;
    return v.stringValue();
}

long long NSUserDefaults::integerForKey(const std::string& key) const { return objectForKey(key).integerValue(); }
float NSUserDefaults::floatForKey(const std::string& key) const { return objectForKey(key).floatValue(); }
double NSUserDefaults::doubleForKey(const std::string& key) const
{
    const Value v = objectForKey(key);
    return v.type() == Value::Type::Date ? 0 : v.doubleValue();
}
bool NSUserDefaults::boolForKey(const std::string& key) const { return objectForKey(key).boolValue(); }
std::optional<NSDate> NSUserDefaults::dateForKey(const std::string& key) const { return objectForKey(key).date(); }

std::optional<Value::Bytes> NSUserDefaults::dataForKey(const std::string& key) const
{
    const Value v = objectForKey(key);
    if (const auto* d = v.data())
        return *d;
    return std::nullopt;
}

std::optional<Value::Array> NSUserDefaults::arrayForKey(const std::string& key) const
{
    const Value v = objectForKey(key);
    if (const auto* a = v.array())
        return *a;
    return std::nullopt;
}

std::optional<std::vector<std::string>> NSUserDefaults::stringArrayForKey(const std::string& key) const
{
    auto items = arrayForKey(key);
    if (!items)
        return std::nullopt;
    std::vector<std::string> out;
    for (const auto& item : *items) {
        if (!item.string())
            return std::nullopt;
        out.push_back(*item.string());
    }
    return out;
}

std::optional<Value::Map> NSUserDefaults::dictionaryForKey(const std::string& key) const
{
    const Value v = objectForKey(key);
    if (const auto* m = v.map())
        return *m;
    return std::nullopt;
}

void NSUserDefaults::setObject(const Value& value, const std::string& key)
{
    std::lock_guard<std::mutex> lock(mutex_);
    loadLocked();
    if (value.isNull())
        stored_.erase(key);
    else
        stored_[key] = value;
    dirty_ = true;
}

void NSUserDefaults::setBool(bool value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setInteger(long long value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setFloat(float value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setDouble(double value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setString(const std::string& value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setDate(const NSDate& value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setData(const Value::Bytes& value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::setArray(const Value::Array& value, const std::string& key) { setObject(Value(value), key); }
void NSUserDefaults::removeObjectForKey(const std::string& key) { setObject(Value(), key); }

bool NSUserDefaults::synchronize()
{
    std::lock_guard<std::mutex> lock(mutex_);
    loadLocked();
    if (!dirty_)
        return true;
    if (unreadable_) {
        NSLog("Settings not saved: %@ cannot be read, so it is not replaced", path_);
        return false;
    }
    Value::Bytes payload;
    Value(Value::Map(stored_)).encode(payload);
    Value::Bytes file(kMagic, kMagic + 4);
    putU32(file, kVersion);
    putU32(file, static_cast<uint32_t>(payload.size()));
    file.insert(file.end(), payload.begin(), payload.end());
    putU32(file, fnv1a(payload.data(), payload.size()));
    std::string error;
    NSFileManager& fm = NSFileManager::defaultManager();
    const std::string folder = str::deletingLastPathComponent(path_);
    if (!folder.empty() && !fm.fileExistsAtPath(folder))
        (void)fm.createDirectoryAtPath(folder, true, nullptr);
    if (!fm.writeAtomically(path_, file, &error)) {
        NSLog("Settings not saved: %@", error);
        return false;
    }
    dirty_ = false;
    return true;
}

std::map<std::string, Value> NSUserDefaults::storedValues() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    loadLocked();
    return stored_;
}

void NSUserDefaults::reload()
{
    std::lock_guard<std::mutex> lock(mutex_);
    registered_.clear();
    ranges_.clear();
    stored_.clear();
    dirty_ = false;
    loaded_ = false;
    unreadable_ = false;
}
