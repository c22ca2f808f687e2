// On a tablet the reciter, play-next and verse-repeat pickers open in a popover at the button
// that asked for them, store what is chosen there, and leave nothing behind when they close.

#include <gtest/gtest.h>

#include <functional>

#include "Classes/Audio/AyaRepeatController.h"
#include "Classes/Audio/PickReciterController.h"
#include "Classes/Audio/PlayNextAyasController.h"
#include "Classes/Core/LumenoSDKAppDelegate.h"
#include "platform/foundation/NSUserDefaults.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/hosting/UIPopoverView.h"
#include "tests/Classes/Audio/PlaybackFixture.h"
#include "tests/support/DocsScreenshot.h"

namespace {

class TabletPickers : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        BackendOptions tablet;
        tablet.idiom = UIUserInterfaceIdiomPad;
        tablet.apply();
        LumenoSDKAppDelegate::resetCachedFactsForTesting();  // the idiom is read once and kept
        window = std::make_shared<UIWindow>();
        window->makeKeyAndVisible();
    }
    UIPopoverController* shownPopover() {
        UIPopoverController* popover = screen->popoverView();
        return popover && popover->isPopoverVisible() ? popover : nullptr;
    }
    void TearDown() override {
        PlaybackTest::TearDown();
        LumenoSDKAppDelegate::resetCachedFactsForTesting();
    }
    static CGRect onScreen(const UIView& view) { return view.convertRectToView(view.bounds(), nullptr); }
    static long long stored(const char* key) { return NSUserDefaults::standardUserDefaults().integerForKey(key); }
    static void choose(PlayOptionsSheet& sheet, int section, int row) {
        sheet.didSelectRowAtIndexPath(sheet.table.get(), NSIndexPath::indexPathForRow(row, section));
    }
};

TEST_F(TabletPickers, EachPickerOpensInAPopoverAtItsButtonAndClosesWithItsChoice) {
    installPerVerse(112, 2);
    struct Case {
        const char* name;
        std::function<void()> open;
        std::function<UIButton*()> anchor;
        std::function<bool(UIViewController*)> isPicker;
        std::function<void(UIViewController*)> chooseAndClose;
        std::function<bool()> stored;
    } cases[] = {
        {"verse-repeat", [&] { screen->btnAyahRepeatPressed(); }, [&] { return screen->btnAyahRepeatBubble.get(); },
         [](UIViewController* c) { return dynamic_cast<AyaRepeatController*>(c) != nullptr; },
         [](UIViewController* c) { choose(*static_cast<PlayOptionsSheet*>(c), 0, 3); },
         [] { return stored("AyahRepeatCounter") == 3; }},
        {"play-next", [&] { screen->btnPlayNextPressed(); }, [&] { return screen->btnSurahRepeatBubble.get(); },
         [](UIViewController* c) { return dynamic_cast<PlayNextAyasController*>(c) != nullptr; },
         [](UIViewController* c) {
             auto* sheet = static_cast<PlayNextAyasController*>(c);
             choose(*sheet, 1, 3);
             sheet->btnBackPressed();
         },
         [] { return stored("PlayVerseRange") == 3; }},
        {"reciter",
         [&] {
             screen->stopIfPlaying();
             screen->btnReciterPressed();
         },
         [&] { return screen->btnReciter.get(); },
         [](UIViewController* c) { return dynamic_cast<PickReciterController*>(c) != nullptr; },
         [](UIViewController* c) { choose(*static_cast<PickReciterController*>(c), 0, 1); },
         [] { return stored("CurrentReciterv22") == 4; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!screen->IsInPlayMode() && std::string(c.name) != "reciter") openAndPlay(112, 1);
        run(400);
        UIButton* anchor = c.anchor();
        ASSERT_TRUE(anchor && anchor->window()) << "the button shows";
        c.open();
        run(600);
        UIPopoverController* popover = shownPopover();
        ASSERT_TRUE(popover) << "a popover, not a sheet over the screen";
        UIViewController* picker = popover->contentViewController();
        ASSERT_TRUE(c.isPicker(picker));
        EXPECT_EQ(screen->modalViewController(), nullptr);
        EXPECT_TRUE(picker->view()->isDescendantOfView(popover->popoverView())) << "inside the popover's box";
        // The popover lies beside its button, inside the screen.
        const CGRect box = onScreen(*popover->popoverView());
        const CGRect button = onScreen(*anchor);
        const CGRect display = screen->view()->window()->bounds();
        EXPECT_TRUE(CGRectContainsRect(display, box));
        EXPECT_FALSE(CGRectIntersectsRect(CGRectInset(box, 2, 2), CGRectInset(button, 2, 2)));
        const bool besideVertically = box.origin.y >= button.origin.y + button.size.height - 1 ||
                                      box.origin.y + box.size.height <= button.origin.y + 1;
        const bool besideHorizontally = box.origin.x >= button.origin.x + button.size.width - 1 ||
                                        box.origin.x + box.size.width <= button.origin.x + 1;
        EXPECT_TRUE(besideVertically || besideHorizontally);
        docs_screenshot::shoot(backend, std::string("tablet-popover-") + c.name + ".png");

        c.chooseAndClose(picker);
        run(600);
        EXPECT_TRUE(c.stored());
        EXPECT_EQ(shownPopover(), nullptr) << "closed with the choice";
        EXPECT_FALSE(screen->isShowingPlayOptions());
        EXPECT_EQ(picker->view()->window(), nullptr);
    }
}

TEST_F(TabletPickers, ATapOutsideClosesThePickerAndAnotherOneCanOpen) {
    installPerVerse(112, 2);
    openAndPlay(112, 1);
    run(400);
    screen->btnAyahRepeatPressed();
    run(600);
    ASSERT_TRUE(shownPopover());
    backend.tap(CGPointMake(5, 300));
    run(600);
    EXPECT_EQ(shownPopover(), nullptr);
    EXPECT_FALSE(screen->isShowingPlayOptions());
    EXPECT_FALSE(screen->ayahOptionsView());
    screen->btnPlayNextPressed();
    run(600);
    ASSERT_TRUE(shownPopover());
    EXPECT_TRUE(dynamic_cast<PlayNextAyasController*>(shownPopover()->contentViewController()));
}

}  // namespace
