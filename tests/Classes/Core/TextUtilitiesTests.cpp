// Text utilities: accents, search tokens, escaping, snippets, truncation, playing time.

#include "Classes/Core/NSString+More.h"
#include "Classes/Core/SearchResult.h"

#include "platform/text/StringDrawing.h"
#include "platform/text/UIFont.h"

#include <gtest/gtest.h>

namespace {

TEST(SearchText, AccentsTokensEscapingAndContainment) {
    // fatha, shadda and superscript alef go; the isolated kasra form U+FE7A stays.
    EXPECT_EQ(NSString::cleanArabicAccents("\u0627\u0644\u0631\u0651\u064E\u062D\u0652\u0645\u064E\u0670\u0646"),
              "\u0627\u0644\u0631\u062D\u0645\u0646");
    EXPECT_EQ(NSString::cleanArabicAccents("\uFE7A\uFE80\uFC60"), "\uFE7A");
    EXPECT_EQ(NSString::cleanArabicAccents(""), "");

    struct Token {
        const char* text;
        const char* token;
    } tokens[] = {
        {"\"most gracious most\" merciful", "most gracious most"},
        {"merci*", "merci"},
        {"m*erci*", "merci"},
        {"mercy grace", "mercy"},
        {" mercy", ""},
        {"\"unclosed phrase", "\"unclosed"},
        {"mercy", "mercy"},
        {"mer*cy", "mer*cy"},
    };
    for (const Token& t : tokens) EXPECT_EQ(NSString::getFirstSearchToken(t.text), t.token) << t.text;

    EXPECT_EQ(NSString::escapeForSearch("Allah's 'light'"), "Allah''s ''light''");
    EXPECT_TRUE(NSString::doesContain("The Most MERCIFUL", "merciful"));
    EXPECT_TRUE(NSString::doesContain("Всемилостивого", "ВСЕМИЛОСТИВОГО"));
    EXPECT_FALSE(NSString::doesContain("anything", ""));
    EXPECT_FALSE(NSString::doesContain("mercy", "grace"));
}

TEST(SharingText, MailEscapingReplacingAndJoining) {
    EXPECT_EQ(NSString::escapeAllForMail("a&b c/d?e=\"f\"#\n%"), "a%26b%20c%2Fd%3Fe%3D%22f%22%23%0A%25");
    EXPECT_EQ(NSString::escapeAllForMail(""), "");
    EXPECT_EQ(NSString::searchReplace("aaa", "a", "aa"), "aaaaaa");  // inserted text is not searched again
    EXPECT_EQ(NSString::searchReplace("abc", "", "x"), "abc");
    EXPECT_EQ(NSString::explode("1:2:3", ":"), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(NSArray::implode({"1", "2", "3"}, ", "), "1, 2, 3");
}

TEST(PlayingTime, MinutesAndSecondsRoundedUpInTheFirstMinute) {
    struct Case {
        float seconds;
        const char* text;
    } cases[] = {{0, "00:00"}, {5.2f, "00:06"}, {59.5f, "01:00"}, {75, "01:15"}, {125.9f, "02:05"}, {-3, "00:00"}};
    for (const Case& c : cases) EXPECT_EQ(NSString::getTimeElapsedFrom(c.seconds), c.text) << c.seconds;
}

TEST(SearchResults, OrderByChapterThenVerse) {
    SearchResult a, b;
    a.setSurah(2);
    a.setVerse(5);
    b.setSurah(2);
    b.setVerse(7);
    EXPECT_EQ(compareSearchResults(a, b), -1);
    EXPECT_EQ(compareSearchResults(b, a), 1);
    b.setVerse(5);
    EXPECT_EQ(compareSearchResults(a, b), 0);
    b.setSurah(1);
    b.setVerse(200);
    EXPECT_EQ(compareSearchResults(a, b), 1);

    SearchResult fresh;
    EXPECT_EQ(fresh.surah() + fresh.verse() + fresh.translator() + fresh.resultType() + fresh.SectionResultCount(), 0);
    EXPECT_FALSE(fresh.IsSurahSection() || fresh.IsLastInSection() || fresh.IsSectionCollapsed());
    SearchResult::List* list = &fresh.AllResults();
    EXPECT_TRUE(list->empty());
    EXPECT_EQ(&fresh.AllResults(), list);
    fresh.AllResults().push_back(std::make_shared<SearchResult>());
    fresh.setAllResults(nullptr);
    EXPECT_TRUE(fresh.AllResults().empty());
}

class Snippets : public ::testing::Test {
protected:
    void SetUp() override {
        font = UIFont::fontWithName("Helvetica", 13);
        ASSERT_TRUE(font);
        ellipsis = static_cast<int>(sizeWithFont("\u2026", *font).width);
    }
    double width(const std::string& text) const { return sizeWithFont(text, *font).width; }
    std::string snippet(const std::string& text, const std::string& token, double maxWidth, bool markup = true,
                        bool wordEnd = true) const {
        return NSString::getPartialStringForSearchKeyword(text, "", *font, maxWidth, markup, wordEnd, token, ellipsis);
    }
    UIFontPtr font;
    int ellipsis = 0;
};

const std::string kLong =
    "Mercy is the first word here and then a long stretch of plain text follows it for a good while until the end "
    "arrives with the last word grace";

TEST_F(Snippets, AHitAtEitherEndKeepsThatEndWithoutAnEllipsis) {
    std::string start = snippet(kLong, "mercy", 150);
    EXPECT_EQ(start.rfind("<span class=\"yellowBox\">Mercy</span>", 0), 0u) << start;
    EXPECT_TRUE(start.size() > 3 && start.substr(start.size() - 3) == "\u2026") << start;

    std::string end = snippet(kLong, "grace", 150);
    EXPECT_EQ(end.rfind("\u2026", 0), 0u) << end;
    EXPECT_NE(end.find("<span class=\"yellowBox\">grace</span>"), std::string::npos) << end;
    EXPECT_EQ(end.substr(end.size() - 7), "</span>") << end;

    std::string plain = snippet(kLong, "grace", 150, false);
    EXPECT_EQ(plain.find("<span"), std::string::npos);
    EXPECT_LE(width(plain), 150 + 2 * width("w"));
}

TEST_F(Snippets, WholeWordEndDecidesWhichOccurrenceIsTheHit) {
    const std::string text = "The oracle orbits far and away beyond every star and then we see or";
    std::string whole = snippet(text, "or", 120, true, true);
    std::string prefix = snippet(text, "or", 120, true, false);
    EXPECT_NE(whole.find("see <span class=\"yellowBox\">or</span>"), std::string::npos) << whole;
    EXPECT_NE(prefix.find("<span class=\"yellowBox\">or</span>acle"), std::string::npos) << prefix;
}

TEST_F(Snippets, ShortTextsMarkUpAndMissingTokens) {
    // Fits: returned whole, without a span, but escaped for the mark-up parser.
    EXPECT_EQ(snippet("Tom & <Jerry>", "tom", 400), "Tom &amp; &lt;Jerry&gt;");
    EXPECT_EQ(snippet("Tom & <Jerry>", "tom", 400, false), "Tom & <Jerry>");
    // Escaped around the span in a long text.
    std::string marked = snippet("A & B < C then " + kLong, "stretch", 160);
    EXPECT_EQ(marked.find(" & "), std::string::npos);
    EXPECT_NE(marked.find("<span class=\"yellowBox\">stretch</span>"), std::string::npos);
    // No occurrence: the truncated text.
    std::string missing = snippet(kLong, "zebra", 150, false);
    EXPECT_EQ(missing, NSString::stringByTruncatingToWidth(kLong, 150, *font));
    EXPECT_EQ(missing.substr(missing.size() - 3), "\u2026");
    EXPECT_EQ(snippet(kLong, "", 150, false), missing);
}

TEST_F(Snippets, TruncationFitsTheWidthDownToTheEllipsisAlone) {
    EXPECT_EQ(NSString::stringByTruncatingToWidth("short", 400, *font), "short");
    std::string cut = NSString::stringByTruncatingToWidth(kLong, 100, *font);
    EXPECT_LE(width(cut), 100);
    EXPECT_GT(width(cut + "abc"), 100 - width("\u2026"));
    EXPECT_EQ(NSString::stringByTruncatingToWidth(kLong, width("\u2026") + 0.5, *font), "\u2026");
    EXPECT_EQ(NSString::stringByTruncatingToWidth(kLong, 1, *font), "");
}

}  // namespace
