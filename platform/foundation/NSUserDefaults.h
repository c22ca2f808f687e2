#pragma once
// The settings store. Two layers: registered defaults (never saved, never override a
// stored value) and stored values, saved by synchronize() to "<config>/defaults.bin".
//
// File layout (little endian): "LMDF", u32 version 1, u32 payload length, payload (one
// Value map in Value's binary form), u32 FNV-1a hash of the payload. It is written to a
// temporary file and renamed over the old one. A file that cannot be parsed, and anything in
// its place that is not a regular file (a folder, FIFO, socket or device, never opened), is
// logged and renamed to "defaults.bin.corrupt-<n>" (left where it is when that fails), and the
// store starts empty. A file that cannot be read for lack of permission is left alone: the
// store runs on the defaults and never writes over it.

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/Value.h"

class NSUserDefaults {
public:
    static NSUserDefaults& standardUserDefaults();

    explicit NSUserDefaults(std::string filePath);
    const std::string& filePath() const { return path_; }

    void registerDefaults(const std::map<std::string, Value>& defaults);
    // Allowed numeric ranges, inclusive. A stored value outside its key's range, or one that
    // is not a number, reads as the registered default (clamped into the range when none is
    // registered), so no stored value takes a setting where the program cannot follow.
    void registerRanges(const std::map<std::string, std::pair<double, double>>& ranges);

    // Null when absent from both layers.
    Value objectForKey(const std::string& key) const;
    // Strings as stored, numbers as text; nullopt when absent or not text-like.
    std::optional<std::string> stringForKey(const std::string& key) const;
    long long integerForKey(const std::string& key) const; // 0 when absent
    float floatForKey(const std::string& key) const;
    double doubleForKey(const std::string& key) const;
    bool boolForKey(const std::string& key) const;
    std::optional<NSDate> dateForKey(const std::string& key) const;
    std::optional<Value::Bytes> dataForKey(const std::string& key) const;
    std::optional<Value::Array> arrayForKey(const std::string& key) const;
    std::optional<std::vector<std::string>> stringArrayForKey(const std::string& key) const;
    std::optional<Value::Map> dictionaryForKey(const std::string& key) const;

    void setObject(const Value& value, const std::string& key); // a null value removes the key
    void setBool(bool value, const std::string& key);
    void setInteger(long long value, const std::string& key);
    void setFloat(float value, const std::string& key);
    void setDouble(double value, const std::string& key);
    void setString(const std::string& value, const std::string& key);
    void setDate(const NSDate& value, const std::string& key);
    void setData(const Value::Bytes& value, const std::string& key);
    void setArray(const Value::Array& value, const std::string& key);
    void removeObjectForKey(const std::string& key);

    // Writes the stored layer when it changed; false (logged) when the file cannot be written,
    // in which case the old file is untouched and the changes stay pending.
    bool synchronize();
    // Stored values only (no registered ones).
    std::map<std::string, Value> storedValues() const;

    // Tests: drops both layers in memory and reads the file again.
    void reload();

private:
    void loadLocked() const;
    mutable std::mutex mutex_;
    std::string path_;
    mutable bool loaded_ = false;
    mutable std::map<std::string, Value> stored_;
    std::map<std::string, Value> registered_;
    std::map<std::string, std::pair<double, double>> ranges_;
    mutable bool unreadable_ = false;  // the file exists but may not be read
    bool dirty_ = false;
};
