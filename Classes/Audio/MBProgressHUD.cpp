#include "Classes/Audio/MBProgressHUD.h"

#include <cmath>
#include <stdexcept>

#include "Classes/Audio/MBRoundProgressView.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/Thread.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGGradient.h"
#include "platform/graphics/UIColor.h"
#include "platform/text/StringDrawing.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIWindow.h"

namespace {

constexpr double kPadding = 4;
constexpr double kFadeSeconds = 0.3;
constexpr double kCornerRadius = 10;

bool isWindow(UIView* view) { return dynamic_cast<UIWindow*>(view) != nullptr; }

}  // namespace

std::shared_ptr<MBProgressHUD> MBProgressHUD::initWithView(UIView* view) {
    if (!view)
        throw std::invalid_argument(
            "MBProgressHUDViewIsNillException: The view used in the MBProgressHUD initializer is nil.");
    auto hud = std::make_shared<MBProgressHUD>(view->bounds());
    // Over a window the HUD turns with the device.
    if (isWindow(view)) hud->setTransformForCurrentOrientation(false);
    std::weak_ptr<MBProgressHUD> weak = hud;
    NSNotificationCenter::defaultCenter().addObserver(hud.get(), UIDeviceOrientationDidChangeNotification, [weak] {
        auto self = weak.lock();
        if (self && isWindow(self->superview())) self->setTransformForCurrentOrientation(true);
    });
    return hud;
}

std::shared_ptr<MBProgressHUD> MBProgressHUD::initWithWindow(UIWindow* window) { return initWithView(window); }

MBProgressHUD::MBProgressHUD(CGRect frame) : UIView(frame) {
    labelFont_ = UIFont::boldSystemFontOfSize(16);
    detailsLabelFont_ = UIFont::boldSystemFontOfSize(12);
    setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin |
                        UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    setAlpha(0);
    label_ = std::make_shared<UILabel>(bounds());
    detailsLabel_ = std::make_shared<UILabel>(bounds());
    updateIndicators();
}

MBProgressHUD::~MBProgressHUD() {
    *alive_ = false;
    NSNotificationCenter::defaultCenter().removeObserver(this);
    cancelTimers();
}

void MBProgressHUD::cancelTimers() {
    if (graceTimer_) RunLoop::main().cancelTimer(graceTimer_);
    if (minShowTimer_) RunLoop::main().cancelTimer(minShowTimer_);
    graceTimer_ = minShowTimer_ = 0;
}

std::shared_ptr<MBProgressHUD> MBProgressHUD::showHUDAddedTo(UIView* view, bool animated) {
    auto hud = initWithView(view);
    view->addSubview(hud);
    hud->show(animated);
    return hud;
}

bool MBProgressHUD::hideHUDForView(UIView* view, bool animated) {
    if (!view) return false;
    const auto& children = view->subviews();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (auto hud = std::dynamic_pointer_cast<MBProgressHUD>(*it)) {
            hud->setRemoveFromSuperViewOnHide(true);
            hud->hide(animated);
            return true;
        }
    }
    return false;
}

void MBProgressHUD::onMain(std::function<void()> work) {
    if (RunLoop::main().isMainThread()) {
        work();
        return;
    }
    RunLoop::main().post([alive = alive_, work = std::move(work)] {
        if (*alive) work();
    });
}

// ---- Properties set from any thread ----

void MBProgressHUD::setMode(int mode) {
    onMain([this, mode] {
        if (mode == mode_ && mode_ != MBProgressHUDModeIndeterminate) return;
        mode_ = mode;
        updateIndicators();
        setNeedsLayout();
        setNeedsDisplay();
    });
}

void MBProgressHUD::setLabelText(const std::string& text) {
    onMain([this, text] {
        labelText_ = text;
        setNeedsLayout();
        setNeedsDisplay();
    });
}

void MBProgressHUD::setDetailsLabelText(const std::string& text) {
    onMain([this, text] {
        detailsLabelText_ = text;
        setNeedsLayout();
        setNeedsDisplay();
    });
}

void MBProgressHUD::setProgress(float progress) {
    onMain([this, progress] {
        progress_ = progress;
        if (mode_ != MBProgressHUDModeDeterminate) return;
        if (auto* pie = dynamic_cast<MBRoundProgressView*>(indicator_.get())) pie->setProgress(progress);
        setNeedsDisplay();
    });
}

void MBProgressHUD::updateIndicators() {
    if (indicator_) indicator_->removeFromSuperview();
    if (mode_ == MBProgressHUDModeCustomView && customView_) {
        indicator_ = customView_;
    } else if (mode_ == MBProgressHUDModeDeterminate) {
        indicator_ = std::make_shared<MBRoundProgressView>();
    } else {
        auto spinner = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleWhiteLarge);
        spinner->startAnimating();
        indicator_ = spinner;
    }
    addSubview(indicator_);
}

