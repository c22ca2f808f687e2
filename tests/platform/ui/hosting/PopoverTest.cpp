#include <gtest/gtest.h>

#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UIPopoverController.h"
#include "platform/ui/hosting/UIPopoverView.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

class ContentController : public UIViewController {
public:
    std::vector<std::string> calls;
    int taps = 0;
    void loadView() override {
        setView(std::make_shared<UIView>(CGRectMake(0, 0, 320, 300)));
        view()->setBackgroundColor(UIColor::whiteColor());
        auto b = std::make_shared<UIButton>(CGRectMake(0, 0, 2000, 2000));
        b->addAction([this](UIControl*, UIEvent*) { ++taps; }, UIControlEventTouchUpInside);
        view()->addSubview(b);
    }
    void viewWillAppear(bool) override { calls.push_back("willAppear"); }
    void viewDidAppear(bool) override { calls.push_back("didAppear"); }
    void viewWillDisappear(bool) override { calls.push_back("willDisappear"); }
    void viewDidDisappear(bool) override { calls.push_back("didDisappear"); }
};

struct PopoverRecorder : UIPopoverControllerDelegate {
    bool allow = true;
    int asked = 0, dismissed = 0;
    bool popoverControllerShouldDismissPopover(UIPopoverController*) override {
        ++asked;
        return allow;
    }
    void popoverControllerDidDismissPopover(UIPopoverController*) override { ++dismissed; }
};

class PopoverTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        BackendOptions tablet;
        tablet.idiom = UIUserInterfaceIdiomPad;
        tablet.apply();
        window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
        UIViewController::installPlatformHooks();
        screen = std::make_shared<UIViewController>();
        window->setRootViewController(screen);
        content = std::make_shared<ContentController>();
        content->setContentSizeForViewInPopover(CGSizeMake(320, 300));
        popover = std::make_shared<UIPopoverController>(content);
        popover->setDelegate(&recorder);
    }
    void TearDown() override {
        popover.reset();
        UITest::TearDown();
        BackendOptions{}.apply();
    }
    CGRect boxInWindow() const { return popover->popoverView()->convertRectToView(popover->popoverView()->bounds(), nullptr); }
    CGRect contentInWindow() const { return content->view()->convertRectToView(content->view()->bounds(), nullptr); }
    CGPoint arrowTipInWindow() const {
        UIPopoverView* v = popover->popoverView();
        CGRect b = v->bounds();
        double o = v->arrowOffset();
        CGPoint tip;
        switch (v->arrowDirection()) {
        case UIPopoverArrowDirectionUp: tip = CGPointMake(o, 0); break;
        case UIPopoverArrowDirectionDown: tip = CGPointMake(o, b.size.height); break;
        case UIPopoverArrowDirectionLeft: tip = CGPointMake(0, o); break;
        default: tip = CGPointMake(b.size.width, o); break;
        }
        return v->convertPointToView(tip, nullptr);
    }

    std::shared_ptr<UIViewController> screen;
    std::shared_ptr<ContentController> content;
    UIPopoverControllerPtr popover;
    PopoverRecorder recorder;
};

