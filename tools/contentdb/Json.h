// A small JSON reader for the builder's inputs (objects, arrays, strings, numbers, literals).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class JsonValue {
public:
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::Null; }
    double number() const { return number_; }
    int integer() const { return static_cast<int>(number_); }
    bool boolean() const { return boolean_; }
    const std::string& string() const { return string_; }
    const std::vector<JsonValue>& array() const { return array_; }
    const std::map<std::string, JsonValue>& object() const { return object_; }

    // Member lookup; a shared null value when absent or when this is no object.
    const JsonValue& operator[](const std::string& key) const;
    const JsonValue& operator[](size_t index) const;
    size_t size() const { return kind_ == Kind::Array ? array_.size() : object_.size(); }

    // Parses text; on failure returns false and sets error (with the byte offset).
    [[nodiscard]] static bool parse(std::string_view text, JsonValue& out, std::string& error);

private:
    friend class JsonParser;
    Kind kind_ = Kind::Null;
    bool boolean_ = false;
    double number_ = 0;
    std::string string_;
    std::vector<JsonValue> array_;
    std::map<std::string, JsonValue> object_;
};
