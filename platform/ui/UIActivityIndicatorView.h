#pragma once
// A spinning activity wheel; hidden when stopped unless told otherwise.

#include <memory>

#include "platform/ui/UIView.h"

class NSTimer;

class UIActivityIndicatorView : public UIView {
public:
    explicit UIActivityIndicatorView(UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyleWhite);
    explicit UIActivityIndicatorView(CGRect frame);
    ~UIActivityIndicatorView() override;

    UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return style_; }
    void setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style);
    UIColorPtr color() const;
    void setColor(UIColorPtr color);
    bool hidesWhenStopped() const { return hidesWhenStopped_; }
    void setHidesWhenStopped(bool hides);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return animating_; }

    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

private:
    UIActivityIndicatorViewStyle style_;
    UIColorPtr color_;
    bool hidesWhenStopped_ = true;
    bool animating_ = false;
    int step_ = 0;
    std::shared_ptr<NSTimer> timer_;
};
