#include <gtest/gtest.h>

#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "tests/platform/ui/UITestSupport.h"
#include "tests/support/ScreenTouches.h"

namespace {

struct Recorder : UIActionSheetDelegate, UIAlertViewDelegate {
    std::vector<std::string> calls;
    void actionSheetClickedButtonAtIndex(UIActionSheet* s, int i) override { add("clicked", s->tag(), i); }
    void actionSheetWillDismissWithButtonIndex(UIActionSheet* s, int i) override { add("willDismiss", s->tag(), i); }
    void actionSheetDidDismissWithButtonIndex(UIActionSheet* s, int i) override { add("didDismiss", s->tag(), i); }
    void alertViewClickedButtonAtIndex(UIAlertView* a, int i) override { add("alertClicked", a->tag(), i); }
    void alertViewDidDismissWithButtonIndex(UIAlertView* a, int i) override { add("alertDidDismiss", a->tag(), i); }
    void add(const std::string& what, long tag, int i) { calls.push_back(what + " " + std::to_string(tag) + " " + std::to_string(i)); }
};

class DialogTest : public UITest {
protected:
    void tapButton(UIDialogView& d, int index) {
        UIButton* b = d.buttonAtIndex(index);
        ASSERT_NE(b, nullptr);
        CGRect r = b->convertRectToView(b->bounds(), nullptr);
        backend.tap(CGPointMake(CGRectGetMidX(r), CGRectGetMidY(r)));
    }
    Recorder recorder;
};

TEST_F(DialogTest, ActionSheetIndexesFollowThePlatform) {
    struct Case {
        std::string cancel, destructive;
        std::vector<std::string> others;
        int cancelIndex, destructiveIndex, firstOther, count;
    } cases[] = {
        {"Cancel", "Download this Audio", {"Download all Audios"}, 2, 0, 1, 3},
        {"No", "Yes", {}, 1, 0, -1, 2},
        {"Cancel", "", {"Mirror 1 (US)", "Mirror 2 (US)", "Mirror 3 (US)", "Mirror 4 (UK)", "Mirror 5 (US)", "Mirror 6 (EU)", "Random (Recommended)"}, 7, -1, 0, 8},
        {"", "", {"Review Now", "Tell a Friend", "Later", "No, Thanks"}, -1, -1, 0, 4},
        {"Cancel", "Delete", {"Mail"}, 2, 0, 1, 3},
    };
    for (const Case& c : cases) {
        auto sheet = std::make_shared<UIActionSheet>("t", &recorder, c.cancel, c.destructive, c.others);
        EXPECT_EQ(sheet->cancelButtonIndex(), c.cancelIndex) << c.others.size();
        EXPECT_EQ(sheet->destructiveButtonIndex(), c.destructiveIndex);
        EXPECT_EQ(sheet->firstOtherButtonIndex(), c.firstOther);
        EXPECT_EQ(sheet->numberOfButtons(), c.count);
        if (c.cancelIndex >= 0) { EXPECT_EQ(sheet->buttonTitleAtIndex(c.cancelIndex), c.cancel); }
    }
    auto alert = std::make_shared<UIAlertView>("Al-Kahf", "Read it now?", &recorder, "No", std::vector<std::string>{"Yes"});
    EXPECT_EQ(alert->cancelButtonIndex(), 0);
    EXPECT_EQ(alert->buttonTitleAtIndex(1), "Yes");
    EXPECT_EQ(alert->buttonTitleAtIndex(2), "");
}

TEST_F(DialogTest, SheetFromTheTabBarIsModalAndReportsTheChoice) {
    auto tabs = std::make_shared<UITabBarController>();
    auto content = std::make_shared<UIViewController>();
    tabs->setViewControllers({content});
    UIViewController::installPlatformHooks();
    window->setRootViewController(tabs);
    int behindTaps = 0;
    auto behind = std::make_shared<UIButton>(CGRectMake(0, 0, 320, 400));
    behind->addAction([&](UIControl*, UIEvent*) { ++behindTaps; }, UIControlEventTouchUpInside);
    content->view()->addSubview(behind);

    auto sheet = std::make_shared<UIActionSheet>("Download\n1. Al-Fatiha", &recorder, "Cancel", "Download this Audio",
                                                 std::vector<std::string>{"Download all Audios"});
    sheet->setTag(1001);
    sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
    sheet->showFromTabBar(tabs->tabBar());
    backend.advance(400);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_DOUBLE_EQ(CGRectGetMaxY(sheet->frame()), tabs->view()->bounds().size.height);
    backend.tap(CGPointMake(160, 60));  // behind the sheet: nothing happens
    EXPECT_EQ(behindTaps, 0);
    EXPECT_TRUE(sheet->isVisible());

    tapButton(*sheet, 1);
    backend.advance(400);
    std::vector<std::string> expected = {"clicked 1001 1", "willDismiss 1001 1", "didDismiss 1001 1"};
    EXPECT_EQ(recorder.calls, expected);
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(sheet->superview(), nullptr);
    backend.tap(CGPointMake(160, 60));
    EXPECT_EQ(behindTaps, 1);
}

TEST_F(DialogTest, ProgrammaticDismissSkipsTheClick) {
    auto alert = std::make_shared<UIAlertView>("Update", "Switch to gapless audio?", &recorder, "No", std::vector<std::string>{"Yes"});
    alert->setTag(10908);
    alert->show();
    backend.advance(400);
    EXPECT_TRUE(alert->isVisible());
    alert->dismissWithClickedButtonIndex(0, false);
    EXPECT_EQ(recorder.calls, std::vector<std::string>{"alertDidDismiss 10908 0"});
    EXPECT_FALSE(alert->isVisible());
    EXPECT_EQ(UIApplication::sharedApplication().modalBlocker(), nullptr);
    alert->dismissWithClickedButtonIndex(1, false);  // already gone: nothing
    EXPECT_EQ(recorder.calls.size(), 1u);
}

TEST_F(DialogTest, AlertButtonsReportTheirIndex) {
    auto alert = std::make_shared<UIAlertView>("Al-Kahf", "You haven't read Al-Kahf today.", &recorder, "No", std::vector<std::string>{"Yes"});
    alert->setTag(1);
    alert->show();
    backend.advance(400);
    tapButton(*alert, 1);
    backend.advance(400);
    std::vector<std::string> expected = {"alertClicked 1 1", "alertDidDismiss 1 1"};
    EXPECT_EQ(recorder.calls, expected);
}

// A dialog shown in one orientation and turned to another (or not): it sits on the
// screen as that orientation wants, and every button can be reached and tapped.
class DialogTurnTest : public DialogTest {
protected:
    struct Turning : UIViewController {
        bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation) override { return true; }
    };
    struct Case {
        const char* name;
        bool sheet;
        std::string title, message;  // no message for a sheet
        std::string destructive;     // sheets only
        std::vector<std::string> others;
        UIDeviceOrientation shownIn, turnedTo;
    };

