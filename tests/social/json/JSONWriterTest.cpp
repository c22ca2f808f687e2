// The JSON writer: escapes, sorted and human-readable output, what it refuses, and a round trip
// through the parser.

#include <gtest/gtest.h>

#include <string>

#include "social/json/SBJSON.h"

namespace {

struct Picture : JSONForeign {
  std::string typeName() const override { return "UIImage"; }
};

struct Reference : JSONForeign {
  std::string typeName() const override { return "VerseReference"; }
  std::optional<JSONValue> proxyForJson() const override { return JSONValue(JSONValue::Array{2, 255}); }
};

TEST(SBJsonWriter, SortedHumanReadableOutputPutsOneMemberPerLine) {
  JSONObject dictionary;
  dictionary.set("b", JSONValue::Array{1, 2});
  dictionary.set("a", JSONObject{});
  SBJsonWriter writer;
  EXPECT_EQ(writer.stringWithObject(dictionary), R"({"b":[1,2],"a":{}})");
  writer.setSortKeys(true);
  writer.setHumanReadable(true);
  EXPECT_EQ(writer.stringWithObject(dictionary), "{\n  \"a\" : {},\n  \"b\" : [\n    1,\n    2\n  ]\n}");
  EXPECT_EQ(writer.stringWithObject(JSONValue::Array{}), "[]");
}

TEST(SBJsonWriter, EscapesOnlyWhatJsonRequires) {
  SBJsonWriter writer;
  const std::string text = std::string("a/b \"q\" \\ \t\n\r\b\f") + '\x1f' + " \xD8\xA7";
  EXPECT_EQ(writer.stringWithFragment(JSONValue(text)), "\"a/b \\\"q\\\" \\\\ \\t\\n\\r\\b\\f\\u001f \xD8\xA7\"");
}

TEST(SBJsonWriter, RefusesWhatItCannotWriteWithCodedErrors) {
  SBJSON json;
  std::shared_ptr<const SBJsonError> error;
  EXPECT_FALSE(json.stringWithObject(JSONValue("bare"), &error));
  EXPECT_EQ(error->code, EFRAGMENT);
  EXPECT_EQ(error->localizedDescription, "Not valid type for JSON");
  EXPECT_EQ(json.stringWithFragment(JSONValue("bare"), &error), "\"bare\"");

  JSONObject withPicture;
  withPicture.set("pic", JSONValue(std::make_shared<Picture>()));
  EXPECT_FALSE(json.stringWithObject(withPicture, &error));
  EXPECT_EQ(error->localizedDescription, "Unsupported value for key pic in object");
  ASSERT_TRUE(error->underlyingError);
  EXPECT_EQ(error->underlyingError->localizedDescription, "JSON serialisation not supported for UIImage");

  // A value with a stand-in is written as its stand-in, also at top level.
  EXPECT_EQ(json.stringWithObject(JSONValue(std::make_shared<Reference>()), &error), "[2,255]");

  json.setMaxDepth(2);
  EXPECT_FALSE(json.stringWithObject(JSONValue::Array{JSONValue::Array{JSONValue::Array{}}}, &error));
  EXPECT_EQ(error->code, EDEPTH);
}

TEST(SBJsonWriter, RoundTripsThroughTheParser) {
  JSONObject inner;
  inner.set("text", std::string("\xD8\xA7\xD9\x84\xD9\x84\xD9\x87 \"quoted\"\n\xF0\x9F\x98\x80"));
  inner.set("numbers", JSONValue::Array{0, -7, *JSONDecimal::fromLiteral("12345678901234567890.123456789"),
                                        *JSONDecimal::fromLiteral("1e-100"), *JSONDecimal::fromLiteral("9e127")});
  inner.set("flags", JSONValue::Array{true, false, nullptr});
  JSONObject root;
  root.set("verse", inner);
  root.set("empty", JSONObject{});
  for (bool readable : {false, true}) {
    SBJSON json;
    json.setHumanReadable(readable);
    std::optional<std::string> text = json.stringWithObject(root);
    ASSERT_TRUE(text);
    std::optional<JSONValue> back = json.objectWithString(*text);
    ASSERT_TRUE(back) << *text;
    EXPECT_EQ(*back, JSONValue(root)) << *text;
  }
}

}  // namespace
