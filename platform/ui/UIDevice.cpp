#include "platform/ui/UIDevice.h"

UIDevice& UIDevice::currentDevice()
{
    static UIDevice device;
    return device;
}

std::string UIDevice::model() const
{
    return idiom_ == UIUserInterfaceIdiomPad ? "iPad" : "iPhone";
}
