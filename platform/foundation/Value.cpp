#include "platform/foundation/Value.h"

#include <cmath>
#include <cstring>

#include "platform/foundation/Format.h"
#include "platform/foundation/StringUtils.h"

// Binary form, little endian. One tag byte, then:
//   0 null, 1 false, 2 true            (nothing)
//   3 integer                          i64
//   4 double, 6 date                   f64 (a date as seconds since 1970)
//   5 string, 7 data                   u32 length, bytes
//   8 array                            u32 count, values
//   9 map                              u32 count, (u32 key length, key bytes, value) each
namespace {
enum Tag : uint8_t { kNull = 0, kFalse, kTrue, kInteger, kDouble, kString, kDate, kData, kArray, kMap };
constexpr int kMaxDepth = 64;

void putU32(Value::Bytes& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void putU64(Value::Bytes& out, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void putDouble(Value::Bytes& out, double d)
{
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    putU64(out, bits);
}
void putBytes(Value::Bytes& out, const void* p, size_t n)
{
    putU32(out, static_cast<uint32_t>(n));
    const auto* b = static_cast<const uint8_t*>(p);
    out.insert(out.end(), b, b + n);
}

struct Reader {
    const uint8_t* p;
    size_t left;
    std::string error;

    bool fail(const char* why)
    {
        if (error.empty())
            error = why;
        return false;
    }
    bool u8(uint8_t& v)
    {
        if (left < 1)
            return fail("truncated");
        v = *p++;
        --left;
        return true;
    }
    bool u32(uint32_t& v)
    {
        if (left < 4)
            return fail("truncated");
        v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<uint32_t>(p[i]) << (8 * i);
        p += 4;
        left -= 4;
        return true;
    }
    bool u64(uint64_t& v)
    {
        if (left < 8)
            return fail("truncated");
        v = 0;
        for (int i = 0; i < 8; ++i)
            v |= static_cast<uint64_t>(p[i]) << (8 * i);
        p += 8;
        left -= 8;
        return true;
    }
    bool f64(double& d)
    {
        uint64_t bits;
        if (!u64(bits))
            return false;
        std::memcpy(&d, &bits, sizeof d);
        return true;
    }
    bool bytes(std::string& s)
    {
        uint32_t n;
        if (!u32(n))
            return false;
        if (n > left)
            return fail("length past the end");
        s.assign(reinterpret_cast<const char*>(p), n);
        p += n;
        left -= n;
        return true;
    }
    bool value(Value& out, int depth)
    {
        if (depth > kMaxDepth)
            return fail("nested too deeply");
        uint8_t tag;
        if (!u8(tag))
            return false;
        switch (tag) {
        case kNull: out = Value(); return true;
        case kFalse: out = Value(false); return true;
        case kTrue: out = Value(true); return true;
        case kInteger: {
            uint64_t v;
            if (!u64(v))
                return false;
            out = Value(static_cast<long long>(v));
            return true;
        }
        case kDouble:
        case kDate: {
            double d;
            if (!f64(d))
                return false;
            out = tag == kDouble ? Value(d) : Value(NSDate::dateWithTimeIntervalSince1970(d));
            return true;
        }
        case kString: {
            std::string s;
            if (!bytes(s))
                return false;
            out = Value(str::sanitizeUtf8(s));
            return true;
        }
        case kData: {
            std::string s;
            if (!bytes(s))
                return false;
            out = Value(Value::Bytes(s.begin(), s.end()));
            return true;
        }
        case kArray: {
            uint32_t n;
            if (!u32(n))
                return false;
            if (n > left) // every element takes at least one byte
                return fail("count past the end");
            Value::Array items;
            items.reserve(n);
            for (uint32_t i = 0; i < n; ++i) {
                Value v;
                if (!value(v, depth + 1))
                    return false;
                items.push_back(std::move(v));
            }
            out = Value(std::move(items));
            return true;
        }
        case kMap: {
            uint32_t n;
            if (!u32(n))
                return false;
            if (n > left / 5)
                return fail("count past the end");
            Value::Map map;
            for (uint32_t i = 0; i < n; ++i) {
                std::string key;
                Value v;
                if (!bytes(key) || !value(v, depth + 1))
                    return false;
                map[str::sanitizeUtf8(key)] = std::move(v);
            }
            out = Value(std::move(map));
            return true;
        }
        default: return fail("unknown tag");
        }
    }
};
} // namespace

Value::Value(bool v) : type_(Type::Bool), b_(v) {}
Value::Value(int v) : type_(Type::Integer), i_(v) {}
Value::Value(unsigned v) : type_(Type::Integer), i_(v) {}
Value::Value(long v) : type_(Type::Integer), i_(v) {}
Value::Value(unsigned long v) : type_(Type::Integer), i_(static_cast<long long>(v)) {}
Value::Value(long long v) : type_(Type::Integer), i_(v) {}
Value::Value(unsigned long long v) : type_(Type::Integer), i_(static_cast<long long>(v)) {}
Value::Value(float v) : type_(Type::Double), d_(v) {}
Value::Value(double v) : type_(Type::Double), d_(v) {}
Value::Value(const char* v) : type_(Type::String), s_(std::make_shared<const std::string>(v ? v : "")) {}
Value::Value(std::string v) : type_(Type::String), s_(std::make_shared<const std::string>(std::move(v))) {}
Value::Value(const NSDate& v) : type_(Type::Date), d_(v.timeIntervalSince1970()) {}
Value::Value(Bytes v) : type_(Type::Data), bytes_(std::make_shared<const Bytes>(std::move(v))) {}
Value::Value(Array v) : type_(Type::Array), array_(std::make_shared<const Array>(std::move(v))) {}
Value::Value(Map v) : type_(Type::Map), map_(std::make_shared<const Map>(std::move(v))) {}

bool Value::boolValue() const
{
    switch (type_) {
    case Type::Bool: return b_;
    case Type::Integer: return i_ != 0;
    case Type::Double: return d_ != 0 && !std::isnan(d_);
    case Type::String: return str::toBool(*s_);
    default: return false;
    }
}

long long Value::integerValue() const
{
    switch (type_) {
    case Type::Bool: return b_ ? 1 : 0;
    case Type::Integer: return i_;
    case Type::Double:
        if (std::isnan(d_))
            return 0;
        if (d_ >= 9.2e18)
            return INT64_MAX;
        if (d_ <= -9.2e18)
            return INT64_MIN;
        return static_cast<long long>(d_);
    case Type::String: return str::toLongLong(*s_);
    default: return 0;
    }
}

int Value::intValue() const
{
    const long long v = integerValue();
    return v > INT32_MAX ? INT32_MAX : v < INT32_MIN ? INT32_MIN : static_cast<int>(v);
}

double Value::doubleValue() const
{
    switch (type_) {
    case Type::Bool: return b_ ? 1 : 0;
    case Type::Integer: return static_cast<double>(i_);
    case Type::Double: return d_;
    case Type::Date: return d_;
    case Type::String: return str::toDouble(*s_);
    default: return 0;
    }
}

float Value::floatValue() const { return static_cast<float>(doubleValue()); }

std::optional<std::string> Value::stringValue() const
{
    switch (type_) {
    case Type::String: return *s_;
    case Type::Bool:
    case Type::Integer:
    case Type::Double:
    case Type::Date: return describe(*this);
    default: return std::nullopt;
    }
}

const std::string* Value::string() const { return type_ == Type::String ? s_.get() : nullptr; }
std::optional<NSDate> Value::date() const
{
    if (type_ != Type::Date)
        return std::nullopt;
    return NSDate::dateWithTimeIntervalSince1970(d_);
}
const Value::Bytes* Value::data() const { return type_ == Type::Data ? bytes_.get() : nullptr; }
const Value::Array* Value::array() const { return type_ == Type::Array ? array_.get() : nullptr; }
const Value::Map* Value::map() const { return type_ == Type::Map ? map_.get() : nullptr; }

const Value& Value::operator[](const std::string& key) const
{
    static const Value null;
    if (type_ != Type::Map)
        return null;
    auto it = map_->find(key);
    return it == map_->end() ? null : it->second;
}

bool Value::operator==(const Value& o) const
{
    if (type_ != o.type_)
        return false;
    switch (type_) {
    case Type::Null: return true;
    case Type::Bool: return b_ == o.b_;
    case Type::Integer: return i_ == o.i_;
    case Type::Double:
    case Type::Date: return d_ == o.d_ || (std::isnan(d_) && std::isnan(o.d_));
    case Type::String: return *s_ == *o.s_;
    case Type::Data: return *bytes_ == *o.bytes_;
    case Type::Array: return *array_ == *o.array_;
    case Type::Map: return *map_ == *o.map_;
    }
    return false;
}

void Value::encode(Bytes& out) const
{
    switch (type_) {
    case Type::Null: out.push_back(kNull); break;
    case Type::Bool: out.push_back(b_ ? kTrue : kFalse); break;
    case Type::Integer:
        out.push_back(kInteger);
        putU64(out, static_cast<uint64_t>(i_));
        break;
    case Type::Double:
    case Type::Date:
        out.push_back(type_ == Type::Double ? kDouble : kDate);
        putDouble(out, d_);
        break;
    case Type::String:
        out.push_back(kString);
        putBytes(out, s_->data(), s_->size());
        break;
    case Type::Data:
        out.push_back(kData);
        putBytes(out, bytes_->data(), bytes_->size());
        break;
    case Type::Array:
        out.push_back(kArray);
        putU32(out, static_cast<uint32_t>(array_->size()));
        for (const auto& v : *array_)
            v.encode(out);
        break;
    case Type::Map:
        out.push_back(kMap);
        putU32(out, static_cast<uint32_t>(map_->size()));
        for (const auto& [k, v] : *map_) {
            putBytes(out, k.data(), k.size());
            v.encode(out);
        }
        break;
    }
}

std::optional<Value> Value::decode(const uint8_t* data, size_t size, std::string* error)
{
    Reader r{data, data ? size : 0, {}};
    Value v;
    if (!r.value(v, 0)) {
        if (error)
            *error = r.error;
        return std::nullopt;
    }
    if (r.left != 0) {
        if (error)
            *error = "trailing bytes";
        return std::nullopt;
    }
    return v;
}

std::string describe(const Value& v)
{
    switch (v.type()) {
    case Value::Type::Null: return "(null)";
    case Value::Type::Bool: return v.boolValue() ? "1" : "0";
    case Value::Type::Integer: return std::to_string(v.integerValue());
    case Value::Type::Double: return stringWithFormat("%@", v.doubleValue());
    case Value::Type::String: return *v.string();
    case Value::Type::Date: return describe(*v.date());
    case Value::Type::Data: {
        std::string out = "<";
        for (uint8_t b : *v.data())
            out += stringWithFormat("%02x", b);
        out.push_back('>');
        return out;
    }
    case Value::Type::Array: {
        std::vector<std::string> parts;
        for (const auto& item : *v.array())
            parts.push_back(describe(item));
        std::string out = "(";
        out.append(str::join(parts, ", "));
        out.push_back(')');
        return out;
    }
    case Value::Type::Map: {
        std::string out = "{";
        for (const auto& [k, item] : *v.map()) {
            out.append(k);
            out.append(" = ");
            out.append(describe(item));
            out.append("; ");
        }
        out.push_back('}');
        return out;
    }
    }
    return {};
}

FormatArg::FormatArg(const Value& v)
{
    switch (v.type()) {
    case Value::Type::Bool:
    case Value::Type::Integer:
        kind = Kind::Int;
        i = v.integerValue();
        break;
    case Value::Type::Double:
        kind = Kind::Double;
        d = v.doubleValue();
        break;
    default:
        kind = Kind::String;
        s = describe(v);
    }
}
