// The own link scheme, at launch and while running.

#include "ShellFixture.h"

#include "platform/foundation/Log.h"
#include "platform/ui/hosting/UIAlertView.h"

namespace {

struct LinkCase {
    const char* name;
    std::string url;
    bool handled;
    int surah, verse;  // 0: nothing opened
};

class LinkTest : public ShellTest, public ::testing::WithParamInterface<LinkCase> {};

}  // namespace

TEST_P(LinkTest, OpensOnlyARealChapterAndVerse) {
    ASSERT_TRUE(launch());
    dismissDialogs();
    const LinkCase& c = GetParam();
    LogCapture log;
    EXPECT_EQ(UIApplication::sharedApplication().openURLFromOutside(c.url), c.handled);
    if (c.surah) {
        EXPECT_TRUE(index()->IsShowingSurahView());
        EXPECT_EQ(index()->shownSurah(), c.surah);
        EXPECT_EQ(index()->shownVerse(), c.verse);
    } else {
        EXPECT_FALSE(index()->IsShowingSurahView());
    }
    // A link of the program's own that opens nothing says so in the log.
    EXPECT_EQ(log.contains("was ignored"), c.surah == 0 && c.url.rfind("lumeno://", 0) == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkTest,
    ::testing::Values(LinkCase{"ChapterAndVerse", "lumeno://2:255", true, 2, 255},
                      LinkCase{"WithTranslation", "lumeno://2:255:3", true, 2, 255},
                      LinkCase{"Invocation", "lumeno://2:0", true, 2, 0},
                      LinkCase{"LastVerse", "lumeno://114:6", true, 114, 6},
                      LinkCase{"ChapterZero", "lumeno://0:1", true, 0, 0},
                      LinkCase{"ChapterTooLarge", "lumeno://115:1", true, 0, 0},
                      LinkCase{"VerseBeyondChapter", "lumeno://2:287", true, 0, 0},
                      LinkCase{"NotNumbers", "lumeno://x:y", true, 0, 0},
                      LinkCase{"TrailingLetters", "lumeno://2:255abc", true, 0, 0},
                      LinkCase{"Overflowing", "lumeno://99999999999:1", true, 0, 0},
                      LinkCase{"OneField", "lumeno://2", true, 0, 0},
                      LinkCase{"FourFields", "lumeno://2:255:3:4", true, 0, 0},
                      LinkCase{"SchemeInCapitals", "LUMENO://2:255", true, 2, 255},
                      LinkCase{"SchemeCapitalised", "Lumeno://2:255", true, 2, 255},
                      LinkCase{"LongerScheme", "lumenox://2:255", false, 0, 0},
                      LinkCase{"OtherScheme", "http://2:255", false, 0, 0},
                      LinkCase{"Empty", "", false, 0, 0},
                      LinkCase{"OverLong", "lumeno://2:255:" + std::string(2001 - 15, '1'), false, 0, 0},
                      LinkCase{"AtTheLimit", "lumeno://2:255:" + std::string(2000 - 15, '1'), true, 2, 255}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellTest, LinkGivenAtLaunchOpensAfterTheTabsAreUp) {
    ASSERT_TRUE(launch("lumeno://18:10"));
    EXPECT_EQ(shell->tabBarController() != nullptr, true);
    EXPECT_EQ(index()->shownSurah(), 18);
    EXPECT_EQ(index()->shownVerse(), 10);
}
