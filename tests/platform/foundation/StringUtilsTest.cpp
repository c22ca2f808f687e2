#include "platform/foundation/StringUtils.h"
#include "platform/foundation/CJKSegmentation.h"

#include <gtest/gtest.h>

namespace {

const std::string kEmoji = "\xF0\x9F\x98\x80";          // U+1F600, two UTF-16 units
const std::string kBismillah = "\xD8\xA8\xD8\xB3\xD9\x85"; // three Arabic letters

TEST(StringUtils, Utf16CountsSurrogatePairsAndArabic)
{
    EXPECT_EQ(str::utf16Length(kEmoji), 2u);
    EXPECT_EQ(str::utf16Length(kBismillah), 3u);
    const std::string mixed = "a" + kEmoji + "b" + kBismillah;
    EXPECT_EQ(str::utf16Length(mixed), 7u);
    EXPECT_EQ(str::utf16Substring(mixed, 1, 2), kEmoji);
    EXPECT_EQ(str::utf16Substring(mixed, 3, 1), "b");
    EXPECT_EQ(str::utf16Substring(mixed, 4), kBismillah);
    EXPECT_EQ(str::utf16Substring(mixed, 5, 1), "\xD8\xB3");
    // Never splits a code point: an index inside the pair rounds down to its start.
    EXPECT_EQ(str::utf16Substring(mixed, 2, 2), kEmoji + "b");
    // Clamped at the end.
    EXPECT_EQ(str::utf16Substring(mixed, 6, 100), "\xD9\x85");
    EXPECT_EQ(str::utf16Substring(mixed, 50, 3), "");
    EXPECT_EQ(str::utf16IndexOf(mixed, "b"), 3u);
    EXPECT_EQ(str::utf16IndexOf(mixed, "\xD9\x85"), 6u);
    EXPECT_EQ(str::utf16IndexOf(mixed, "b", 4), str::npos);
    EXPECT_EQ(str::byteToUtf16Offset(mixed, mixed.size()), 7u);
    EXPECT_EQ(str::fromUtf16(str::toUtf16(mixed)), mixed);
}

TEST(StringUtils, InvalidUtf8BecomesReplacementCharacter)
{
    const std::string bad[] = {"a\xFF" "b", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80"};
    for (const auto& s : bad) {
        SCOPED_TRACE(s);
        EXPECT_FALSE(str::isValidUtf8(s));
        const std::string clean = str::sanitizeUtf8(s);
        EXPECT_TRUE(str::isValidUtf8(clean));
        EXPECT_NE(clean.find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_GT(str::utf16Length(s), 0u);
        EXPECT_EQ(str::lowercase(s), str::lowercase(clean));
    }
    EXPECT_EQ(str::sanitizeUtf8("a\xFF" "b"), "a\xEF\xBF\xBD" "b");
    EXPECT_TRUE(str::isValidUtf8("\xEF\xBF\xBD" + kEmoji));
    // A lone surrogate from UTF-16 is replaced too.
    EXPECT_EQ(str::fromUtf16(u"x\xD800y"), "x\xEF\xBF\xBDy");
}

TEST(StringUtils, LowercaseCoversTranslationScripts)
{
    struct Case {
        const char* upper;
        const char* lower;
    } cases[] = {
        {"ABC xyz", "abc xyz"},
        {"\xC3\x89" "COLE \xC3\x80 \xC3\x9C" "BER", "\xC3\xA9" "cole \xC3\xA0 \xC3\xBC" "ber"}, // ÉCOLE À ÜBER
        {"\xC5\x81\xC3\x93\xC5\xB9", "\xC5\x82\xC3\xB3\xC5\xBA"},                              // ŁÓŹ
        {"\xD0\x9C\xD0\x98\xD0\xA0 \xD0\x81", "\xD0\xBC\xD0\xB8\xD1\x80 \xD1\x91"},            // МИР Ё
        {"\xCE\x9B\xCE\x8C\xCE\x93\xCE\x9F\xCE\xA3", "\xCE\xBB\xCF\x8C\xCE\xB3\xCE\xBF\xCF\x83"}, // ΛΌΓΟΣ
        {"\xC4\xB0stanbul I\xC4\xB1", "istanbul i\xC4\xB1"},                                  // İstanbul Iı
        {"\xE1\xBA\xA0\xE1\xBB\x86", "\xE1\xBA\xA1\xE1\xBB\x87"},                              // ẠỆ (Vietnamese)
        {kBismillah.c_str(), kBismillah.c_str()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.upper);
        EXPECT_EQ(str::lowercase(c.upper), c.lower);
    }
    EXPECT_EQ(str::uppercase("\xD0\xBC\xD0\xB8\xD1\x80 abc \xC3\xA9"), "\xD0\x9C\xD0\x98\xD0\xA0 ABC \xC3\x89");
}

TEST(StringUtils, CaseInsensitiveFindReportsUtf16Positions)
{
    const std::string text = kEmoji + " Mercy and \xC3\x89" "cole MERCY";
    EXPECT_EQ(str::findCaseInsensitive(text, "mercy"), 3u);
    EXPECT_EQ(str::findCaseInsensitive(text, "mercy", 4), 19u);
    EXPECT_EQ(str::findCaseInsensitive(text, "\xC3\xA9" "COLE"), 13u);
    EXPECT_EQ(str::findCaseInsensitive(text, "absent"), str::npos);
    EXPECT_EQ(str::findCaseInsensitive(text, ""), str::npos);
    EXPECT_EQ(str::findCaseInsensitive(text, "mercy", 1000), str::npos);
    const str::Range r = str::findCaseInsensitiveRange("x" + kEmoji + "Y", kEmoji + "y");
    EXPECT_EQ(r.location, 1u);
    EXPECT_EQ(r.length, 3u);
}

TEST(StringUtils, TrimSplitJoinReplace)
{
    EXPECT_EQ(str::trim(" \t\r\n hello world \n\xE2\x80\xA8"), "hello world");
    EXPECT_EQ(str::trim(" \n\t "), "");
    EXPECT_EQ(str::trimWhitespace(" \nx\n "), "\nx\n");
    EXPECT_EQ(str::trim(kBismillah + " "), kBismillah);

    EXPECT_EQ(str::split("a,,b,", ","), (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(str::split("abc", "::"), (std::vector<std::string>{"abc"}));
    EXPECT_EQ(str::join({"1", "2", "3"}, ", "), "1, 2, 3");
    EXPECT_EQ(str::join({}, ","), "");
    EXPECT_EQ(str::replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(str::replaceAll("x'y'z", "'", "''"), "x''y''z");
    EXPECT_EQ(str::replaceAll("abc", "", "z"), "abc");
    EXPECT_TRUE(str::hasPrefix("http://x", "http://"));
    EXPECT_FALSE(str::hasPrefix("x", ""));
    EXPECT_TRUE(str::hasPrefixIgnoringASCIICase("LUMENO://2:255", "lumeno://"));
    EXPECT_TRUE(str::hasPrefixIgnoringASCIICase("lumeno://", "LuMeNo://"));
    EXPECT_FALSE(str::hasPrefixIgnoringASCIICase("lumeno:", "lumeno://"));
    EXPECT_FALSE(str::hasPrefixIgnoringASCIICase("x", ""));
    EXPECT_TRUE(str::hasSuffix("a.mp3", ".mp3"));
    EXPECT_FALSE(str::hasSuffix("mp3", "a.mp3"));
}

TEST(StringUtils, EscapingAndUnescaping)
{
    EXPECT_EQ(str::percentEscape("a b\"c%d<\xC3\xA9>"), "a%20b%22c%25d%3C%C3%A9%3E");
    EXPECT_EQ(str::percentEscape("q=1&r=/x?"), "q=1&r=/x?");
    EXPECT_EQ(str::percentEscape("a&b", "&"), "a%26b");
    EXPECT_EQ(str::percentEscapeComponent("a b&c=d/\xD8\xA8~"), "a%20b%26c%3Dd%2F%D8%A8~");
    EXPECT_EQ(str::percentUnescape("a%20b%C3%A9"), std::optional<std::string>("a b\xC3\xA9"));
    EXPECT_EQ(str::percentUnescape("100%"), std::nullopt);
    EXPECT_EQ(str::percentUnescape("%zz"), std::nullopt);
    EXPECT_EQ(str::percentUnescape("%FF"), std::nullopt); // not UTF-8
    EXPECT_EQ(str::xmlEscape("<a href=\"x\">Tom & Jerry's</a>"),
              "&lt;a href=&quot;x&quot;&gt;Tom &amp; Jerry&#39;s&lt;/a&gt;");
}

TEST(StringUtils, NumberConversionsFollowStringAccessors)
{
    struct Case {
        const char* text;
        int i;
        double d;
        bool b;
    } cases[] = {
        {"42", 42, 42, true},       {"  -17abc", -17, -17, true}, {"+5", 5, 5, true},
        {"3.75", 3, 3.75, true},    {".5", 0, 0.5, false},         {"1e3", 1, 1000, true},
        {"abc", 0, 0, false},       {"", 0, 0, false},             {"YES", 0, 0, true},
        {"yes", 0, 0, true},        {"true", 0, 0, true},          {"NO", 0, 0, false},
        {"false", 0, 0, false},     {"0", 0, 0, false},            {"007", 7, 7, true},
        {"\n\t 12", 12, 12, true},  {"99999999999", 2147483647, 99999999999.0, true},
        {"-99999999999", -2147483648, -99999999999.0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::toInt(c.text), c.i);
        EXPECT_DOUBLE_EQ(str::toDouble(c.text), c.d);
        EXPECT_EQ(str::toBool(c.text), c.b);
    }
    EXPECT_EQ(str::toLongLong("99999999999"), 99999999999LL);
    EXPECT_EQ(str::toLongLong("999999999999999999999999"), INT64_MAX);
}

TEST(StringUtils, PathComponents)
{
    EXPECT_EQ(str::appendPathComponent("/a/b/", "c.db"), "/a/b/c.db");
    EXPECT_EQ(str::appendPathComponent("a", "/b"), "a/b");
    EXPECT_EQ(str::lastPathComponent("/a/b/c.tar.gz"), "c.tar.gz");
    EXPECT_EQ(str::lastPathComponent("/a/b/"), "b");
    EXPECT_EQ(str::deletingLastPathComponent("/a/b/c"), "/a/b");
    EXPECT_EQ(str::deletingLastPathComponent("/a"), "/");
    EXPECT_EQ(str::pathExtension("x/001002.mp3"), "mp3");
    EXPECT_EQ(str::pathExtension("x/.hidden"), "");
    EXPECT_EQ(str::deletingPathExtension("x/a.tar.gz"), "x/a.tar");
}

TEST(StringUtils, CJKSpaceOutMakesEachHanOrKanaCharacterAWord)
{
    const std::pair<const char*, const char*> cases[] = {
        {"安拉", "安 拉"},
        {"一切赞颂，全归安拉", "一 切 赞 颂 ， 全 归 安 拉"},
        {"\"安拉\" OR 崇拜*", "\"安 拉\" OR 崇 拜*"},
        {"Allah安拉9", "Allah 安 拉 9"},
        {"カタカナ", "カ タ カ ナ"},
        {"no change here", "no change here"},
        {"", ""},
        {"\xE5\xAE", "\xE5\xAE"},  // a cut sequence stays as it is
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(cjk::spaceOut(in), out) << in;
    EXPECT_TRUE(cjk::segmentsSearchText(24));
    EXPECT_FALSE(cjk::segmentsSearchText(3));
}

} // namespace
