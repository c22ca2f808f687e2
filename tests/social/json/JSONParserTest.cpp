// The JSON parser: what it accepts and how it fails, as a table of texts; the nesting limit;
// exact decimals; and agreement with a reference library on accepted documents.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "social/json/SBJSON.h"

namespace {

// The trace's records, innermost first, as "code:message".
std::vector<std::string> traceOf(const SBJsonBase& json) {
  std::vector<std::string> out;
  if (json.errorTrace())
    for (const auto& e : *json.errorTrace()) out.push_back(std::to_string(e->code) + ":" + e->localizedDescription);
  return out;
}

std::string compact(const JSONValue& value) {
  SBJsonWriter writer;
  return writer.stringWithFragment(value).value_or("<unwritable>");
}

struct Accepted {
  std::string text;
  std::string written;  // the value written back compactly
};

TEST(SBJsonParser, AcceptsValidFragmentsWithTheirExactValues) {
  const std::vector<Accepted> cases = {
      {"true", "true"},
      {" \t\n\v\f\rfalse \v", "false"},
      {"null", "null"},
      {"[1 2]", "[1,2]"},  // a missing comma is tolerated
      {"[true false]", "[true,false]"},
      {R"({"a":1,"a":2})", R"({"a":2})"},
      {R"({"b":1 "a":[]})", R"({"b":1,"a":[]})"},
      {"-0.5E-3", "-0.0005"},
      {"0.1", "0.1"},
      {"1e2", "100"},
      {"123456789012345678901234567890.5", "123456789012345678901234567890.5"},
      {"0.30000000000000000000000000000000001", "0.30000000000000000000000000000000001"},
      {"-0", "0"},
      {"0e999999999", "0"},
      {R"("\u00e9")", "\"\xC3\xA9\""},
      {R"("\ud83d\ude00")", "\"\xF0\x9F\x98\x80\""},
      {R"("\ud800\udfff")", "\"\xF0\x90\x8F\xBF\""},
      {R"("a\/b\"\\\b\f\n\r\t")", R"("a/b\"\\\b\f\n\r\t")"},
      {"[1] \n", "[1]"},
      {"truex", "<fails: garbage>"},
  };
  for (const Accepted& c : cases) {
    SBJsonParser parser;
    std::optional<JSONValue> value = parser.fragmentWithString(c.text);
    if (c.written.rfind("<fails", 0) == 0) {
      EXPECT_FALSE(value) << c.text;
      continue;
    }
    ASSERT_TRUE(value) << c.text << " " << ::testing::PrintToString(traceOf(parser));
    EXPECT_EQ(compact(*value), c.written) << c.text;
    EXPECT_FALSE(parser.errorTrace()) << c.text;
  }
}

struct Refused {
  std::string text;
  std::vector<std::string> trace;  // innermost first
};

TEST(SBJsonParser, RefusesMalformedTextWithCodedErrors) {
  const std::vector<Refused> cases = {
      {"", {"11:Unexpected end of string"}},
      {"  \n", {"11:Unexpected end of string"}},
      {"[1,]", {"9:Trailing comma disallowed in array"}},
      {"[", {"11:End of input while parsing array"}},
      {"[1", {"11:End of input while parsing array"}},
      {"[ ", {"11:Unexpected end of string", "3:Expected value while parsing array"}},
      {R"({"a" 1})", {"3:Expected ':' separating key and value"}},
      {"{1:2}", {"3:Object key string expected"}},
      {"{", {"11:End of input while parsing object"}},
      {R"({"a":1,})", {"9:Trailing comma disallowed in object"}},
      {R"({"k":})", {"3:Unrecognised leading character", "3:Object value expected for key: k"}},
      {R"({"k)", {"5:Unescaped control character '0x0'", "3:Object key string expected"}},
      {"01", {"2:Leading 0 disallowed in number"}},
      {"-", {"2:No digits after initial minus"}},
      {"1.", {"2:No digits after decimal point"}},
      {"1e+", {"2:No digits after exponent"}},
      {"+1", {"2:Leading + disallowed in number"}},
      {"1e999999999", {"2:Failed creating decimal instance"}},
      {"-1e-999999999999999999999", {"2:Failed creating decimal instance"}},
      {"tru", {"3:Expected 'true'"}},
      {"fals", {"3:Expected 'false'"}},
      {"nul", {"3:Expected 'null'"}},
      {"@", {"3:Unrecognised leading character"}},
      {"\"abc", {"5:Unescaped control character '0x0'"}},
      {"\"abc\\", {"8:Illegal escape sequence '0x0'"}},
      {"\"\\x\"", {"8:Illegal escape sequence '0x78'"}},
      {"\"a\tb\"", {"5:Unescaped control character '0x9'"}},
      {"\"\\n", {"11:Unexpected EOF while parsing string"}},
      {"\"\\udc00\"", {"6:Invalid high character in surrogate pair", "6:Broken unicode character"}},
      {"\"\\ud800x\"", {"6:Missing low character in surrogate pair", "6:Broken unicode character"}},
      {"\"\\ud800\\u0041\"", {"6:Invalid low surrogate char", "6:Broken unicode character"}},
      {"\"\\ud800\\", {"6:Missing low character in surrogate pair", "6:Broken unicode character"}},
      {"\"\\ud800", {"6:Missing low character in surrogate pair", "6:Broken unicode character"}},
      {"\"\\u12\"", {"6:Missing hex digit in quad", "6:Missing hex quad", "6:Broken unicode character"}},
      {"\"\\u12", {"6:Missing hex digit in quad", "6:Missing hex quad", "6:Broken unicode character"}},
      {"[1] x", {"10:Garbage after JSON"}},
      {std::string("[1]\0[2]", 7), {}},  // a NUL byte ends the input, as in a C string
  };
  for (const Refused& c : cases) {
    SBJsonParser parser;
    std::optional<JSONValue> value = parser.fragmentWithString(c.text);
    if (c.trace.empty()) {
      EXPECT_TRUE(value) << c.text;
      continue;
    }
    EXPECT_FALSE(value) << c.text;
    EXPECT_EQ(traceOf(parser), c.trace) << c.text;
  }
}

TEST(SBJsonParser, TopLevelMustBeArrayOrObjectExceptAsFragment) {
  SBJSON json;
  std::shared_ptr<const SBJsonError> error;
  EXPECT_FALSE(json.objectWithString("true", &error));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, EFRAGMENT);
  EXPECT_EQ(error->localizedDescription, "Valid fragment, but not JSON");
  EXPECT_EQ(error->domain, "org.Corbenhal.JSON.ErrorDomain");

