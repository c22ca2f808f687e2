// The reading screen shows the tips on the first chapter it opens, the update notice on a later
// one, and then neither.

#include "tests/Classes/Reading/ReadingFixture.h"

#include "Classes/Reference/TipsViewController.h"
#include "Classes/Reference/UpdateViewController.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/Value.h"

namespace {

TEST_F(ReadingTest, TipsOnceThenTheNoticeOnceThenNothing) {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setObject(Value(), "TipsShown3.1");
    defaults.setObject(Value(), "Update3.1Shown");

    open(1, 1, 3);
    EXPECT_NE(dynamic_cast<TipsViewController*>(screen->modalViewController()), nullptr);
    EXPECT_TRUE(defaults.boolForKey("TipsShown3.1"));
    EXPECT_FALSE(defaults.boolForKey("Update3.1Shown"));
    screen->dismissModalViewControllerAnimated(false);
    backend.runUntilIdle();

    open(2, 1, 3);
    auto* notice = dynamic_cast<UpdateViewController*>(screen->modalViewController());
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->btnBack->titleForState(UIControlStateNormal), "Close");
    EXPECT_EQ(notice->pgtClt->numberOfPages(), 1);
    screen->dismissModalViewControllerAnimated(false);
    backend.runUntilIdle();

    open(3, 1, 3);
    EXPECT_EQ(screen->modalViewController(), nullptr);
}

TEST_F(ReadingTest, AChapterOpenedUnderTheTipsShowsTheNoticeOnlyAfterTheTipsClose) {
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setObject(Value(), "TipsShown3.1");
    defaults.setObject(Value(), "Update3.1Shown");

    // The first start opens the last chapter, then the chapter of the link it was given.
    open(1, 1, 3);
    auto* tips = dynamic_cast<TipsViewController*>(screen->modalViewController());
    ASSERT_NE(tips, nullptr);
    // As the chapter index reloads the reading screen it shows, the tips over it or not.
    screen->setupBasicSurah(18, 1, false);
    screen->asyncSurahReload();
    backend.advance(1000);
    backend.runUntilIdle();
    EXPECT_EQ(screen->modalViewController(), tips);
    EXPECT_EQ(tips->modalViewController(), nullptr);  // nothing over the tips
    EXPECT_FALSE(defaults.boolForKey("Update3.1Shown"));

    screen->dismissModalViewControllerAnimated(false);
    backend.advance(1000);
    backend.runUntilIdle();
    EXPECT_NE(dynamic_cast<UpdateViewController*>(screen->modalViewController()), nullptr);
    EXPECT_TRUE(defaults.boolForKey("Update3.1Shown"));
}

}  // namespace
