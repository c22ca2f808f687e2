#include "tools/contentdb/Json.h"

#include <gtest/gtest.h>

namespace {

TEST(Json, ReadsTheShapesOfTheInputs)
{
    JsonValue root;
    std::string error;
    ASSERT_TRUE(JsonValue::parse(R"( [{"id":1,"name":"\u0627\u0644","verses":[{"id":1,"text":"a\"b\\\/\n"}],)"
                                 R"("neg":-12.5e1,"ok":true,"none":null,"emoji":"\ud83d\ude00"}] )",
                                 root, error))
        << error;
    const JsonValue& chapter = root[0];
    EXPECT_EQ(chapter["id"].integer(), 1);
    EXPECT_EQ(chapter["name"].string(), "\u0627\u0644");
    EXPECT_EQ(chapter["verses"][0]["text"].string(), "a\"b\\/\n");
    EXPECT_DOUBLE_EQ(chapter["neg"].number(), -125);
    EXPECT_TRUE(chapter["ok"].boolean());
    EXPECT_TRUE(chapter["none"].isNull());
    EXPECT_EQ(chapter["emoji"].string(), "\U0001F600");
    EXPECT_TRUE(chapter["missing"].isNull());
    EXPECT_TRUE(root[5]["id"].isNull());
}

TEST(Json, RejectsMalformedText)
{
    const char* bad[] = {
        "", "[1,]", "{\"a\" 1}", "[1 2]", "\"open", "[\"\\x\"]", "[\"\\ud83d\"]", "tru", "01x", "[1] 2",
        "{\"a\":1,}", "[\"\x01\"]", "-", "1.", "[[[[",
    };
    for (const char* text : bad) {
        JsonValue root;
        std::string error;
        EXPECT_FALSE(JsonValue::parse(text, root, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
    std::string deep(1000, '[');
    JsonValue root;
    std::string error;
    EXPECT_FALSE(JsonValue::parse(deep + std::string(1000, ']'), root, error));
    EXPECT_NE(error.find("deep"), std::string::npos);
}

} // namespace
