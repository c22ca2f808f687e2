// Outside text in messages: short, in quotes, and nothing in it acts on the terminal.

#include "platform/foundation/QuotedText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(QuotedText, MakesWhatActsVisibleAndKeepsWhatShows) {
    struct Case {
        const char* name;
        std::string text;
        std::string quoted;
    };
    const Case cases[] = {
        {"plain", "--documents", "\"--documents\""},
        {"quotes and backslashes", "a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line ends and tabs", "a\nb\tc\rd", "\"a\\nb\\tc\\rd\""},
        {"escape sequence", "\x1B[2J\x1B]0;title\x07", "\"\\x1B[2J\\x1B]0;title\\x07\""},
        {"delete", "a\x7F", "\"a\\x7F\""},
        // C1 controls written as UTF-8: a one-character CSI and a next-line.
        {"C1 controls", "a\xC2\x9B" "31mb\xC2\x85", "\"a\\u009B31mb\\u0085\""},
        {"direction override", "abc\xE2\x80\xAE" "fdp.exe", "\"abc\\u202Efdp.exe\""},
        {"line separator", "a\xE2\x80\xA8" "b", "\"a\\u2028b\""},
        {"byte order mark first", "\xEF\xBB\xBFwait", "\"<byte order mark>wait\""},
        {"stray bytes", "a\xFF\xC3", "\"a\\xFF\\xC3\""},
        {"Arabic and accents stay", "\xD8\xA8\xD8\xB3\xD9\x85 caf\xC3\xA9", "\"\xD8\xA8\xD8\xB3\xD9\x85 caf\xC3\xA9\""},
    };
    for (const Case& c : cases) EXPECT_EQ(str::quoteForMessage(c.text), c.quoted) << c.name;
}

TEST(QuotedText, LongTextIsCutToAShortPrefix) {
    const std::string huge(100 * 1024, 'x');
    const std::string quoted = str::quoteForMessage(huge);
    EXPECT_EQ(quoted, "\"" + std::string(96, 'x') + "\"...");
    EXPECT_EQ(str::quoteForMessage("abcdef", 3), "\"abc\"...");
    EXPECT_EQ(str::quoteForMessage("abc", 3), "\"abc\"");
    // A character is never split where the cut falls.
    EXPECT_EQ(str::quoteForMessage("a\xD8\xA8" "c", 2), "\"a\xD8\xA8\"...");
    EXPECT_EQ(str::quoteForMessage("a\xD8\xA8", 2), "\"a\xD8\xA8\"");
}

}  // namespace
