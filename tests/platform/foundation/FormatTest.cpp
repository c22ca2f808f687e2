#include "platform/foundation/Format.h"

#include <gtest/gtest.h>

#include "platform/foundation/NSDate.h"
#include "platform/foundation/Value.h"

namespace {

struct Point {
    int x, y;
};
std::string describe(const Point& p) { return stringWithFormat("{%d, %d}", p.x, p.y); }

TEST(Format, ConversionsTable)
{
    const std::string s = "surah";
    struct Case {
        std::string got, want;
    } cases[] = {
        {stringWithFormat("%@ %i", s, 7), "surah 7"},
        {stringWithFormat("%d:%02i", 2, 5), "2:05"},
        {stringWithFormat("%03d|%-4d|%4d|%+d", 7, 7, -7, 7), "007|7   |  -7|+7"},
        {stringWithFormat("%u %lu %ld %li %lld", 3u, 4ul, -5l, 6l, 7ll), "3 4 -5 6 7"},
        {stringWithFormat("%x %X %02x %#x", 255, 255, 10, 255), "ff FF 0a 0xff"},
        {stringWithFormat("%u %x", -1, -1), "4294967295 ffffffff"},
        {stringWithFormat("%f %.2f %.0f %5.2f", 1.5, 3.14159, 2.5, 3.14159), "1.500000 3.14 2  3.14"},
        {stringWithFormat("%5.1f|%-6.2f|%06.2f", -1.25, 1.0, -1.5), " -1.2|1.00  |-01.50"},
        {stringWithFormat("%g %e", 0.0001, 12345.678), "0.0001 1.234568e+04"},
        {stringWithFormat("%s and %s", "c string", s), "c string and surah"},
        {stringWithFormat("%C%C", u'\u0628', 0x1F600), "\xD8\xA8\xF0\x9F\x98\x80"},
        {stringWithFormat("%c", 'A'), "A"},
        {stringWithFormat("100%% of %d", 3), "100% of 3"},
        {stringWithFormat("%10@|%-6s|", s, "ab"), "     surah|ab    |"},
        {stringWithFormat("%.3@", std::string("\xD8\xA8\xD8\xB3\xD9\x85\xD9\x84")), "\xD8\xA8\xD8\xB3\xD9\x85"},
        {stringWithFormat("%*d|%.*f", 4, 9, 1, 2.25), "   9|2.2"},
        {stringWithFormat("%@ %@ %@", 12, 2.5, true), "12 2.5 1"},
        {stringWithFormat("%@", Point{1, 2}), "{1, 2}"},
        {stringWithFormat("%@", Value(Value::Array{Value(1), Value("a")})), "(1, a)"},
        {stringWithFormat("%d", Value(41)), "41"},
        {stringWithFormat("%@", NSDate::dateWithTimeIntervalSince1970(86400)), "1970-01-02 00:00:00 +0000"},
        {stringWithFormat("no conversions"), "no conversions"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
}

TEST(Format, MismatchedArgumentsNeverCrash)
{
    struct Case {
        std::string got, want;
    } cases[] = {
        {stringWithFormat("a%@b"), "ab"},                 // missing argument prints nothing
        {stringWithFormat("%d-%d-%d", 1), "1--"},
        {stringWithFormat("%d", "12 apples"), "12"},       // a string read as a number
        {stringWithFormat("%d", "apples"), "0"},
        {stringWithFormat("%.1f", "2.25x"), "2.2"},
        {stringWithFormat("%s", 42), "42"},                // a number given to %s
        {stringWithFormat("%@", nullptr), "(null)"},
        {stringWithFormat("%s", static_cast<const char*>(nullptr)), "(null)"},
        {stringWithFormat("%n%d", 5, 6), "6"},              // %n takes its argument, never writes
        {stringWithFormat("%k %d", 3), "%k 3"},             // unknown conversion kept as text
        {stringWithFormat("50%", 1), "50%"},                // incomplete conversion kept
        {stringWithFormat("%@", std::string("a\xFF")), "a\xEF\xBF\xBD"},
        {stringWithFormat("%d extra", 1, 2, 3), "1 extra"},
        {stringWithFormat("%999999999d", 1).size() <= 4096 ? "bounded" : "unbounded", "bounded"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.got, c.want);
    // A pointer never truncates to 32 bits.
    int local = 0;
    const std::string p = stringWithFormat("%p", &local);
    EXPECT_EQ(p, stringWithFormat("0x%lx", reinterpret_cast<uintptr_t>(&local)));
    EXPECT_EQ(stringWithFormat("%d", &local), std::to_string(static_cast<long long>(reinterpret_cast<uintptr_t>(&local))));
}

} // namespace
