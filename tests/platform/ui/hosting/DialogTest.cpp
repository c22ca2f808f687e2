#include <gtest/gtest.h>

#include "platform/ui/UIButton.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UITabBarController.h"
#include "tests/platform/ui/UITestSupport.h"

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
        if (c.cancelIndex >= 0) EXPECT_EQ(sheet->buttonTitleAtIndex(c.cancelIndex), c.cancel);
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

}  // namespace
