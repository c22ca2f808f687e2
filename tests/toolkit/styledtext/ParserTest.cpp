// The mark-up parser: tags, entities, options, malformed input and inputs large enough to
// break a recursive reader.

#include <gtest/gtest.h>

#include "tests/toolkit/styledtext/TreeDump.h"
#include "toolkit/styledtext/TTStyledTextParser.h"

namespace {

struct Case {
    const char* markup;
    const char* tree;
    bool wellFormed = true;
};

std::string parse(const std::string& markup, bool lineBreaks, bool urls, bool* ok = nullptr) {
    TTStyledTextParser parser;
    parser.setParseLineBreaks(lineBreaks);
    parser.setParseURLs(urls);
    const bool result = parser.parseXHTML(markup);
    if (ok) *ok = result;
    return dumpTree(parser.rootNode().get());
}

TEST(StyledTextParserTest, BuildsNodesForTheKnownTagsAndKeepsTheRestAsContent) {
    const Case cases[] = {
        {"<b>Bold</b> plain", "b([Bold])[ plain]"},
        {"<B>x</B>", "b([x])"},
        {"<b>a <u>b</u> c</b>", "b([a ][b][ c])"},
        {"<span class=\"yellowBox\">word</span> text", "span.yellowBox([word])[ text]"},
        {"<p class=\"c\">x</p><div>y <i>z</i></div>", "div.c([x])div([y ]i([z]))"},
        {"<a href=\"lumeno://2:255\" class=\"ignored\">t</a><button href=\"u\">go</button>",
         "a{lumeno://2:255}([t])button{u}([go])"},
        {"<img src=\"u\" width=\"20\"/>", "img{u 20x0}()"},
        {"<img src='v' class='pic' width='3.5' height='7'/>", "img{v 3x7}.pic()"},
        {"a<br/>b<br class=\"gap\"/>", "[a]br()[b]br.gap()"},
        {"&nbsp;", "[ ]"},
        {"&amp;lt; &quot;q&quot; &gt; &#39;", "[&lt; \"q\" > ']"},
        {"  two  spaces \n kept ", "[  two  spaces \n kept ]"},
        {"http://a.b", "[http://a.b]"},  // URL detection off
        {"", ""},
        {"<u></u><hr/>", ""},
    };
    for (const Case& c : cases) {
        bool ok = false;
        EXPECT_EQ(parse(c.markup, false, false, &ok), c.tree) << c.markup;
        EXPECT_TRUE(ok) << c.markup;
    }
}

TEST(StyledTextParserTest, MalformedMarkupStopsAtTheErrorAndKeepsWhatCameBefore) {
    const Case cases[] = {
        {"<b>unclosed", "b()", false},
        {"ok <b>x</b><span>a</b> lost", "[ok ]b([x])span()", false},
        {"before &undefined; after", "", false},
        {"<i>x</i></x><x>y</x>", "i([x])", false},
        {"a < b", "", false},
        {"<b>\xff\xfe</b>", "b()", false},
    };
    for (const Case& c : cases) {
        bool ok = true;
        EXPECT_EQ(parse(c.markup, false, false, &ok), c.tree) << c.markup;
        EXPECT_FALSE(ok) << c.markup;
    }
}

TEST(StyledTextParserTest, DetectsURLsAndSplitsLinesWhenAsked) {
    struct OptionCase {
        const char* text;
        bool lineBreaks, urls;
        const char* tree;
    };
    const OptionCase cases[] = {
        {"see http://a.b/c now", false, true, "[see ]a{http://a.b/c}([http://a.b/c])[ now]"},
        {"HTTP://X", false, true, "a{HTTP://X}([HTTP://X])"},
        {"x http://e\t(y)", false, true, "[x ]a{http://e\t(y)}([http://e\t(y)])"},
        {"a\nb", true, false, "[a]br()[b]"},
        {"a\n", true, false, "[a]br()"},
        {"a\n\nb", true, false, "[a]br()br()[b]"},
        {"l1\xE2\x80\xA8l2", true, false, "[l1]br()[l2]"},
        // Split lines always pass through URL detection.
        {"go http://x\nend", true, false, "[go ]a{http://x}([http://x])br()[end]"},
    };
    for (const OptionCase& c : cases) EXPECT_EQ(parse(c.text, c.lineBreaks, c.urls), c.tree) << c.text;
    // Mark-up reaches the parser with its line ends normalised; plain text keeps them.
    TTStyledTextParser plain;
    plain.setParseLineBreaks(true);
    plain.parseText("a\r\nb");
    EXPECT_EQ(dumpTree(plain.rootNode().get()), "[a]br()br()[b]");
}

TEST(StyledTextParserTest, NestingBeyondTheLimitStopsTheParse) {
    std::string markup;
    for (size_t i = 0; i < TTStyledTextParser::kMaxDepth + 50; ++i) markup += "<i>";
    markup += "deep";
    TTStyledTextParser parser;
    EXPECT_FALSE(parser.parseXHTML(markup));
    size_t depth = 0;
    for (const TTStyledNode* n = parser.rootNode().get(); n; n = static_cast<const TTStyledElement*>(n)->firstChild().get()) {
        ASSERT_TRUE(dynamic_cast<const TTStyledItalicNode*>(n));
        ++depth;
    }
    EXPECT_EQ(depth, TTStyledTextParser::kMaxDepth);
}

TEST(StyledTextParserTest, LongSiblingChainsAreReadWalkedAndReleasedWithoutRecursion) {
    std::string markup;
    constexpr int kLines = 300000;
    markup.reserve(kLines * 7);
    for (int i = 0; i < kLines; ++i) markup += "x<br/>";
    {
        TTStyledTextParser parser;
        ASSERT_TRUE(parser.parseXHTML("<div>" + markup + "</div>"));
        EXPECT_EQ(parser.rootNode()->outerText(), std::string(kLines, 'x'));
    }
    TTStyledTextParser parser;
    ASSERT_TRUE(parser.parseXHTML(markup));
    EXPECT_EQ(parser.rootNode()->outerText().size(), static_cast<size_t>(kLines));
}

}  // namespace