TEST_F(PopoverTest, ArrowPointsAtTheAnchorFromTheSideWithRoom) {
    struct Case {
        CGRect anchor;
        unsigned permitted;
        UIPopoverArrowDirection expected;
        CGPoint tip;  // where the arrow's tip lands
    } cases[] = {
        {CGRectMake(20, 10, 60, 30), UIPopoverArrowDirectionAny, UIPopoverArrowDirectionUp, CGPointMake(50, 40)},
        {CGRectMake(700, 980, 60, 30), UIPopoverArrowDirectionAny, UIPopoverArrowDirectionDown, CGPointMake(730, 980)},
        {CGRectMake(0, 400, 40, 40), UIPopoverArrowDirectionLeft | UIPopoverArrowDirectionRight, UIPopoverArrowDirectionLeft, CGPointMake(40, 420)},
        {CGRectMake(700, 400, 40, 40), UIPopoverArrowDirectionLeft | UIPopoverArrowDirectionRight, UIPopoverArrowDirectionRight, CGPointMake(700, 420)},
        // Only Down allowed though the room is below: the box sits above, shrunk to the room.
        {CGRectMake(300, 200, 100, 40), UIPopoverArrowDirectionDown, UIPopoverArrowDirectionDown, CGPointMake(350, 200)},
    };
    for (const Case& c : cases) {
        popover->presentPopoverFromRect(c.anchor, screen->view(), c.permitted, false);
        ASSERT_TRUE(popover->isPopoverVisible());
        EXPECT_EQ(popover->popoverArrowDirection(), c.expected) << c.anchor.origin.x << "," << c.anchor.origin.y;
        EXPECT_TRUE(near(arrowTipInWindow(), c.tip, 0.5)) << c.anchor.origin.x << "," << c.anchor.origin.y;
        CGRect box = boxInWindow();
        EXPECT_TRUE(CGRectContainsRect(CGRectMake(0, 0, 768, 1024), box));
        EXPECT_FALSE(CGRectIntersectsRect(CGRectInset(box, 1, 1), c.anchor));
        popover->dismissPopoverAnimated(false);
    }
    // A box that fits shows the content at its own size.
    popover->presentPopoverFromRect(CGRectMake(20, 10, 60, 30), screen->view(), UIPopoverArrowDirectionAny, false);
    EXPECT_EQ(contentInWindow().size.width, 320);
    EXPECT_EQ(contentInWindow().size.height, 300);
    popover->setPopoverContentSize(CGSizeMake(400, 5000));
    EXPECT_EQ(contentInWindow().size.width, 400);
    EXPECT_LT(CGRectGetMaxY(boxInWindow()), 1024);
}

TEST_F(PopoverTest, TapOutsideAsksTheDelegateAndPassThroughViewsKeepTheirTouches) {
    int behindTaps = 0, passTaps = 0;
    auto behind = std::make_shared<UIButton>(CGRectMake(0, 500, 768, 400));
    behind->addAction([&](UIControl*, UIEvent*) { ++behindTaps; }, UIControlEventTouchUpInside);
    screen->view()->addSubview(behind);
    auto pass = std::make_shared<UIButton>(CGRectMake(600, 10, 100, 40));
    pass->addAction([&](UIControl*, UIEvent*) { ++passTaps; }, UIControlEventTouchUpInside);
    screen->view()->addSubview(pass);
    popover->setPassthroughViews({pass.get()});
    popover->presentPopoverFromRect(CGRectMake(20, 10, 60, 30), screen->view(), UIPopoverArrowDirectionUp, true);
    backend.advance(300);

    CGRect inside = contentInWindow();
    backend.tap(CGPointMake(CGRectGetMidX(inside), CGRectGetMidY(inside)));
    EXPECT_EQ(content->taps, 1);
    backend.tap(CGPointMake(650, 30));
    EXPECT_EQ(passTaps, 1);
    EXPECT_EQ(recorder.asked, 0);

    recorder.allow = false;
    backend.tap(CGPointMake(400, 700));
    EXPECT_EQ(recorder.asked, 1);
    EXPECT_TRUE(popover->isPopoverVisible());
    EXPECT_EQ(behindTaps, 0);

    recorder.allow = true;
    backend.tap(CGPointMake(400, 700));
    backend.advance(300);
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_EQ(recorder.dismissed, 1);
    EXPECT_EQ(popover->popoverView()->superview(), nullptr);
    EXPECT_EQ(behindTaps, 0);  // the dismissing tap is swallowed
    backend.tap(CGPointMake(400, 700));
    EXPECT_EQ(behindTaps, 1);

    // Dismissal in code tells nobody.
    popover->presentPopoverFromRect(CGRectMake(20, 10, 60, 30), screen->view(), UIPopoverArrowDirectionUp, false);
    popover->dismissPopoverAnimated(false);
    EXPECT_EQ(recorder.dismissed, 1);
    EXPECT_EQ(recorder.asked, 2);
}

