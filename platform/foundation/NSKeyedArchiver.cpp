#include "platform/foundation/NSKeyedArchiver.h"

#include <cstring>
#include <mutex>

#include "platform/foundation/Log.h"
#include "platform/foundation/NSFileManager.h"

namespace {

constexpr char kMagic[4] = {'L', 'K', 'A', 'R'};
constexpr uint8_t kVersion = 1;
constexpr int kMaxDepth = 48; // below the value decoder's nesting limit
const std::string kClassKey = "$class";

std::mutex& registryMutex()
{
    static std::mutex m;
    return m;
}
std::map<std::string, NSKeyedUnarchiver::Factory>& registry()
{
    static std::map<std::string, NSKeyedUnarchiver::Factory> factories;
    return factories;
}

} // namespace

void NSKeyedArchiver::encodeValue(const Value& value, const std::string& key)
{
    if (key == kClassKey) {
        NSLog("Archive key %@ is reserved; value ignored", key);
        return;
    }
    map_[key] = value;
}

Value NSKeyedArchiver::encodeObjectValue(const NSCoding& object, int depth)
{
    if (depth > kMaxDepth) {
        NSLog("Archive nested deeper than %d objects; %@ left out", kMaxDepth, object.archiveClassName());
        return Value();
    }
    NSKeyedArchiver child;
    child.depth_ = depth;
    object.encodeWithCoder(child);
    child.map_[kClassKey] = Value(object.archiveClassName());
    return Value(std::move(child.map_));
}

void NSKeyedArchiver::encodeObject(const NSCoding* object, const std::string& key)
{
    if (!object)
        return;
    Value v = encodeObjectValue(*object, depth_ + 1);
    if (!v.isNull())
        encodeValue(v, key);
}

void NSKeyedArchiver::encodeObjects(const std::vector<std::shared_ptr<NSCoding>>& objects, const std::string& key)
{
    Value::Array items;
    for (const auto& o : objects)
        if (o) {
            Value v = encodeObjectValue(*o, depth_ + 1);
            if (!v.isNull())
                items.push_back(std::move(v));
        }
    encodeValue(Value(std::move(items)), key);
}

Value::Bytes NSKeyedArchiver::archivedDataWithRootObject(const NSCoding& root)
{
    Value::Bytes out(kMagic, kMagic + 4);
    out.push_back(kVersion);
    encodeObjectValue(root, 0).encode(out);
    return out;
}

bool NSKeyedArchiver::archiveRootObject(const NSCoding& root, const std::string& path)
{
    std::string error;
    if (!NSFileManager::defaultManager().writeAtomically(path, archivedDataWithRootObject(root), &error)) {
        NSLog("Archive not written: %@", error);
        return false;
    }
    return true;
}

void NSKeyedUnarchiver::registerClass(const std::string& className, Factory factory)
{
    std::lock_guard<std::mutex> lock(registryMutex());
    registry()[className] = std::move(factory);
}

NSKeyedUnarchiver::NSKeyedUnarchiver(Value::Map map, int depth) : map_(std::move(map)), depth_(depth)
{
    if (const std::string* name = Value(map_)[kClassKey].string())
        className_ = *name;
}

std::shared_ptr<NSCoding> NSKeyedUnarchiver::makeObject(const Value& value, int depth)
{
    const Value::Map* map = value.map();
    if (!map)
        return nullptr;
    if (depth > kMaxDepth) {
        NSLog("Archive nested deeper than %d objects", kMaxDepth);
        return nullptr;
    }
    const std::string* name = value[kClassKey].string();
    if (!name) {
        NSLog("Archive object without a class name");
        return nullptr;
    }
    Factory factory;
    {
        std::lock_guard<std::mutex> lock(registryMutex());
        auto it = registry().find(*name);
        if (it != registry().end())
            factory = it->second;
    }
    if (!factory) {
        NSLog("Archive names the unknown class %@", *name);
        return nullptr;
    }
    NSKeyedUnarchiver coder(*map, depth);
    return factory(coder);
}

std::shared_ptr<NSCoding> NSKeyedUnarchiver::unarchiveObjectWithData(const Value::Bytes& data)
{
    if (data.size() < 5 || std::memcmp(data.data(), kMagic, 4) != 0) {
        NSLog("Not a keyed archive (%lu bytes)", static_cast<unsigned long>(data.size()));
        return nullptr;
    }
    if (data[4] != kVersion) {
        NSLog("Keyed archive of unknown version %d", data[4]);
        return nullptr;
    }
    std::string error;
    auto root = Value::decode(data.data() + 5, data.size() - 5, &error);
    if (!root) {
        NSLog("Keyed archive is damaged: %@", error);
        return nullptr;
    }
    return makeObject(*root, 0);
}

std::shared_ptr<NSCoding> NSKeyedUnarchiver::unarchiveObjectWithFile(const std::string& path)
{
    auto bytes = NSFileManager::defaultManager().contentsAtPath(path);
    if (!bytes)
        return nullptr;
    return unarchiveObjectWithData(*bytes);
}

std::shared_ptr<NSCoding> NSKeyedUnarchiver::copyByArchiving(const NSCoding& object)
{
    return unarchiveObjectWithData(NSKeyedArchiver::archivedDataWithRootObject(object));
}

bool NSKeyedUnarchiver::containsValueForKey(const std::string& key) const { return map_.count(key) != 0; }

const Value& NSKeyedUnarchiver::decodeValue(const std::string& key) const
{
    static const Value null;
    auto it = map_.find(key);
    return it == map_.end() ? null : it->second;
}

bool NSKeyedUnarchiver::decodeBool(const std::string& key) const { return decodeValue(key).boolValue(); }
long long NSKeyedUnarchiver::decodeInteger(const std::string& key) const { return decodeValue(key).integerValue(); }
double NSKeyedUnarchiver::decodeDouble(const std::string& key) const { return decodeValue(key).doubleValue(); }
float NSKeyedUnarchiver::decodeFloat(const std::string& key) const { return decodeValue(key).floatValue(); }

std::optional<std::string> NSKeyedUnarchiver::decodeString(const std::string& key) const
{
    if (const std::string* s = decodeValue(key).string())
        return *s;
    return std::nullopt;
}

std::optional<Value::Bytes> NSKeyedUnarchiver::decodeData(const std::string& key) const
{
    if (const Value::Bytes* d = decodeValue(key).data())
        return *d;
    return std::nullopt;
}

std::shared_ptr<NSCoding> NSKeyedUnarchiver::decodeObject(const std::string& key)
{
    return makeObject(decodeValue(key), depth_ + 1);
}

std::vector<std::shared_ptr<NSCoding>> NSKeyedUnarchiver::decodeObjects(const std::string& key)
{
    std::vector<std::shared_ptr<NSCoding>> out;
    if (const Value::Array* items = decodeValue(key).array())
        for (const auto& item : *items)
            if (auto o = makeObject(item, depth_ + 1))
                out.push_back(std::move(o));
    return out;
}
