#include "Classes/Audio/RoundProgressButton.h"

#include "Classes/Audio/MBRoundProgressView.h"
#include "platform/graphics/UIColor.h"

RoundProgressButton::RoundProgressButton() : RoundProgressButton(CGRectMake(0, 0, 37, 37)) {}

RoundProgressButton::RoundProgressButton(CGRect frame) : UIButton(frame) {
    setBackgroundColor(UIColor::clearColor());
    setOpaque(false);
    activityInd_ = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleGray);
    activityInd_->setHidesWhenStopped(true);
    const double side = frame.size.width * 0.3;
    activityInd_->setFrame(CGRectMake((frame.size.width - side) / 2, (frame.size.height - side) / 2, side, side));
    addSubview(activityInd_);
}

void RoundProgressButton::setProgress(float progress) {
    if (progress == 1.0f)
        activityInd_->stopAnimating();
    else if (!activityInd_->isAnimating())
        activityInd_->startAnimating();
    progress_ = progress;
    setNeedsDisplay();
}

void RoundProgressButton::drawRect(CGRect) { drawRoundProgress(bounds(), progress_); }
