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

}  // namespace
