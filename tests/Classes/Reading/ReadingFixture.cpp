#include "tests/Classes/Reading/ReadingFixture.h"

#include "tests/support/FirstRunScreens.h"

#include <cmath>

#include "platform/foundation/NSUserDefaults.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/BackendOptions.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/hosting/UIViewController.h"

void ReadingTest::SetUp() {
    RunLoop::main().useVirtualClock();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
    UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, scale());
    UIImage::clearNamedCache();
    UIView::setAnimationsEnabled(true);
    backend.attach();
    UIViewController::installPlatformHooks();
    UIApplication::sharedApplication().setStatusBarHidden(true);
    window = std::make_shared<UIWindow>();
    window->setBackgroundColor(UIColor::whiteColor());
    window->makeKeyAndVisible();

    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    LumenoSDKAppDelegate::initialize();  // the settings' defaults, as at the program's start
    app = std::make_unique<LumenoSDKAppDelegate>();
    app->setSplashHasDisplayed(true);  // the one-time fade has a test of its own
    ASSERT_TRUE(app->createEditableCopyOfDatabaseIfNeeded());
    ASSERT_TRUE(app->initializeDatabase());
    NSUserDefaults& defaults = NSUserDefaults::standardUserDefaults();
    defaults.setInteger(1, "ArabicFontSize");
    defaults.setInteger(1, "TranslationFontSize");
    markFirstRunScreensSeen();
    screen = std::make_shared<CountingSurahViewController>();
}

void ReadingTest::useTablet() {
    BackendOptions tablet;
    tablet.idiom = UIUserInterfaceIdiomPad;
    tablet.apply();
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    window = std::make_shared<UIWindow>();
    window->makeKeyAndVisible();
}

void ReadingTest::TearDown() {
    window.reset();
    screen.reset();
    app.reset();
    BackendOptions{}.apply();
    LumenoSDKAppDelegate::resetCachedFactsForTesting();
    RunLoop::main().resetForTesting();
    UIApplication::sharedApplication().resetForTesting();
}

void ReadingTest::open(int surah, int verse, int translation) {
    NSUserDefaults::standardUserDefaults().setInteger(translation, "CurrentTranslationv22");
    screen->setupBasicSurah(surah, verse, false);
    if (screen->viewIsVisible()) {
        screen->asyncSurahReload();
    } else {
        screen->setRequiresReload(true);
        window->setRootViewController(screen);
    }
    backend.advance(300);
    backend.runUntilIdle();
}

SurahVerseView* ReadingTest::arabicRow(int verse) { return screen->rowViewAt(screen->verseToRow(verse)); }

SurahVerseView* ReadingTest::translationRow(int verse) { return screen->rowViewAt(screen->verseToRow(verse) + 1); }

int ReadingTest::topVerse() {
    auto path = screen->tblVerses->indexPathForRowAtPoint(CGPoint{1, screen->tblVerses->contentOffset().y + 1});
    return path ? screen->rowToVerse(path->row) : -100;
}

CGPoint ReadingTest::pointInRow(int verse, double dx, double dy) {
    const CGRect rect = screen->tblVerses->rectForRowAtIndexPath(NSIndexPath::indexPathForRow(screen->verseToRow(verse), 0));
    return screen->tblVerses->convertPointToView(CGPoint{rect.origin.x + dx, rect.origin.y + dy}, nullptr);
}

RGBA backgroundOf(const UIView& view) {
    RGBA out{0, 0, 0, 0};
    if (!view.backgroundColor()) return out;
    double r = 0, g = 0, b = 0, a = 0;
    view.backgroundColor()->getRed(&r, &g, &b, &a);
    return RGBA{static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
                static_cast<int>(std::lround(b * 255)), a};
}
