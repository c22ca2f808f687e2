#pragma once
// A progress bar from 0 to 1.

#include "platform/ui/UIView.h"

class UIProgressView : public UIView {
public:
    explicit UIProgressView(UIProgressViewStyle style = UIProgressViewStyleDefault);
    explicit UIProgressView(CGRect frame);

    UIProgressViewStyle progressViewStyle() const { return style_; }
    void setProgressViewStyle(UIProgressViewStyle style);
    // Clamped to 0...1.
    float progress() const { return progress_; }
    void setProgress(float progress);
    void setProgress(float progress, bool animated) { setProgress(progress); }

    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

private:
    UIProgressViewStyle style_;
    float progress_ = 0;
};
