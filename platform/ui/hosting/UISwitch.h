#pragma once
// An on/off switch (94 by 27 points); a tap or a slide flips it and sends value-changed.

#include "platform/ui/UIControl.h"

class UISwitch : public UIControl {
public:
    explicit UISwitch(CGRect frame = CGRectZero);
    bool isOn() const { return on_; }
    void setOn(bool on) { setOn(on, false); }
    void setOn(bool on, bool animated);
    // The thumb's position from 0 (off) to 1 (on), as drawn now.
    double thumbPosition() const { return thumb_; }
    void setFrame(CGRect frame) override;
    bool beginTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    bool continueTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    void endTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    bool on_ = false;
    double thumb_ = 0;
    double startX_ = 0;
    bool moved_ = false;
};