// ---- Layout and drawing ----

void MBProgressHUD::layoutSubviews() {
    const CGRect frame = bounds();
    CGRect ind = indicator_->bounds();
    width_ = static_cast<float>(ind.size.width + 2 * margin_);
    height_ = static_cast<float>(ind.size.height + 2 * margin_);
    ind.origin.x = std::floor((frame.size.width - ind.size.width) / 2) + xOffset_;
    ind.origin.y = std::floor((frame.size.height - ind.size.height) / 2) + yOffset_;

    // A line of text: its measured size, narrowed to the view less four margins when too wide.
    auto lineSize = [&](const std::string& text, const UIFont& font) {
        CGSize size = sizeWithFont(text, font);
        if (size.width > frame.size.width - 2 * margin_) size.width = frame.size.width - 4 * margin_;
        return size;
    };
    auto styleLabel = [](UILabel& label, const UIFontPtr& font, const std::string& text) {
        label.setFont(font);
        label.setAdjustsFontSizeToFitWidth(false);
        label.setTextAlignment(UITextAlignmentCenter);
        label.setOpaque(false);
        label.setBackgroundColor(UIColor::clearColor());
        label.setTextColor(UIColor::whiteColor());
        label.setText(text);
    };

    label_->removeFromSuperview();
    detailsLabel_->removeFromSuperview();
    if (labelText_) {
        const CGSize dims = lineSize(*labelText_, *labelFont_);
        styleLabel(*label_, labelFont_, *labelText_);
        if (width_ < dims.width + 2 * margin_) width_ = static_cast<float>(dims.width + 2 * margin_);
        height_ += static_cast<float>(dims.height + kPadding);
        ind.origin.y -= std::floor(dims.height / 2 + kPadding / 2);
        CGRect lab = CGRectMake(std::floor((frame.size.width - dims.width) / 2) + xOffset_,
                                std::floor(ind.origin.y + ind.size.height + kPadding), dims.width, dims.height);
        addSubview(label_);

        if (detailsLabelText_) {
            const CGSize d2 = lineSize(*detailsLabelText_, *detailsLabelFont_);
            styleLabel(*detailsLabel_, detailsLabelFont_, *detailsLabelText_);
            // Widened only past the panel's present width, as the component always did.
            if (width_ < d2.width) width_ = static_cast<float>(d2.width + 2 * margin_);
            height_ += static_cast<float>(d2.height + kPadding);
            const double up = std::floor(d2.height / 2 + kPadding / 2);
            ind.origin.y -= up;
            lab.origin.y -= up;
            detailsLabel_->setFrame(CGRectMake(std::floor((frame.size.width - d2.width) / 2) + xOffset_,
                                               lab.origin.y + dims.height + kPadding, d2.width, d2.height));
            addSubview(detailsLabel_);
        }
        label_->setFrame(lab);
    }
    indicator_->setFrame(ind);
    if (width_ < minSize_.width) width_ = static_cast<float>(minSize_.width);
    if (height_ < minSize_.height) height_ = static_cast<float>(minSize_.height);
}

CGRect MBProgressHUD::panelRect() const {
    const CGRect b = bounds();
    return CGRectMake(std::round((b.size.width - width_) / 2) + xOffset_, std::round((b.size.height - height_) / 2) + yOffset_,
                      width_, height_);
}

void MBProgressHUD::drawRect(CGRect) {
    CGContext* context = UIGraphicsGetCurrentContext();
    if (!context) return;
    const CGRect b = bounds();
    if (dimBackground_) {
        auto gradient = CGGradient::createWithColorComponents({0, 0, 0, 0, 0, 0, 0, 0.75}, {0, 1});
        const CGPoint centre = CGPointMake(b.size.width / 2, b.size.height / 2);
        context->drawRadialGradient(*gradient, centre, 0, centre, std::min(b.size.width, b.size.height),
                                    kCGGradientDrawsAfterEndLocation);
    }
    context->setGrayFillColor(0, opacity_);
    context->beginPath();
    context->addRoundedRect(panelRect(), kCornerRadius);
    context->fillPath();
}

// ---- Showing and hiding ----

void MBProgressHUD::show(bool animated) {
    useAnimation_ = animated;
    if (graceTime_ > 0) {
        if (graceTimer_) RunLoop::main().cancelTimer(graceTimer_);
        graceTimer_ = RunLoop::main().addTimer(graceTime_, [this] {
            graceTimer_ = 0;
            // Only work the HUD runs itself can still be going after the grace time.
            if (taskInProgress_) {
                setNeedsDisplay();
                showUsingAnimation(useAnimation_);
            }
        }, this, "graceTimer");
        return;
    }
    setNeedsDisplay();
    showUsingAnimation(useAnimation_);
}

