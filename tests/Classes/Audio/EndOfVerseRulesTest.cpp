// What plays when a verse ends: verse repeats, verse groups and the three chapter rules as one
// table, and the repeat bubbles' labels.

#include <gtest/gtest.h>

#include "Classes/Core/ChapterInfo.h"
#include "platform/foundation/NSUserDefaults.h"
#include "tests/Classes/Audio/PlaybackFixture.h"

namespace {

using EndOfVerseRules = PlaybackTest;

TEST_F(EndOfVerseRules, RepeatsGroupsAndChapterRulesDecideWhatPlaysNext) {
    installPerVerse(112, 2);  // verses 0 (the invocation) to 4
    struct Case {
        int repeat, group, rule, start;
        bool groupsOn;
        std::vector<int> played;  // verse by verse, from the start
        bool stopsAfter;
    } cases[] = {
        {0, 0, 0, 1, true, {1, 2, 3, 4}, true},
        {1, 0, 0, 3, true, {3, 3, 4, 4}, true},
        {4, 0, 0, 4, true, {4, 4, 4, 4, 4}, true},
        {5, 0, 0, 2, true, {2, 2, 2, 2, 2, 2, 2}, false},
        {0, 1, 0, 2, true, {2, 3}, true},
        {0, 1, 2, 2, true, {2, 3, 2, 3, 2, 3}, false},
        {1, 1, 0, 2, true, {2, 2, 3, 3}, true},
        {0, 13, 0, 2, true, {2, 3, 4}, true},  // the chapter's end ends any group
        {0, 2, 1, 1, true, {1, 2, 3}, true},   // a group never goes on to the next chapter
        {0, 3, 0, 2, false, {2, 3, 4}, true},  // groups switched off: to the chapter's end
        {0, 0, 2, 3, true, {3, 4, 0, 1, 2}, false},
        {0, 99, 0, 2, true, {2}, true},  // an unknown group index holds the first verse only
    };
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "repeat " << c.repeat << " group " << c.group << " rule " << c.rule
                                          << " from " << c.start);
        defaults.setInteger(c.repeat, "AyahRepeatCounter");
        defaults.setInteger(c.group, "PlayVerseRange");
        defaults.setInteger(c.rule, "SurahRepeatCounter");
        defaults.setBool(c.groupsOn, "PlayOptionsEnabled");
        openAndPlay(112, c.start);
        ASSERT_TRUE(screen->IsInPlayMode());
        std::vector<int> played{screen->iCurrentPlayingVerse()};
        while (played.size() < c.played.size()) {
            screen->finishedPlayingVerseMoveToNext();
            if (!screen->IsInPlayMode()) break;
            played.push_back(screen->iCurrentPlayingVerse());
            EXPECT_EQ(playingRows(), std::vector<int>{played.back()});
        }
        EXPECT_EQ(played, c.played);
        if (screen->IsInPlayMode()) screen->finishedPlayingVerseMoveToNext();
        EXPECT_EQ(!screen->IsInPlayMode(), c.stopsAfter);
        screen->stopIfPlaying();
        run(400);
    }
}

TEST_F(EndOfVerseRules, TheBubblesShowTheRulesInForce) {
    installPerVerse(112, 2);
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    auto title = [this] { return screen->btnSurahRepeatBubble->titleForState(UIControlStateNormal); };
    defaults.setInteger(1, "PlayVerseRange");
    openAndPlay(112, 2);
    EXPECT_EQ(title(), "Play the next 1 aya");
    EXPECT_EQ(screen->lblAyahRepeatCount->text(), "1");
    screen->finishedPlayingVerseMoveToNext();
    EXPECT_EQ(title(), "Playing last aya");

    // Changes reach the screen through their notifications, also while playing.
    defaults.setInteger(10, "PlayVerseRange");
    screen->playVerseDidChange();
    EXPECT_EQ(title(), "Play the next 15 ayas");
    defaults.setInteger(0, "PlayVerseRange");
    screen->playVerseDidChange();
    for (auto [rule, text] : {std::pair{0, "Stop at end of surah"}, {1, "Play surah by surah"}, {2, "Repeat current surah"}}) {
        defaults.setInteger(rule, "SurahRepeatCounter");
        screen->surahRepeatDidChange();
        EXPECT_EQ(title(), text);
    }
    defaults.setInteger(5, "AyahRepeatCounter");
    screen->ayahRepeatDidChange();
    EXPECT_EQ(screen->lblAyahRepeatCount->text(), "\u221E");
}

TEST_F(EndOfVerseRules, TheEndOfTheLastChapterUnderTheNextChapterRuleOpensTheFirst) {
    installPerVerse(114, 2);
    installPerVerse(1, 2);
    NSUserDefaults::standardUserDefaults().setInteger(1, "SurahRepeatCounter");
    openAndPlay(114, ChapterInfo::getVersesFromNumber(114));
    screen->finishedPlayingVerseMoveToNext();
    run(600);
    EXPECT_EQ(screen->iCurrentSurah(), 1);
    EXPECT_TRUE(screen->IsInPlayMode());
    EXPECT_EQ(screen->iCurrentPlayingVerse(), 1);
    EXPECT_EQ(playingRows(), std::vector<int>{1});
}

}  // namespace
