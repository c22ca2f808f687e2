#pragma once
// An image view that can change its image with a cross-fade while it grows from a start
// size to its own size (the juz bar's portrait and landscape pictures).

#include <memory>

#include "platform/ui/UIImageView.h"

class TransitionImageView : public UIImageView {
public:
    explicit TransitionImageView(CGRect frame = CGRectZero);
    ~TransitionImageView() override;

    // Without animation the image is simply set. With it, the old and the new image are
    // shown in two views that start at the start rectangle's size (its origin is not used)
    // and grow to the view's size over `duration`, the new one fading in, the old one out.
    void setImage(UIImagePtr image, bool animate, double duration, CGRect initRect);
    using UIImageView::setImage;

    // The two views that exist only while a transition runs.
    const std::shared_ptr<UIImageView>& originalImageViewContainerView() const { return mOriginalImageViewContainerView; }
    const std::shared_ptr<UIImageView>& intermediateTransitionView() const { return mIntermediateTransitionView; }

private:
    void animationDidStop();
    std::shared_ptr<UIImageView> makeTransitionView(CGRect frame, UIImagePtr image) const;

    std::shared_ptr<UIImageView> mOriginalImageViewContainerView;
    std::shared_ptr<UIImageView> mIntermediateTransitionView;
};
