#pragma once
// Shows an image (or its highlighted image) placed by the content mode; can
// also cycle through animation images on the run loop's clock.

#include <vector>

#include "platform/graphics/UIImage.h"
#include "platform/ui/UIView.h"

class NSTimer;

class UIImageView : public UIView {
public:
    explicit UIImageView(CGRect frame = CGRectZero);
    // initWithImage: the frame is the image's size at the origin.
    explicit UIImageView(UIImagePtr image);
    ~UIImageView() override;

    const UIImagePtr& image() const { return image_; }
    void setImage(UIImagePtr image);
    const UIImagePtr& highlightedImage() const { return highlightedImage_; }
    void setHighlightedImage(UIImagePtr image);
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);

    const std::vector<UIImagePtr>& animationImages() const { return animationImages_; }
    void setAnimationImages(std::vector<UIImagePtr> images);
    double animationDuration() const { return animationDuration_; }
    void setAnimationDuration(double seconds) { animationDuration_ = seconds; }
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const;

    // A new size draws the image again (stretchable images keep their caps).
    void setFrame(CGRect frame) override;
    void setBounds(CGRect bounds) override;
    void drawRect(CGRect rect) override;
    CGSize sizeThatFits(CGSize size) const override;

    // Where an image of `imageSize` goes in `bounds` for a content mode.
    static CGRect rectForContentMode(UIViewContentMode mode, CGSize imageSize, CGRect bounds);
    // The image on display now: the animation's frame, the highlighted image or the image.
    const UIImage* shownImage() const;

private:
    UIImagePtr image_;
    UIImagePtr highlightedImage_;
    bool highlighted_ = false;
    std::vector<UIImagePtr> animationImages_;
    double animationDuration_ = 0;
    size_t animationFrame_ = 0;
    std::shared_ptr<NSTimer> animationTimer_;
};

using UIImageViewPtr = std::shared_ptr<UIImageView>;
