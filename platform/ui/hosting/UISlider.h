#pragma once
// A value between a minimum and a maximum chosen by sliding a thumb along a track;
// value-changed while sliding (continuous) or when the finger lifts.

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIControl.h"

class UISlider : public UIControl {
public:
    explicit UISlider(CGRect frame = CGRectZero);
    double value() const { return value_; }
    void setValue(double v) { setValue(v, false); }
    void setValue(double v, bool animated);
    double minimumValue() const { return min_; }
    void setMinimumValue(double v);
    double maximumValue() const { return max_; }
    void setMaximumValue(double v);
    bool isContinuous() const { return continuous_; }
    void setContinuous(bool on) { continuous_ = on; }
    void setThumbImage(UIImagePtr image, unsigned state);
    void setMinimumTrackImage(UIImagePtr image, unsigned state);
    void setMaximumTrackImage(UIImagePtr image, unsigned state);
    // Where the thumb is drawn for a value (in bounds).
    CGRect thumbRectForValue(double value) const;
    // Its width, and the height of its thumb.
    CGSize sizeThatFits(CGSize size) const override;
    bool beginTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    bool continueTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    void endTrackingWithTouch(UITouch* touch, UIEvent* event) override;
    void drawRect(CGRect rect) override;

private:
    void valueFromTouch(UITouch* touch);
    double value_ = 0, min_ = 0, max_ = 1;
    bool continuous_ = true;
    bool changedWhileTracking_ = false;
    UIImagePtr thumb_, minTrack_, maxTrack_;
};