    void SetUp() override {
        DialogTest::SetUp();
        UIViewController::installPlatformHooks();
        window->setRootViewController(std::make_shared<Turning>());
    }
    void turn(UIDeviceOrientation o) {
        backend.rotate(o);
        backend.advance(600);
    }
    std::shared_ptr<UIDialogView> show(const Case& c, int tag) {
        std::shared_ptr<UIDialogView> d;
        if (c.sheet) {
            auto sheet = std::make_shared<UIActionSheet>(c.title, &recorder, "Cancel", c.destructive, c.others);
            sheet->setActionSheetStyle(UIActionSheetStyleBlackTranslucent);
            sheet->showInView(window->rootViewController()->view());
            d = sheet;
        } else {
            auto alert = std::make_shared<UIAlertView>(c.title, c.message, &recorder, "OK", c.others);
            alert->show();
            d = alert;
        }
        d->setTag(tag);
        backend.advance(400);
        return d;
    }
    static bool isBlue(HeadlessBackend::Pixel p) { return p.b > p.r + 40 && p.b > 60; }
    static bool isLight(HeadlessBackend::Pixel p) { return p.r > 200 && p.g > 200 && p.b > 200; }
};

TEST_F(DialogTurnTest, EveryButtonShowsOnScreenAndAnswersATap) {
    using namespace screen_touches;
    const std::vector<std::string> mirrors = {"Mirror 1 (US)", "Mirror 2 (US)", "Mirror 3 (US)", "Mirror 4 (UK)",
                                              "Mirror 5 (US)", "Mirror 6 (EU)", "Random (Recommended)"};
    std::string longText;
    for (int i = 0; i < 40; ++i) longText += "Tap a verse to bookmark it, add a note or share it. ";
    const auto P = UIDeviceOrientationPortrait, L = UIDeviceOrientationLandscapeLeft;
    const Case cases[] = {
        {"topic alert turned", false, "Bookmarks", "Tap and hold a verse to bookmark it.", "", {}, P, L},
        {"question alert turned", false, "Al-Kahf", "You haven't read Al-Kahf today.", "", {"Yes"}, P, L},
        {"long alert in landscape", false, "How to Use", longText, "", {"More"}, L, L},
        {"long alert turned", false, "How to Use", longText, "", {}, P, L},
        {"download sheet turned", true, "Download\n1. Al-Fatiha", "", "Download this Audio", {"Download all Audios"}, P, L},
        {"mirror sheet in landscape", true, "Select server to download audios from. If one fails, please try another.", "", "", mirrors, L, L},
        {"mirror sheet turned", true, "Select server", "", "Delete", mirrors, P, L},
        {"mirror sheet turned upright", true, "Select server", "", "Delete", mirrors, L, P},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        int count = 0;
        for (int index = 0; count == 0 || index < count; ++index) {
            SCOPED_TRACE(index);
            turn(c.shownIn);
            recorder.calls.clear();
            auto d = show(c, 7);
            count = d->numberOfButtons();
            if (c.turnedTo != c.shownIn) turn(c.turnedTo);
            bool landscape = c.turnedTo == L;
            CGRect screen = landscape ? CGRectMake(0, 0, 480, 320) : CGRectMake(0, 0, 320, 480);
            CGRect box = displayRect(*d);
            EXPECT_TRUE(CGRectContainsRect(screen, box)) << box.origin.y << " " << box.size.height;
            if (c.sheet) {
                EXPECT_NEAR(CGRectGetMaxY(box), screen.size.height, 0.5);
                EXPECT_NEAR(box.size.width, screen.size.width, 0.5);
                EXPECT_TRUE(isLight(backend.pixelAt(CGPointMake(screen.size.width - 30, CGRectGetMidY(displayRect(*d->buttonAtIndex(d->firstOtherButtonIndex())))))));
            } else {
                EXPECT_NEAR(CGRectGetMidX(box), CGRectGetMidX(screen), 1);
                EXPECT_NEAR(CGRectGetMidY(box), CGRectGetMidY(screen), 1);
                EXPECT_TRUE(isBlue(backend.pixelAt(CGPointMake(box.origin.x + 8, CGRectGetMidY(box)))));
                EXPECT_FALSE(isBlue(backend.pixelAt(CGPointMake(box.origin.x - 8, CGRectGetMidY(box)))));
            }
            UIButton* b = d->buttonAtIndex(index);
            ASSERT_TRUE(dragIntoView(backend, *b, [&] { backend.advance(2000); }));
            EXPECT_TRUE(CGRectContainsRect(screen, displayRect(*b)));
            EXPECT_TRUE(recorder.calls.empty());  // a drag on a button clicks nothing
            backend.tap(displayCentre(*b));
            backend.advance(400);
            ASSERT_FALSE(recorder.calls.empty());
            EXPECT_EQ(recorder.calls[0], (c.sheet ? "clicked 7 " : "alertClicked 7 ") + std::to_string(index));
            EXPECT_FALSE(d->isVisible());
        }
    }
}

}  // namespace
