// The reading screen's header in portrait and landscape, the rotation gate, the one-time
// splash fade, and the tablet's popover pickers.

#include "tests/Classes/Reading/ReadingFixture.h"
#include "tests/support/ScreenTouches.h"

#include "Classes/Reading/PickTranslationController.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UIPopoverView.h"

namespace {

using screen_touches::displayCentre;

class HeaderLayoutTest : public ReadingTest {
protected:
    void expectPortrait() {
        EXPECT_EQ(screen->viewSurahDispAndOrnaments->frame().origin.y, 44);
        EXPECT_EQ(screen->viewSurahDisplay->frame().origin.y, 88);
        EXPECT_EQ(CGRectGetMaxY(screen->viewSurahDisplay->frame()), screen->viewEverything->bounds().size.height);
        EXPECT_FALSE(screen->viewTopLSButtons->isUserInteractionEnabled());
        EXPECT_EQ(screen->btnLSNextSurah->alpha(), 0);
        EXPECT_EQ(screen->btnLSPrevSurah->alpha(), 0);
    }
    void expectLandscape() {
        ASSERT_TRUE(screen->IsInLandscape());
        // The strip sits behind the header bar, out of sight; the verses start under the bar.
        EXPECT_EQ(screen->viewSurahDispAndOrnaments->frame().origin.y, -8);
        EXPECT_LE(CGRectGetMaxY(screen->viewSurahDispAndOrnaments->frame()), CGRectGetMaxY(screen->viewTopOptionsBar->frame()));
        EXPECT_EQ(screen->viewSurahDisplay->frame().origin.y, 44);
        EXPECT_EQ(screen->viewSurahDisplay->frame().size.height, screen->viewEverything->bounds().size.height - 44);
        EXPECT_TRUE(screen->viewTopLSButtons->isUserInteractionEnabled());
        EXPECT_EQ(screen->btnLSNextSurah->alpha(), 1);
        // A tap in the strip's old place reaches the verses, not the hidden reciter button.
        EXPECT_EQ(window->hitTest(CGPointMake(60, 66), nullptr)->isDescendantOfView(screen->btnReciter.get()), false);
    }
    void finishSplash() {
        backend.advance(500);
        backend.runUntilIdle();
    }
};

TEST_F(HeaderLayoutTest, LandscapeHidesTheOptionStripAndShowsTheChapterButtons) {
    open(2, 100, 3);
    finishSplash();
    expectPortrait();

    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    expectLandscape();

    backend.tap(displayCentre(*screen->btnLSNextSurah));
    backend.advance(400);
    EXPECT_EQ(screen->iCurrentSurah(), 3);
    backend.tap(displayCentre(*screen->btnLSPrevSurah));
    backend.advance(400);
    EXPECT_EQ(screen->iCurrentSurah(), 2);

    backend.rotate(UIDeviceOrientationPortrait);
    backend.advance(500);
    ASSERT_FALSE(screen->IsInLandscape());
    expectPortrait();
}

// Started in landscape (the window opened turned): the first display already has the
// landscape header, and a later turn to portrait brings the strip back.
TEST_F(HeaderLayoutTest, AScreenOpenedInLandscapeShowsTheLandscapeHeader) {
    BackendOptions turned;
    turned.landscape = true;
    turned.apply();
    window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
    open(112, 1, 3);
    finishSplash();
    expectLandscape();
    backend.tap(displayCentre(*screen->btnLSNextSurah));
    backend.advance(400);
    EXPECT_EQ(screen->iCurrentSurah(), 113);

    backend.rotate(UIDeviceOrientationPortrait);
    backend.advance(500);
    ASSERT_FALSE(screen->IsInLandscape());
    expectPortrait();
}

TEST_F(HeaderLayoutTest, SplashFadesOnceAndHoldsOffATurnWhileItRuns) {
    app->setSplashHasDisplayed(false);  // the run's first display
    NSUserDefaults::standardUserDefaults().setInteger(3, "CurrentTranslationv22");
    screen->setupBasicSurah(1, 1, false);
    screen->setRequiresReload(true);
    window->setRootViewController(screen);
    backend.advance(100);
    ASSERT_NE(screen->imgSplash, nullptr);
    EXPECT_EQ(screen->imgSplash->superview(), screen->view());
    EXPECT_EQ(screen->imgSplash->image(), UIImage::imageNamed("splash.png"));
    EXPECT_TRUE(screen->animatingSplash());
    EXPECT_FALSE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    finishSplash();
    EXPECT_EQ(screen->imgSplash, nullptr);
    EXPECT_FALSE(screen->animatingSplash());
    EXPECT_TRUE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    EXPECT_TRUE(app->SplashHasDisplayed());

    // Later displays in the run show no splash.
    screen->viewWillDisappear(false);
    screen->viewDidDisappear(false);
    screen->viewWillAppear(false);
    screen->viewDidAppear(false);
    EXPECT_EQ(screen->imgSplash, nullptr);

    // A chapter switch refuses a turn too.
    screen->showNextSurahNow();
    EXPECT_FALSE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
    backend.advance(400);
    EXPECT_TRUE(screen->shouldAutorotateToInterfaceOrientation(UIInterfaceOrientationLandscapeLeft));
}

class TabletReadingTest : public ReadingTest {
protected:
    void SetUp() override {
        ReadingTest::SetUp();
        useTablet();
        screen = std::make_shared<CountingSurahViewController>();
    }
};

TEST_F(TabletReadingTest, TheTranslationPickerOpensInAPopoverAtItsButton) {
    open(2, 5, 3);
    backend.advance(500);
    ASSERT_TRUE(LumenoSDKAppDelegate::IsDeviceIPad());
    EXPECT_EQ(screen->view()->bounds().size.width, 768);
    backend.tap(displayCentre(*screen->btnTranslation));
    backend.advance(300);
    ASSERT_NE(screen->popoverView(), nullptr);
    EXPECT_TRUE(screen->popoverView()->isPopoverVisible());
    EXPECT_EQ(screen->modalViewController(), nullptr);
    auto* picker = dynamic_cast<PickTranslationController*>(screen->popoverView()->contentViewController());
    ASSERT_NE(picker, nullptr);
    // The arrow points at the button from below it, and the list has the popover's size.
    const CGRect button = screen->btnTranslation->convertRectToView(screen->btnTranslation->bounds(), nullptr);
    UIPopoverView* box = screen->popoverView()->popoverView();
    EXPECT_EQ(screen->popoverView()->popoverArrowDirection(), UIPopoverArrowDirectionUp);
    EXPECT_NEAR(box->convertRectToView(box->bounds(), nullptr).origin.y, CGRectGetMaxY(button), 0.5);
    EXPECT_EQ(picker->view()->bounds().size.width, 320);
    EXPECT_EQ(picker->view()->bounds().size.height, 480);

    // Choosing keeps it open; Back closes it.
    picker->didSelectRowAtIndexPath(picker->table.get(), NSIndexPath::indexPathForRow(picker->indexOfTranslation(5), 0));
    EXPECT_EQ(NSUserDefaults::standardUserDefaults().integerForKey("CurrentTranslationv22"), 5);
    EXPECT_TRUE(screen->popoverView()->isPopoverVisible());
    picker->btnBackPressed();
    backend.advance(300);
    EXPECT_FALSE(screen->popoverView()->isPopoverVisible());

    // A tap outside closes it as well, and the same popover shows the next picker.
    UIPopoverController* first = screen->popoverView();
    backend.tap(displayCentre(*screen->btnTranslation));
    backend.advance(300);
    EXPECT_EQ(screen->popoverView(), first);
    EXPECT_TRUE(first->isPopoverVisible());
    backend.tap(CGPointMake(100, 900));
    backend.advance(300);
    EXPECT_FALSE(first->isPopoverVisible());
}

}  // namespace
