#pragma once
// Keyed archives: objects write typed values under keys and read them back by key.
// An archive is bytes: "LKAR", a version byte (1), then the root object as a Value map in
// Value's binary form, where each object is a map with its class name under "$class".
// Objects form a tree (no shared or cyclic references). Decoding checks every size and
// kind: malformed bytes give a logged failure and a null result, never a crash.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/Value.h"

class NSKeyedArchiver;
class NSKeyedUnarchiver;

// An archivable object. The class name picks the factory at decoding time.
class NSCoding {
public:
    virtual ~NSCoding() = default;
    virtual std::string archiveClassName() const = 0;
    virtual void encodeWithCoder(NSKeyedArchiver& coder) const = 0;
};

class NSKeyedArchiver {
public:
    void encodeValue(const Value& value, const std::string& key);
    void encodeBool(bool value, const std::string& key) { encodeValue(Value(value), key); }
    void encodeInteger(long long value, const std::string& key) { encodeValue(Value(value), key); }
    void encodeDouble(double value, const std::string& key) { encodeValue(Value(value), key); }
    void encodeFloat(float value, const std::string& key) { encodeValue(Value(value), key); }
    void encodeString(const std::string& value, const std::string& key) { encodeValue(Value(value), key); }
    void encodeData(const Value::Bytes& value, const std::string& key) { encodeValue(Value(value), key); }
    // A null object encodes nothing (the key reads back as absent).
    void encodeObject(const NSCoding* object, const std::string& key);
    void encodeObject(const std::shared_ptr<NSCoding>& object, const std::string& key) { encodeObject(object.get(), key); }
    void encodeObjects(const std::vector<std::shared_ptr<NSCoding>>& objects, const std::string& key);

    // The archive of one object as bytes, and to a file (atomically).
    static Value::Bytes archivedDataWithRootObject(const NSCoding& root);
    [[nodiscard]] static bool archiveRootObject(const NSCoding& root, const std::string& path);

    // The map written so far (the object's keys plus "$class").
    const Value::Map& encodedMap() const { return map_; }

private:
    static Value encodeObjectValue(const NSCoding& object, int depth);
    Value::Map map_;
    int depth_ = 0;
};

class NSKeyedUnarchiver {
public:
    using Factory = std::function<std::shared_ptr<NSCoding>(NSKeyedUnarchiver& coder)>;
    // Registers how to make an object of a class from its archive.
    static void registerClass(const std::string& className, Factory factory);

    static std::shared_ptr<NSCoding> unarchiveObjectWithData(const Value::Bytes& data);
    static std::shared_ptr<NSCoding> unarchiveObjectWithFile(const std::string& path);
    // Deep copy by archiving and unarchiving.
    static std::shared_ptr<NSCoding> copyByArchiving(const NSCoding& object);

    explicit NSKeyedUnarchiver(Value::Map map, int depth = 0);
    const std::string& className() const { return className_; }

    bool containsValueForKey(const std::string& key) const;
    const Value& decodeValue(const std::string& key) const; // null when absent
    bool decodeBool(const std::string& key) const;
    long long decodeInteger(const std::string& key) const;
    double decodeDouble(const std::string& key) const;
    float decodeFloat(const std::string& key) const;
    std::optional<std::string> decodeString(const std::string& key) const;
    std::optional<Value::Bytes> decodeData(const std::string& key) const;
    // nullptr when absent, not an object, or of an unregistered class (logged).
    std::shared_ptr<NSCoding> decodeObject(const std::string& key);
    std::vector<std::shared_ptr<NSCoding>> decodeObjects(const std::string& key);

    template <class T>
    std::shared_ptr<T> decodeObjectOfClass(const std::string& key)
    {
        return std::dynamic_pointer_cast<T>(decodeObject(key));
    }

private:
    static std::shared_ptr<NSCoding> makeObject(const Value& value, int depth);
    Value::Map map_;
    std::string className_;
    int depth_;
};
