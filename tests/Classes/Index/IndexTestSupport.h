#pragma once
// A fresh application on a phone screen with the virtual clock and the headless backend.

#include <gtest/gtest.h>

#include <memory>

#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIView.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIViewController.h"
#include "tests/support/ScreenTouches.h"

class IndexUITest : public ::testing::Test {
protected:
    void SetUp() override {
        RunLoop::main().useVirtualClock();
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
        UIScreen::mainScreen().configure(UIUserInterfaceIdiomPhone, 1);
        UIImage::clearNamedCache();
        UIView::setAnimationsEnabled(true);
        UIViewController::installPlatformHooks();
        backend.attach();
        UIApplication::sharedApplication().setStatusBarHidden(true);
    }

    void TearDown() override {
        RunLoop::main().resetForTesting();
        UIApplication::sharedApplication().resetForTesting();
    }

    // Centre of a view's rectangle on the screen.
    static CGPoint screenCentre(const UIView& view, CGRect rect) { return screen_touches::screenCentre(view, rect); }

    HeadlessBackend backend;
};
