#pragma once
// The device's screen: bounds in points (always portrait, as on the device;
// landscape is the interface rotated inside it) and the pixel scale.

#include "platform/graphics/Geometry.h"
#include "platform/ui/UIKitTypes.h"

class UIScreen {
public:
    static UIScreen& mainScreen();

    // 320 x 480 for a phone, 768 x 1024 for a tablet.
    CGRect bounds() const;
    // The bounds less the status bar (when shown), for the current orientation's top edge.
    CGRect applicationFrame() const;
    // 1 or 2.
    double scale() const { return scale_; }
    CGSize pixelSize() const;

    // Chosen once at start-up (and by tests).
    void configure(UIUserInterfaceIdiom idiom, double scale);

private:
    UIScreen() = default;
    CGSize size_{320, 480};
    double scale_ = 1;
};
