#pragma once
// Facts about the device the program runs as (a start-up choice here).

#include <string>

#include "platform/ui/UIKitTypes.h"

inline constexpr const char* UIDeviceOrientationDidChangeNotification = "UIDeviceOrientationDidChangeNotification";

class UIDevice {
public:
    static UIDevice& currentDevice();

    // "iPhone" or "iPad" after the idiom, so model tests for the tablet work.
    std::string model() const;
    std::string localizedModel() const { return model(); }
    std::string name() const { return "Lumeno"; }
    std::string systemName() const { return "Linux"; }
    // A version of the platform generation whose behaviour the program follows.
    std::string systemVersion() const { return systemVersion_; }
    void setSystemVersion(const std::string& v) { systemVersion_ = v; }
    UIUserInterfaceIdiom userInterfaceIdiom() const { return idiom_; }
    void setUserInterfaceIdiom(UIUserInterfaceIdiom idiom) { idiom_ = idiom; }
    // The physical orientation; changed by the backend's rotate key.
    UIDeviceOrientation orientation() const { return orientation_; }
    void setOrientation(UIDeviceOrientation o) { orientation_ = o; }
    bool isMultitaskingSupported() const { return true; }
    void beginGeneratingDeviceOrientationNotifications() { ++orientationNotifications_; }
    void endGeneratingDeviceOrientationNotifications() {
        if (orientationNotifications_ > 0) --orientationNotifications_;
    }
    bool isGeneratingDeviceOrientationNotifications() const { return orientationNotifications_ > 0; }

private:
    UIDevice() = default;
    std::string systemVersion_ = "5.1";
    UIUserInterfaceIdiom idiom_ = UIUserInterfaceIdiomPhone;
    UIDeviceOrientation orientation_ = UIDeviceOrientationPortrait;
    int orientationNotifications_ = 0;
};

inline UIUserInterfaceIdiom UI_USER_INTERFACE_IDIOM() { return UIDevice::currentDevice().userInterfaceIdiom(); }