  std::optional<JSONValue> fragment = json.fragmentWithString("true", &error);
  ASSERT_TRUE(fragment);
  EXPECT_EQ(fragment->asBoolean() ? *fragment->asBoolean() : false, true);
  // A later success leaves the facade's copied trace in place.
  ASSERT_TRUE(json.errorTrace());
  EXPECT_EQ(json.errorTrace()->back()->code, EFRAGMENT);

  EXPECT_FALSE(json.objectWithString(std::nullopt, &error));
  EXPECT_EQ(error->code, EINPUT);
  EXPECT_EQ(error->localizedDescription, "Input was 'nil'");
}

TEST(SBJsonParser, TheOutermostErrorChainsBackToTheInnermost) {
  SBJSON json;
  std::shared_ptr<const SBJsonError> error;
  EXPECT_FALSE(json.objectWithString("[ ", &error));
  ASSERT_TRUE(error && error->underlyingError);
  EXPECT_EQ(error->code, EPARSE);
  EXPECT_EQ(error->underlyingError->code, EEOF);
  EXPECT_FALSE(error->underlyingError->underlyingError);
}

std::string nested(unsigned levels) { return std::string(levels, '[') + std::string(levels, ']'); }

TEST(SBJsonParser, NestingStopsPastTheLimitAndNeverExhaustsTheStack) {
  SBJsonParser parser;
  EXPECT_TRUE(parser.objectWithString(nested(512)));
  EXPECT_FALSE(parser.objectWithString(nested(513)));
  EXPECT_EQ(traceOf(parser).front(), "7:Nested too deep");
  // Objects count the same.
  std::string objects;
  for (int i = 0; i < 513; ++i) objects += "{\"k\":";
  objects += "1" + std::string(513, '}');
  EXPECT_FALSE(parser.objectWithString(objects));
  EXPECT_EQ(traceOf(parser).front(), "7:Nested too deep");

  parser.setMaxDepth(0);  // no configured limit
  EXPECT_TRUE(parser.objectWithString(nested(600)));
  // Hostile depth still ends in an error, not a stack overflow.
  EXPECT_FALSE(parser.objectWithString(std::string(1000000, '[')));
  EXPECT_EQ(traceOf(parser).front(), "7:Nested too deep");
}

TEST(SBJsonParser, ObserversSeeEveryChangeOfTheTrace) {
  SBJsonParser parser;
  std::vector<bool> calls;
  parser.setErrorTraceObserver([&](bool before) { calls.push_back(before); });
  EXPECT_FALSE(parser.objectWithString("[1,]"));
  // Clear at the start, then one append.
  EXPECT_EQ(calls, (std::vector<bool>{true, false, true, false}));
}

// Documents the reference library reads must read the same here.
TEST(SBJsonParser, AgreesWithTheReferenceLibraryOnValidDocuments) {
  const std::vector<std::string> documents = {
      R"({"id":"1001","first_name":"Amina","last_name":"Rahman","n":[1,2.5,-3e2,true,null]})",
      R"([{"surah":2,"verse":255,"text":"Allah - there is no deity except Him, the Ever-Living"}])",
      R"(["\u0627\u0644\u0644\u0647", "tab\there", "\ud83d\ude00", {"": {}}, []])",
  };
  for (const std::string& doc : documents) {
    SBJsonParser parser;
    std::optional<JSONValue> ours = parser.objectWithString(doc);
    ASSERT_TRUE(ours) << doc;
    SBJsonWriter writer;
    writer.setSortKeys(true);
    const std::string written = writer.stringWithObject(*ours).value();
    EXPECT_EQ(nlohmann::json::parse(written), nlohmann::json::parse(doc)) << written;
  }
}

}  // namespace