void MBProgressHUD::hide(bool animated) {
    useAnimation_ = animated;
    if (minShowTime_ > 0 && showStarted_) {
        const double shown = NSDate::date().timeIntervalSinceDate(*showStarted_);
        if (shown < minShowTime_) {
            if (minShowTimer_) RunLoop::main().cancelTimer(minShowTimer_);
            minShowTimer_ = RunLoop::main().addTimer(minShowTime_ - shown, [this] {
                minShowTimer_ = 0;
                hideUsingAnimation(useAnimation_);
            }, this, "minShowTimer");
            return;
        }
    }
    hideUsingAnimation(useAnimation_);
}

void MBProgressHUD::hide(bool animated, double afterDelay) {
    RunLoop::main().performAfterDelay(this, afterDelay, [this, animated] { hide(animated); }, "hideDelayed");
}

void MBProgressHUD::showUsingAnimation(bool animated) {
    if (animated) {
        setAlpha(0);
        if (animationType_ == MBProgressHUDAnimationZoom)
            setTransform(CGAffineTransformScale(rotationTransform_, 1.5, 1.5));
        showStarted_ = NSDate::date();
        UIView::beginAnimations("");
        UIView::setAnimationDuration(kFadeSeconds);
        setAlpha(1);
        if (animationType_ == MBProgressHUDAnimationZoom) setTransform(rotationTransform_);
        UIView::commitAnimations();
    } else {
        showStarted_ = NSDate::date();
        setAlpha(1);
    }
}

void MBProgressHUD::hideUsingAnimation(bool animated) {
    if (animated && showStarted_) {
        UIView::beginAnimations("");
        UIView::setAnimationDuration(kFadeSeconds);
        UIView::setAnimationDidStopSelector([weak = std::weak_ptr<UIView>(shared_from_this())](const std::string&, bool, void*) {
            if (auto self = std::static_pointer_cast<MBProgressHUD>(weak.lock())) self->done();
        });
        if (animationType_ == MBProgressHUDAnimationZoom) setTransform(CGAffineTransformScale(rotationTransform_, 0.5, 0.5));
        setAlpha(0.02);
        UIView::commitAnimations();
    } else {
        setAlpha(0);
        done();
    }
    showStarted_.reset();
}

void MBProgressHUD::done() {
    if (isFinished_) return;
    isFinished_ = true;
    setAlpha(0);
    // Keep the HUD alive through the delegate's release of it.
    auto self = shared_from_this();
    if (delegate_) {
        if (delegate_->respondsToHudWasHiddenWithHUD())
            delegate_->hudWasHidden(this);
        else if (delegate_->respondsToHudWasHidden())
            delegate_->hudWasHidden();
    }
    if (removeFromSuperViewOnHide_) removeFromSuperview();
}

void MBProgressHUD::showWhileExecuting(std::function<void()> work, bool animated) {
    taskInProgress_ = true;
    auto self = std::static_pointer_cast<MBProgressHUD>(shared_from_this());
    detachNewThread([self, work = std::move(work)]() mutable {
        work();
        // The HUD is a view: the worker's reference goes to the main thread with the clean-up,
        // so the HUD is never destroyed on the worker.
        RunLoop::main().post([self = std::move(self)] { self->cleanUp(); });
    }, "hud-task");
    show(animated);
}

void MBProgressHUD::cleanUp() {
    taskInProgress_ = false;
    if (indicator_) indicator_->removeFromSuperview();
    indicator_ = std::make_shared<UIView>(CGRectZero);
    hide(useAnimation_);
}

// ---- Rotation over a window ----

void MBProgressHUD::setTransformForCurrentOrientation(bool animated) {
    if (UIView* parent = superview()) {
        setBounds(parent->bounds());
        setNeedsDisplay();
    }
    const UIInterfaceOrientation orientation = UIApplication::sharedApplication().statusBarOrientation();
    double degrees = 0;
    if (orientation == UIInterfaceOrientationLandscapeLeft || orientation == UIInterfaceOrientationLandscapeRight) {
        const CGRect b = bounds();
        setBounds(CGRectMake(0, 0, b.size.height, b.size.width));
        degrees = orientation == UIInterfaceOrientationLandscapeRight ? 90 : -90;
    } else if (orientation == UIInterfaceOrientationPortraitUpsideDown) {
        degrees = 180;
    }
    rotationTransform_ = CGAffineTransformMakeRotation(degrees * M_PI / 180);
    if (animated) UIView::beginAnimations("");
    setTransform(rotationTransform_);
    if (animated) UIView::commitAnimations();
}
