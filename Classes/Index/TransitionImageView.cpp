#include "Classes/Index/TransitionImageView.h"

TransitionImageView::TransitionImageView(CGRect frame) : UIImageView(frame) {}

TransitionImageView::~TransitionImageView() {
    mOriginalImageViewContainerView.reset();
    mIntermediateTransitionView.reset();
}

std::shared_ptr<UIImageView> TransitionImageView::makeTransitionView(CGRect frame, UIImagePtr image) const {
    auto v = std::make_shared<UIImageView>(frame);
    v->setBackgroundColor(UIColor::clearColor());
    v->setOpaque(false);
    v->setContentMode(contentMode());
    v->setAutoresizesSubviews(autoresizesSubviews());
    v->setAutoresizingMask(autoresizingMask());
    v->setClipsToBounds(clipsToBounds());
    v->setImage(std::move(image));
    return v;
}

void TransitionImageView::setImage(UIImagePtr image, bool animate, double duration, CGRect initRect) {
    if (!animate) {
        setImage(std::move(image));
        return;
    }
    // A transition still running ends where it is before the next one starts.
    if (mIntermediateTransitionView) animationDidStop();

    const CGRect target = CGRectMake(0, 0, bounds().size.width, bounds().size.height);
    const CGRect start = CGRectMake(0, 0, initRect.size.width, initRect.size.height);
    mIntermediateTransitionView = makeTransitionView(start, std::move(image));
    mOriginalImageViewContainerView = makeTransitionView(start, UIImageView::image());
    setImage(UIImagePtr());
    addSubview(mOriginalImageViewContainerView);
    addSubview(mIntermediateTransitionView);
    mIntermediateTransitionView->setAlpha(0);
    mOriginalImageViewContainerView->setAlpha(1);

    UIView::beginAnimations("ImageViewTransitions");
    UIView::setAnimationDuration(duration);
    UIView::setAnimationCurve(UIViewAnimationCurveEaseOut);
    std::weak_ptr<UIView> weakSelf = weak_from_this();
    std::weak_ptr<UIImageView> weakNew = mIntermediateTransitionView;
    UIView::setAnimationDidStopSelector([weakSelf, weakNew](const std::string&, bool, void*) {
        auto self = std::static_pointer_cast<TransitionImageView>(weakSelf.lock());
        // Only the transition this animation belongs to is finished here.
        if (self && self->mIntermediateTransitionView && self->mIntermediateTransitionView == weakNew.lock())
            self->animationDidStop();
    });
    mIntermediateTransitionView->setFrame(target);
    mOriginalImageViewContainerView->setFrame(target);
    mIntermediateTransitionView->setAlpha(1);
    mOriginalImageViewContainerView->setAlpha(0);
    UIView::commitAnimations();
}

void TransitionImageView::animationDidStop() {
    setAlpha(1);
    if (mIntermediateTransitionView) setImage(mIntermediateTransitionView->image());
    if (mIntermediateTransitionView) mIntermediateTransitionView->removeFromSuperview();
    if (mOriginalImageViewContainerView) mOriginalImageViewContainerView->removeFromSuperview();
    mIntermediateTransitionView.reset();
    mOriginalImageViewContainerView.reset();
}
