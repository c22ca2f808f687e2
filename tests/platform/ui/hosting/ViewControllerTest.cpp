#include <gtest/gtest.h>

#include <utility>

#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UINavigationController.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "tests/platform/ui/UITestSupport.h"

namespace {

using Log = std::vector<std::string>;

class LogController : public UIViewController {
public:
    LogController(std::string name, Log& log, std::string nib = "") : UIViewController(nib), name_(std::move(name)), log_(log) {}
    void viewDidLoad() override { add("load"); }
    void viewDidUnload() override { add("unload"); }
    void viewWillAppear(bool) override { add("willAppear"); }
    void viewDidAppear(bool) override { add("didAppear"); }
    void viewWillDisappear(bool) override { add("willDisappear"); }
    void viewDidDisappear(bool) override { add("didDisappear"); }
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override { return o != UIInterfaceOrientationPortraitUpsideDown && rotates; }
    void willRotateToInterfaceOrientation(UIInterfaceOrientation o, double) override { add("willRotate " + std::to_string(o)); }
    void willAnimateRotationToInterfaceOrientation(UIInterfaceOrientation o, double) override {
        add("willAnimateRotation " + std::to_string(o) + " " + std::to_string(static_cast<int>(view()->bounds().size.width)));
    }
    void didRotateFromInterfaceOrientation(UIInterfaceOrientation o) override { add("didRotate " + std::to_string(o)); }
    bool rotates = true;
    UILabel* outlet = nullptr;

private:
    void add(const std::string& what) { log_.push_back(name_ + "." + what); }
    std::string name_;
    Log& log_;
};

// The view a navigation controller keeps its top controller's view in.
UIView* tabsOrNavContainer(UINavigationController& nav) { return nav.view()->subviews().front().get(); }

class ViewControllerTest : public UITest {
protected:
    void SetUp() override {
        UITest::SetUp();
        UIViewController::installPlatformHooks();
    }
    std::shared_ptr<LogController> make(const std::string& name) { return std::make_shared<LogController>(name, log); }
    Log take() {
        Log out;
        out.swap(log);
        return out;
    }
    Log log;
};

TEST_F(ViewControllerTest, InterfaceBuilderMakesTheViewAndWiresOutlets) {
    UIViewController::registerInterface("GreetingView", [](UIViewController& owner) {
        auto v = std::make_shared<UIView>(CGRectMake(0, 0, 320, 460));
        auto label = std::make_shared<UILabel>(CGRectMake(10, 10, 200, 30));
        label->setText("Salaam");
        v->addSubview(label);
        static_cast<LogController&>(owner).outlet = label.get();
        return v;
    });
    auto c = std::make_shared<LogController>("g", log, "GreetingView");
    EXPECT_FALSE(c->isViewLoaded());
    UIView* v = c->view();
    ASSERT_NE(c->outlet, nullptr);
    EXPECT_EQ(c->outlet->text(), "Salaam");
    EXPECT_EQ(c->outlet->superview(), v);
    EXPECT_EQ(v->nextResponder(), c.get());
    EXPECT_EQ(take(), Log{"g.load"});
    UIViewController::unregisterInterface("GreetingView");
}

TEST_F(ViewControllerTest, PushAndPopCallTheAppearanceMethodsInOrder) {
    auto a = make("a"), b = make("b");
    auto nav = std::make_shared<UINavigationController>(a);
    window->setRootViewController(nav);
    EXPECT_EQ(take(), (Log{"a.load", "a.willAppear", "a.didAppear"}));

    nav->pushViewController(b, true);
    EXPECT_EQ(take(), (Log{"b.load", "a.willDisappear", "b.willAppear"}));
    backend.advance(500);
    EXPECT_EQ(take(), (Log{"a.didDisappear", "b.didAppear"}));
    EXPECT_EQ(nav->topViewController(), b.get());
    EXPECT_EQ(b->navigationController(), nav.get());
    EXPECT_EQ(a->view()->superview(), nullptr);
    EXPECT_EQ(nav->navigationBar()->backButton()->title(), "Back");

    nav->popViewControllerAnimated(false);
    EXPECT_EQ(take(), (Log{"b.willDisappear", "a.willAppear", "b.didDisappear", "a.didAppear"}));
    EXPECT_EQ(b->navigationController(), nullptr);
    EXPECT_EQ(nav->popViewControllerAnimated(false), nullptr);  // the root stays
}

TEST_F(ViewControllerTest, PushDuringTheRootsFirstAppearanceReachesThePushedController) {
    // A root that opens another screen from its own viewWillAppear, before the
    // navigation controller is on screen.
    struct Opener : LogController {
        using LogController::LogController;
        void viewWillAppear(bool animated) override {
            LogController::viewWillAppear(animated);
            if (next) navigationController()->pushViewController(std::exchange(next, nullptr), false);
        }
        std::shared_ptr<UIViewController> next;
    };
    auto root = std::make_shared<Opener>("root", log);
    auto b = make("b");
    root->next = b;
    auto nav = std::make_shared<UINavigationController>(root);
    window->setRootViewController(nav);
    EXPECT_EQ(take(), (Log{"root.load", "root.willAppear", "root.willDisappear", "b.load", "b.willAppear",
                           "root.didDisappear", "b.didAppear"}));
    EXPECT_EQ(nav->topViewController(), b.get());
    EXPECT_TRUE(b->isVisible());
    EXPECT_FALSE(root->isVisible());
    EXPECT_EQ(b->view()->superview(), tabsOrNavContainer(*nav));

    nav->popViewControllerAnimated(false);  // the root then appears as usual
    EXPECT_EQ(take(), (Log{"b.willDisappear", "root.willAppear", "b.didDisappear", "root.didAppear"}));
}

TEST_F(ViewControllerTest, BackButtonPopsAndShowsThePreviousTitle) {
    auto a = make("a"), b = make("b");
    a->setTitle("Surahs");
    b->navigationItem()->setRightBarButtonItem(std::make_shared<UIBarButtonItem>("Edit", UIBarButtonItemStyleBordered, nullptr));
    auto nav = std::make_shared<UINavigationController>(a);
    window->setRootViewController(nav);
    nav->pushViewController(b, false);
    UIBarButtonView* back = nav->navigationBar()->backButton();
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->title(), "Surahs");
    ASSERT_NE(nav->navigationBar()->rightButton(), nullptr);
    CGRect r = back->convertRectToView(back->bounds(), nullptr);
    backend.tap(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)));
    backend.advance(500);
    EXPECT_EQ(nav->topViewController(), a.get());
    EXPECT_EQ(nav->navigationBar()->backButton(), nullptr);
}

