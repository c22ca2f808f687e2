#pragma once
// A small variant for settings and archives: null, bool, integer, double, string, date,
// bytes, array of values, map of string to value. Arrays and maps are immutable once
// made and shared between copies.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"

class Value {
public:
    enum class Type { Null, Bool, Integer, Double, String, Date, Data, Array, Map };
    using Bytes = std::vector<uint8_t>;
    using Array = std::vector<Value>;
    using Map = std::map<std::string, Value>;

    Value() = default;
    Value(std::nullptr_t) {}
    Value(bool v);
    Value(int v);
    Value(unsigned v);
    Value(long v);
    Value(unsigned long v);
    Value(long long v);
    Value(unsigned long long v);
    Value(float v);
    Value(double v);
    Value(const char* v);
    Value(std::string v);
    Value(const NSDate& v);
    Value(Bytes v);
    Value(Array v);
    Value(Map v);

    Type type() const { return type_; }
    bool isNull() const { return type_ == Type::Null; }
    bool isNumber() const { return type_ == Type::Bool || type_ == Type::Integer || type_ == Type::Double; }

    // Converting reads, as NSNumber and NSString accessors convert (strings are parsed,
    // numbers widen or truncate, other kinds read as 0 / false / empty).
    bool boolValue() const;
    long long integerValue() const;
    int intValue() const;
    double doubleValue() const;
    float floatValue() const;
    // A string as is; numbers and dates as their description; nullopt for other kinds.
    std::optional<std::string> stringValue() const;

    // Exact reads; nullptr / nullopt when the kind differs.
    const std::string* string() const;
    std::optional<NSDate> date() const;
    const Bytes* data() const;
    const Array* array() const;
    const Map* map() const;
    // A key of a map value; a null value when absent or not a map.
    const Value& operator[](const std::string& key) const;

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

    // Binary form (little endian, tagged); see Value.cpp for the layout.
    void encode(Bytes& out) const;
    // Decodes one value taking all of [data, data+size); nullopt and a reason on any
    // malformed, truncated or too deeply nested input.
    static std::optional<Value> decode(const uint8_t* data, size_t size, std::string* error = nullptr);

private:
    Type type_ = Type::Null;
    bool b_ = false;
    long long i_ = 0;
    double d_ = 0;
    std::shared_ptr<const std::string> s_;
    std::shared_ptr<const Bytes> bytes_;
    std::shared_ptr<const Array> array_;
    std::shared_ptr<const Map> map_;
};

// Text form for %@ and logs: numbers as numbers, strings as is, arrays "(a, b)",
// maps "{k = v; }", data "<0a1b>".
std::string describe(const Value& value);
