#include "platform/foundation/Value.h"

#include <gtest/gtest.h>

namespace {

Value sample()
{
    return Value(Value::Map{
        {"null", Value()},
        {"yes", Value(true)},
        {"int", Value(-1234567890123LL)},
        {"double", Value(0.1)},
        {"text", Value("\xD8\xA8\xD8\xB3\xD9\x85 \xF0\x9F\x98\x80")},
        {"date", Value(NSDate::dateWithTimeIntervalSince1970(1736157600.5))},
        {"data", Value(Value::Bytes{0, 255, 7})},
        {"list", Value(Value::Array{Value(1), Value("two"), Value(Value::Array{})})},
        {"nested", Value(Value::Map{{"k", Value(false)}})},
    });
}

TEST(Value, BinaryFormRoundTripsEveryKind)
{
    const Value v = sample();
    Value::Bytes bytes;
    v.encode(bytes);
    std::string error;
    auto back = Value::decode(bytes.data(), bytes.size(), &error);
    ASSERT_TRUE(back.has_value()) << error;
    EXPECT_EQ(*back, v);
    EXPECT_EQ((*back)["nested"]["k"], Value(false));
    EXPECT_TRUE((*back)["missing"].isNull());
}

TEST(Value, DamagedBytesAreRejectedNeverCrash)
{
    Value::Bytes good;
    sample().encode(good);
    // Every truncation fails cleanly.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(Value::decode(good.data(), n).has_value()) << n;
    // Huge counts and lengths, unknown tags, trailing bytes, deep nesting.
    struct Case {
        Value::Bytes bytes;
        const char* why;
    } cases[] = {
        {{8, 0xFF, 0xFF, 0xFF, 0xFF}, "count past the end"},
        {{5, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, "length past the end"},
        {{9, 0xFF, 0xFF, 0xFF, 0xFF, 0}, "count past the end"},
        {{42}, "unknown tag"},
        {{0, 0}, "trailing bytes"},
        {{3, 1, 2}, "truncated"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Value::decode(c.bytes.data(), c.bytes.size(), &error).has_value());
        EXPECT_EQ(error, c.why);
    }
    Value::Bytes deep;
    for (int i = 0; i < 1000; ++i)
        deep.insert(deep.end(), {8, 1, 0, 0, 0});
    deep.push_back(0);
    std::string error;
    EXPECT_FALSE(Value::decode(deep.data(), deep.size(), &error).has_value());
    EXPECT_EQ(error, "nested too deeply");
    // Invalid UTF-8 in a stored string comes back replaced.
    const Value::Bytes badText = {5, 2, 0, 0, 0, 'a', 0xFF};
    EXPECT_EQ(*Value::decode(badText.data(), badText.size())->string(), "a\xEF\xBF\xBD");
}

TEST(Value, ConvertingReads)
{
    struct Case {
        Value v;
        bool b;
        long long i;
        double d;
        std::optional<std::string> s;
    } cases[] = {
        {Value("YES"), true, 0, 0, "YES"},
        {Value("12.5"), true, 12, 12.5, "12.5"},
        {Value(2.75), true, 2, 2.75, "2.75"},
        {Value(true), true, 1, 1, "1"},
        {Value(0), false, 0, 0, "0"},
        {Value(), false, 0, 0, std::nullopt},
        {Value(Value::Array{Value(1)}), false, 0, 0, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(describe(c.v));
        EXPECT_EQ(c.v.boolValue(), c.b);
        EXPECT_EQ(c.v.integerValue(), c.i);
        EXPECT_DOUBLE_EQ(c.v.doubleValue(), c.d);
        EXPECT_EQ(c.v.stringValue(), c.s);
    }
    EXPECT_EQ(Value(1e300).integerValue(), INT64_MAX);
    EXPECT_EQ(Value(5000000000LL).intValue(), INT32_MAX);
}

} // namespace
