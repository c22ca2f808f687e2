// Scripts of user actions for the headless program.

#include <gtest/gtest.h>

#include "Classes/App/ShellScript.h"

TEST(ShellScriptTest, ParsesEveryCommand) {
    std::string error;
    auto commands = ShellScript::parse(
        "# a comment\n"
        "tap 10 20\n"
        "hold 160 200 0.6\n"
        "\n"
        "drag 1 2 3 4.5 0.25\n"
        "type Al-Fatiha 1\n"
        "key Return\n"
        "rotate left\n"
        "wait 1.5\n"
        "shot home.png\n"
        "quit\n",
        &error);
    ASSERT_TRUE(commands) << error;
    ASSERT_EQ(commands->size(), 9u);
    using K = ShellScriptCommand::Kind;
    const auto& c = *commands;
    EXPECT_EQ(c[0].kind, K::Tap);
    EXPECT_EQ(c[0].line, 2);
    EXPECT_EQ(c[0].y1, 20);
    EXPECT_EQ(c[1].seconds, 0.6);
    EXPECT_EQ(c[2].kind, K::Drag);
    EXPECT_EQ(c[2].y2, 4.5);
    EXPECT_EQ(c[2].seconds, 0.25);
    EXPECT_EQ(c[3].text, "Al-Fatiha 1");
    EXPECT_EQ(c[4].text, "Return");
    EXPECT_EQ(c[5].text, "left");
    EXPECT_EQ(c[6].seconds, 1.5);
    EXPECT_EQ(c[7].text, "home.png");
    EXPECT_EQ(c[8].kind, K::Quit);
    EXPECT_EQ(c[8].line, 11);
}

TEST(ShellScriptTest, MalformedLinesAreReportedWithTheirNumber) {
    struct Case {
        const char* script;
        const char* error;
    } cases[] = {
        {"tap 1 2\njump 3 4\n", "line 2: unknown command \"jump\""},
        {"tap 1\n", "line 1: tap takes 2 numbers"},
        {"tap 1 2 3\n", "line 1: tap takes 2 numbers"},
        {"\n\nwait soon\n", "line 3: \"soon\" is not a number"},
        {"wait -1\n", "line 1: a time cannot be negative"},
        {"tap nan 2\n", "line 1: \"nan\" is not a number"},
        {"key F13\n", "line 1: unknown key \"F13\""},
        {"rotate upside\n", "line 1: rotate takes left, right or portrait"},
        {"shot ../escape.png\n", "line 1: shot takes a file name ending in .png"},
        {"shot picture.jpg\n", "line 1: shot takes a file name ending in .png"},
        {"type\n", "line 1: type needs the text to type"},
        {"quit now\n", "line 1: quit takes nothing"},
        // Times past a day are refused like negative ones.
        {"wait 86401\n", "line 1: a time cannot be longer than a day (86400 seconds)"},
        {"hold 1 2 1e9\n", "line 1: a time cannot be longer than a day (86400 seconds)"},
        {"drag 1 2 3 4 90000\n", "line 1: a time cannot be longer than a day (86400 seconds)"},
        {"down 1 2\nmove 3 4 1e300\n", "line 2: a time cannot be longer than a day (86400 seconds)"},
        {"pinch 1 2 3 4 90000\n", "line 1: a time cannot be longer than a day (86400 seconds)"},
        {"drag2 1 2 3 4 -1\n", "line 1: a time cannot be negative"},
        {"pinch 1 2 3 4\n", "line 1: pinch takes 5 numbers"},
        // Two fingers cannot share a point, nor lie further apart than any screen.
        {"pinch 160 200 0 100 1\n", "line 1: pinch fingers lie between 1 and 10000 points apart"},
        {"pinch 160 200 100 -5 1\n", "line 1: pinch fingers lie between 1 and 10000 points apart"},
        {"pinch 160 200 100 1e6 1\n", "line 1: pinch fingers lie between 1 and 10000 points apart"},
        {"down 1 2\npinch 160 200 20 100 1\nup\n", "line 3: up needs a finger put down by down"},
        // Bad text is quoted short, with what cannot be seen made visible.
        {"\xEF\xBB\xBFwait 1\n", "line 1: unknown command \"<byte order mark>wait\""},
        {"ta\x01p 1 2\n", "line 1: unknown command \"ta\\x01p\""},
        {"wait 1\x7f\xff\n", "line 1: \"1\\x7F\\xFF\" is not a number"},
        {"abcdefghijklmnopqrstuvwxyz0123456789 1\n", "line 1: unknown command \"abcdefghijklmnopqrstuvwx\"..."},
        {"key \u0645\u0631\u062d\n", "line 1: unknown key \"\u0645\u0631\u062d\""},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ShellScript::parse(c.script, &error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}
