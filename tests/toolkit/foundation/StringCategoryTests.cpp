#include <gtest/gtest.h>

#include "toolkit/foundation/NSArray+TTCategory.h"
#include "toolkit/foundation/NSString+TTCategory.h"
#include "toolkit/foundation/TTMarkupStripper.h"

using Query = std::map<std::string, std::string>;

TEST(StringCategory, BlankTests) {
  EXPECT_TRUE(tt::isWhitespace(""));
  EXPECT_TRUE(tt::isWhitespace(" \t\n\xC2\xA0"));
  EXPECT_FALSE(tt::isWhitespace(" a "));
  EXPECT_TRUE(tt::isEmptyOrWhitespace(""));
  EXPECT_TRUE(tt::isEmptyOrWhitespace("  "));
  EXPECT_FALSE(tt::isEmptyOrWhitespace("\n"));
  EXPECT_FALSE(tt::isEmptyOrWhitespace(" x"));
}

TEST(StringCategory, QueryParsing) {
  struct Case { const char* text; Query expected; } cases[] = {
      {"a=1&b=2;c=3", {{"a", "1"}, {"b", "2"}, {"c", "3"}}},
      {"a=1&&b=2", {{"a", "1"}, {"b", "2"}}},
      {"a", {}},
      {"a=b=c", {}},
      {"", {}},
      {"a=1&a=2", {{"a", "2"}}},
      {"k%20ey=v%C3%A9%3D", {{"k ey", "v\xC3\xA9="}}},
      {"bad=%zz&ok=1", {{"ok", "1"}}},  // a broken escape drops its pair only
  };
  for (const auto& c : cases) EXPECT_EQ(tt::queryDictionary(c.text), c.expected) << c.text;
}

TEST(StringCategory, QueryBuildingEscapesOnlyValues) {
  EXPECT_EQ(tt::stringByAddingQueryDictionary("http://x/p", {{"q", "a?b=c"}}), "http://x/p?q=a%3Fb%3Dc");
  EXPECT_EQ(tt::stringByAddingQueryDictionary("http://x/p?z=1", {{"a", "1"}, {"b", "2"}}), "http://x/p?z=1&a=1&b=2");
  EXPECT_EQ(tt::stringByAddingQueryDictionary("http://x", {}), "http://x?");
}

TEST(StringCategory, MarkupStripping) {
  struct Case { const char* markup; const char* text; bool completed; } cases[] = {
      {"one &amp; two", "one & two", true},
      {"<b>bold</b> plain", "bold plain", true},
      {"<a href=\"x?a=1&amp;b=2\">link</a>", "link", true},
      {"a&nbsp;b &lt;&gt;&quot; &#65;&#x42;", "a b <>\" AB", true},
      {"<br/>x<!-- gone -->y<![CDATA[<z>]]>", "xy<z>", true},
      {"kept <b>then</i> lost", "kept then", false},
      {"kept &unknown; lost", "kept ", false},
      {"kept <b unclosed", "kept ", false},
      {"open <b>never closed", "open never closed", false},
      {"stray </x> after", "stray ", false},
      {"ctrl \x01 stop", "ctrl ", false},
  };
  for (const auto& c : cases) {
    TTMarkupStripper stripper;
    EXPECT_EQ(stripper.parse(c.markup), c.text) << c.markup;
    EXPECT_EQ(stripper.completed(), c.completed) << c.markup;
  }
  EXPECT_EQ(tt::stringByRemovingHTMLTags("<p>a</p>b"), "ab");
}

namespace {
struct Listener {
  virtual ~Listener() = default;
  virtual void hear(int n) = 0;
};
struct Element {
  virtual ~Element() = default;
};
struct Hearing : Element, Listener {
  std::vector<Element*>* list = nullptr;
  int heard = 0;
  void hear(int n) override {
    heard += n;
    if (list) list->clear();  // removing itself while told
  }
};
}  // namespace

TEST(ArrayCategory, PerformSkipsElementsWithoutTheProtocolAndSurvivesRemoval) {
  Hearing a, b;
  Element deaf;
  std::vector<Element*> list = {&a, &deaf, &b};
  a.list = &list;
  tt::perform<Listener>(list, &Listener::hear, 2);
  EXPECT_EQ(a.heard, 2);
  EXPECT_EQ(b.heard, 2);
  EXPECT_TRUE(list.empty());
}