TEST_F(ViewControllerTest, ModalPresentAndDismissByThePresentedController) {
    auto a = make("a"), m = make("m");
    auto nav = std::make_shared<UINavigationController>(a);
    window->setRootViewController(nav);
    take();
    a->presentModalViewController(m, true);
    EXPECT_EQ(take(), (Log{"m.load", "a.willDisappear", "m.willAppear"}));
    EXPECT_EQ(nav->modalViewController(), m.get());
    backend.advance(400);
    EXPECT_EQ(take(), (Log{"a.didDisappear", "m.didAppear"}));
    EXPECT_TRUE(near(m->view()->frame(), nav->view()->frame()));
    EXPECT_EQ(nav->visibleViewController(), m.get());

    m->dismissModalViewControllerAnimated(true);
    EXPECT_EQ(take(), (Log{"m.willDisappear", "a.willAppear"}));
    backend.advance(400);
    EXPECT_EQ(take(), (Log{"m.didDisappear", "a.didAppear"}));
    EXPECT_EQ(nav->modalViewController(), nullptr);
    EXPECT_EQ(m->view()->superview(), nullptr);
}

TEST_F(ViewControllerTest, TabSwitchAndReTapReachTheDelegates) {
    struct Recorder : UITabBarControllerDelegate {
        std::vector<int> selected;
        void didSelectViewController(UITabBarController* t, UIViewController*) override { selected.push_back(t->selectedIndex()); }
    } recorder;
    struct Tabs : UITabBarController {
        std::vector<std::pair<long, int>> items;  // tag, selected index when told
        void tabBarDidSelectItem(UITabBar*, UITabBarItem* item) override { items.push_back({item->tag(), selectedIndex()}); }
    };
    auto tabs = std::make_shared<Tabs>();
    tabs->setDelegate(&recorder);
    auto a = make("a"), b = make("b");
    auto navA = std::make_shared<UINavigationController>(a), navB = std::make_shared<UINavigationController>(b);
    navA->setTabBarItem(std::make_shared<UITabBarItem>("Quran", nullptr, 0));
    navB->setTabBarItem(std::make_shared<UITabBarItem>("Bookmarks", nullptr, 1));
    tabs->setViewControllers({navA, navB});
    window->setRootViewController(tabs);
    EXPECT_EQ(take(), (Log{"a.load", "a.willAppear", "a.didAppear"}));
    backend.tap(CGPointMake(240, 455));  // second tab
    EXPECT_EQ(take(), (Log{"a.willDisappear", "b.load", "b.willAppear", "a.didDisappear", "b.didAppear"}));
    auto pushed = make("p");
    navB->pushViewController(pushed, false);
    take();
    backend.tap(CGPointMake(240, 455));  // again: no switch, but both delegates hear it and the tab goes back to its root
    backend.advance(500);
    EXPECT_EQ(take(), (Log{"p.willDisappear", "b.willAppear", "p.didDisappear", "b.didAppear"}));
    EXPECT_EQ(tabs->items, (std::vector<std::pair<long, int>>{{1, 0}, {1, 1}}));
    EXPECT_EQ(recorder.selected, (std::vector<int>{1, 1}));
    tabs->setSelectedIndex(0);  // by the program: no delegate calls
    EXPECT_EQ(take(), (Log{"b.willDisappear", "a.willAppear", "b.didDisappear", "a.didAppear"}));
    EXPECT_EQ(recorder.selected.size(), 2u);
    // Titles and badges change at run time.
    navB->tabBarItem()->setTitle("Signets");
    navB->tabBarItem()->setBadgeValue("3");
    EXPECT_EQ(tabs->tabBar()->items()[1]->title(), "Signets");
    EXPECT_EQ(*tabs->tabBar()->items()[1]->badgeValue(), "3");
    navB->tabBarItem()->setBadgeValue(std::nullopt);
    EXPECT_EQ(b->tabBarController(), tabs.get());
    EXPECT_FALSE(tabs->tabBar()->items()[1]->badgeValue());
}

