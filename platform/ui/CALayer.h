#pragma once
// The view's layer: explicit (keyed) opacity animations, image contents,
// border and corner radius. Every view owns one; reach it with view.layer().

#include <cmath>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/UIColor.h"

class UIImage;
class UIView;

// An animation of one layer property from a value to another. Only "opacity"
// is animated; other key paths are accepted and ignored (logged).
struct CABasicAnimation {
    std::string keyPath;
    double fromValue = 0;
    double toValue = 0;
    double duration = 0.25;
    bool autoreverses = false;
    // Number of cycles; HUGE_VALF or any infinite value repeats forever.
    double repeatCount = 0;
    // Kept on the layer once finished (removedOnCompletion = NO).
    bool removedOnCompletion = true;

    static CABasicAnimation animationWithKeyPath(const std::string& keyPath) {
        CABasicAnimation a;
        a.keyPath = keyPath;
        return a;
    }
};

class CALayer {
public:
    explicit CALayer(UIView* owner) : owner_(owner) {}
    ~CALayer();
    CALayer(const CALayer&) = delete;
    CALayer& operator=(const CALayer&) = delete;

    // Replaces an animation with the same key; it starts now on the run loop's clock.
    void addAnimation(const CABasicAnimation& animation, const std::string& key);
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();
    bool hasAnimationForKey(const std::string& key) const;
    std::vector<std::string> animationKeys() const;
    bool hasRunningAnimations() const;

    // The opacity on screen now: the model alpha, unless an opacity animation runs.
    double presentationOpacity(double modelOpacity) const;

    // Image contents drawn over the background, scaled to the bounds.
    const std::shared_ptr<UIImage>& contents() const { return contents_; }
    void setContents(std::shared_ptr<UIImage> image);
    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double r);
    double borderWidth() const { return borderWidth_; }
    void setBorderWidth(double w);
    const UIColorPtr& borderColor() const { return borderColor_; }
    void setBorderColor(UIColorPtr c);
    // Same as the view's clipsToBounds.
    bool masksToBounds() const;
    void setMasksToBounds(bool on);

private:
    struct Running {
        CABasicAnimation animation;
        double start = 0;
    };
    void changed() const;
    UIView* owner_;  // unretained: the layer is a member of its view
    std::map<std::string, Running> animations_;
    std::shared_ptr<UIImage> contents_;
    double cornerRadius_ = 0;
    double borderWidth_ = 0;
    UIColorPtr borderColor_;
};
