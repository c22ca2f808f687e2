#pragma once
// The screen the program shows until the reader is built: its name on a
// plain background, upright in either orientation.

#include <memory>

#include "platform/ui/UIApplicationDelegate.h"

class UIView;
class UIWindow;

class PlaceholderAppDelegate : public UIApplicationDelegate {
public:
    bool applicationDidFinishLaunchingWithOptions(UIApplication& app, const UIApplicationLaunchOptions& options) override;
    UIWindow* window() const { return window_.get(); }

private:
    void layoutForOrientation(int orientation);
    std::shared_ptr<UIWindow> window_;
    std::shared_ptr<UIView> root_;
};