TEST_F(ViewControllerTest, TheTabBarIsASubviewTheProgramCanMove) {
    auto tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({make("a")});
    window->setRootViewController(tabs);
    const auto& subs = tabs->view()->subviews();
    ASSERT_EQ(subs.size(), 2u);
    EXPECT_EQ(subs[1].get(), tabs->tabBar());
    EXPECT_EQ(subs[0].get(), tabs->transitionView());
    double h = tabs->view()->bounds().size.height;
    EXPECT_DOUBLE_EQ(tabs->tabBar()->frame().origin.y, h - 49);
    CGRect f = tabs->tabBar()->frame();
    f.origin.y = h;
    tabs->tabBar()->setFrame(f);
    EXPECT_DOUBLE_EQ(tabs->tabBar()->frame().origin.y, h);
}

TEST_F(ViewControllerTest, RotationReachesTheVisibleControllerWithItsCallbacks) {
    auto a = make("a"), b = make("b");
    auto tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({std::make_shared<UINavigationController>(a), std::make_shared<UINavigationController>(b)});
    window->setRootViewController(tabs);
    take();
    backend.rotate(UIDeviceOrientationLandscapeLeft);
    EXPECT_EQ(take(), (Log{"a.willRotate 3", "a.willAnimateRotation 3 480"}));
    backend.advance(500);
    EXPECT_EQ(take(), Log{"a.didRotate 1"});
    EXPECT_EQ(a->interfaceOrientation(), UIInterfaceOrientationLandscapeRight);
    EXPECT_EQ(b->interfaceOrientation(), UIInterfaceOrientationLandscapeRight);
    EXPECT_EQ(UIApplication::sharedApplication().statusBarOrientation(), UIInterfaceOrientationLandscapeRight);
    EXPECT_DOUBLE_EQ(tabs->view()->bounds().size.width, 480);

    a->rotates = false;
    backend.rotate(UIDeviceOrientationPortrait);
    EXPECT_TRUE(take().empty());  // refused
    EXPECT_EQ(a->interfaceOrientation(), UIInterfaceOrientationLandscapeRight);
}

TEST_F(ViewControllerTest, MemoryWarningUnloadsOnlyViewsOffScreen) {
    auto a = make("a"), b = make("b");
    auto nav = std::make_shared<UINavigationController>(a);
    window->setRootViewController(nav);
    nav->pushViewController(b, false);
    take();
    UIApplication::sharedApplication().receiveMemoryWarning();
    EXPECT_EQ(take(), Log{"a.unload"});
    EXPECT_FALSE(a->isViewLoaded());
    EXPECT_TRUE(b->isViewLoaded());
    nav->popViewControllerAnimated(false);
    EXPECT_EQ(take(), (Log{"a.load", "b.willDisappear", "a.willAppear", "b.didDisappear", "a.didAppear"}));
    EXPECT_EQ(a->view()->superview(), tabsOrNavContainer(*nav));
}

TEST_F(ViewControllerTest, PushedScreenCanHideTheTabBar) {
    struct Shows : UINavigationControllerDelegate {
        std::vector<std::string> calls;
        void willShowViewController(UINavigationController*, UIViewController*, bool animated) override {
            calls.push_back(animated ? "will animated" : "will");
        }
        void didShowViewController(UINavigationController*, UIViewController*, bool) override { calls.push_back("did"); }
    } shows;
    auto a = make("a"), b = make("b");
    b->setHidesBottomBarWhenPushed(true);
    auto nav = std::make_shared<UINavigationController>(a);
    nav->setDelegate(&shows);
    auto tabs = std::make_shared<UITabBarController>();
    tabs->setViewControllers({nav});
    window->setRootViewController(tabs);
    double full = tabs->view()->bounds().size.height;
    nav->pushViewController(b, true);
    EXPECT_TRUE(tabs->tabBar()->isHidden());
    EXPECT_DOUBLE_EQ(tabs->transitionView()->frame().size.height, full);
    backend.advance(500);
    EXPECT_EQ(shows.calls, (std::vector<std::string>{"will animated", "did"}));
    nav->popToRootViewControllerAnimated(false);
    EXPECT_FALSE(tabs->tabBar()->isHidden());
    EXPECT_DOUBLE_EQ(tabs->transitionView()->frame().size.height, full - 49);
    nav->setViewControllers({b}, false);
    EXPECT_EQ(nav->topViewController(), b.get());
    EXPECT_EQ(a->navigationController(), nullptr);
    EXPECT_TRUE(tabs->tabBar()->isHidden());
}

}  // namespace
