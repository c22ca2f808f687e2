#include "platform/ui/CALayer.h"

#include <cmath>

#include "platform/foundation/Log.h"
#include "platform/foundation/RunLoop.h"
#include "platform/ui/Compositor.h"
#include "platform/ui/UIView.h"
#include "platform/ui/ViewAnimator.h"

namespace {
double cycleLength(const CABasicAnimation& a) { return a.duration * (a.autoreverses ? 2 : 1); }
bool repeatsForever(const CABasicAnimation& a) { return std::isinf(a.repeatCount) || a.repeatCount > 1e9; }
double activeLength(const CABasicAnimation& a)
{
    if (repeatsForever(a)) return INFINITY;
    return cycleLength(a) * (a.repeatCount > 0 ? a.repeatCount : 1);
}
}  // namespace

CALayer::~CALayer()
{
    ViewAnimator::shared().layerAnimating(this, false);
}

void CALayer::changed() const
{
    ViewAnimator::shared().layerAnimating(this, hasRunningAnimations());
    Compositor::setNeedsFrame();
}

void CALayer::addAnimation(const CABasicAnimation& animation, const std::string& key)
{
    if (animation.keyPath != "opacity") {
        NSLog("layer animation of \"%@\" is not supported", animation.keyPath);
        return;
    }
    animations_[key] = Running{animation, RunLoop::main().now()};
    changed();
}

void CALayer::removeAnimationForKey(const std::string& key)
{
    animations_.erase(key);
    changed();
}

void CALayer::removeAllAnimations()
{
    if (animations_.empty()) return;
    animations_.clear();
    changed();
}

bool CALayer::hasAnimationForKey(const std::string& key) const
{
    return animations_.count(key) > 0;
}

std::vector<std::string> CALayer::animationKeys() const
{
    std::vector<std::string> keys;
    for (auto& [k, v] : animations_) keys.push_back(k);
    return keys;
}

bool CALayer::hasRunningAnimations() const
{
    double t = RunLoop::main().now();
    for (auto& [k, r] : animations_)
        if (t - r.start < activeLength(r.animation)) return true;
    return false;
}

double CALayer::presentationOpacity(double modelOpacity) const
{
    double t = RunLoop::main().now();
    double value = modelOpacity;
    for (auto& [k, r] : animations_) {
        const auto& a = r.animation;
        double elapsed = t - r.start;
        if (elapsed >= activeLength(a)) {
            if (!a.removedOnCompletion) value = a.autoreverses ? a.fromValue : a.toValue;
            continue;
        }
        if (a.duration <= 0) continue;
        double inCycle = std::fmod(elapsed, cycleLength(a)) / a.duration;
        double p = inCycle <= 1 ? inCycle : 2 - inCycle;
        value = a.fromValue + (a.toValue - a.fromValue) * p;
    }
    return value;
}

void CALayer::setContents(std::shared_ptr<UIImage> image)
{
    contents_ = std::move(image);
    Compositor::setNeedsFrame();
}

void CALayer::setCornerRadius(double r)
{
    cornerRadius_ = r;
    Compositor::setNeedsFrame();
}

void CALayer::setBorderWidth(double w)
{
    borderWidth_ = w;
    Compositor::setNeedsFrame();
}

void CALayer::setBorderColor(UIColorPtr c)
{
    borderColor_ = std::move(c);
    Compositor::setNeedsFrame();
}

bool CALayer::masksToBounds() const
{
    return owner_->clipsToBounds();
}

void CALayer::setMasksToBounds(bool on)
{
    owner_->setClipsToBounds(on);
}