TEST_F(PopoverTest, ContentHearsAppearanceCallsAndCanBeReplaced) {
    popover->presentPopoverFromRect(CGRectMake(20, 10, 60, 30), screen->view(), UIPopoverArrowDirectionAny, true);
    EXPECT_EQ(content->calls, (std::vector<std::string>{"willAppear"}));
    backend.advance(300);
    EXPECT_EQ(content->calls, (std::vector<std::string>{"willAppear", "didAppear"}));

    auto second = std::make_shared<ContentController>();
    second->setContentSizeForViewInPopover(CGSizeMake(320, 200));
    popover->setContentViewController(second);
    EXPECT_EQ(content->calls.back(), "didDisappear");
    EXPECT_EQ(second->calls, (std::vector<std::string>{"willAppear", "didAppear"}));
    EXPECT_EQ(second->view()->superview()->frame().size.height, 200);
    EXPECT_EQ(content->view()->superview(), nullptr);

    EXPECT_EQ(second->popoverController(), popover.get());
    EXPECT_EQ(content->popoverController(), nullptr);
    second->dismissModalViewControllerAnimated(true);  // the content closes its popover
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_EQ(second->calls.back(), "willDisappear");
    backend.advance(300);
    EXPECT_EQ(second->calls.back(), "didDisappear");
    EXPECT_EQ(second->view()->window(), nullptr);
    EXPECT_EQ(second->popoverController(), nullptr);
    EXPECT_EQ(recorder.dismissed, 0);
}

TEST_F(PopoverTest, FromABarButtonItemTheArrowPointsAtItsButton) {
    auto inner = std::make_shared<UIViewController>();
    auto nav = std::make_shared<UINavigationController>(inner);
    window->setRootViewController(nav);
    auto item = std::make_shared<UIBarButtonItem>("Preferences", UIBarButtonItemStyleBordered, [](UIBarButtonItem*) {});
    inner->navigationItem()->setRightBarButtonItem(item, false);
    backend.frame();
    popover->presentPopoverFromBarButtonItem(item.get(), UIPopoverArrowDirectionAny, false);
    ASSERT_TRUE(popover->isPopoverVisible());
    EXPECT_EQ(popover->popoverArrowDirection(), UIPopoverArrowDirectionUp);
    CGPoint tip = arrowTipInWindow();
    EXPECT_GT(tip.x, 600);  // the right-hand item
    EXPECT_GT(tip.y, 22);  // the button's lower edge, inside the 44-point bar
    EXPECT_LE(tip.y, 44);

    // The frame is drawn dark around white content.
    backend.frame();
    CGRect box = boxInWindow();
    auto frameColour = backend.pixelAt(CGPointMake(CGRectGetMidX(box), CGRectGetMaxY(box) - 3));
    auto contentColour = backend.pixelAt(CGPointMake(CGRectGetMidX(box), CGRectGetMidY(box)));
    EXPECT_LT(frameColour.r + frameColour.g + frameColour.b, 200);
    EXPECT_GT(contentColour.r + contentColour.g + contentColour.b, 700);
}

// The screen turns under an open popover: what it pointed at has moved, so it closes as a
// tap outside would, and the next touch reaches the screen.
TEST_F(PopoverTest, ATurnClosesThePopoverAndTellsTheDelegate) {
    class Turning : public UIViewController {
        bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    };
    auto turning = std::make_shared<Turning>();
    window->setRootViewController(turning);
    turning->view()->setBackgroundColor(UIColor::redColor());
    popover->presentPopoverFromRect(CGRectMake(400, 60, 80, 30), turning->view(), UIPopoverArrowDirectionAny, false);
    backend.advance(500);
    ASSERT_TRUE(popover->isPopoverVisible());

    backend.rotate(UIDeviceOrientationLandscapeLeft);
    backend.advance(500);
    EXPECT_FALSE(popover->isPopoverVisible());
    EXPECT_EQ(recorder.dismissed, 1);
    EXPECT_EQ(recorder.asked, 0);
    const auto screenColour = backend.pixelAt(CGPointMake(512, 200));
    EXPECT_GT(screenColour.r, 200);
    EXPECT_LT(screenColour.g, 60);
    backend.tap(CGPointMake(512, 200));
    backend.advance(300);
    EXPECT_EQ(content->taps, 0);
}

}  // namespace
