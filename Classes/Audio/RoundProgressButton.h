#pragma once
// A circular progress button: the round progress pie with a small grey activity indicator in
// its middle that turns until the progress is complete.

#include <memory>

#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIButton.h"

class RoundProgressButton : public UIButton {
public:
    // 37 x 37 at the origin.
    RoundProgressButton();
    explicit RoundProgressButton(CGRect frame);

    float progress() const { return progress_; }
    void setProgress(float progress);
    UIActivityIndicatorView* activityInd() const { return activityInd_.get(); }
    void drawRect(CGRect rect) override;

private:
    float progress_ = 0;
    std::shared_ptr<UIActivityIndicatorView> activityInd_;
};
