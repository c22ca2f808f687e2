#include "platform/ui/hosting/UIDialogView.h"

#include "platform/foundation/Log.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIViewController.h"

namespace {
constexpr double kPresentDuration = 0.3;

}  // namespace

UIDialogView::UIDialogView(CGRect frame) : UIView(frame) {
    setOpaque(false);
    setBackgroundColor(UIColor::clearColor());
    titleLabel_ = std::make_shared<UILabel>(CGRectZero);
    titleLabel_->setBackgroundColor(UIColor::clearColor());
    titleLabel_->setOpaque(false);
    titleLabel_->setTextColor(UIColor::whiteColor());
    titleLabel_->setTextAlignment(UITextAlignmentCenter);
    titleLabel_->setNumberOfLines(0);
    titleLabel_->setLineBreakMode(UILineBreakModeWordWrap);
    titleLabel_->setShadowColor(UIColor::colorWithWhite(0, 0.5));
    addSubview(titleLabel_);
}

UIDialogView::~UIDialogView() {
    if (visible_) UIApplication::sharedApplication().removeModalBlocker(this);
}

int UIDialogView::addButtonWithTitle(const std::string& title) {
    titles_.push_back(title);
    rebuildButtons();
    return numberOfButtons() - 1;
}

std::string UIDialogView::buttonTitleAtIndex(int index) const {
    if (index < 0 || index >= numberOfButtons()) return {};
    return titles_[static_cast<size_t>(index)];
}

void UIDialogView::setCancelButtonIndex(int index) {
    cancelIndex_ = index;
    rebuildButtons();
}

int UIDialogView::firstOtherButtonIndex() const {
    for (int i = 0; i < numberOfButtons(); ++i)
        if (i != cancelIndex_ && i != destructiveIndex_) return i;
    return -1;
}

void UIDialogView::setTitle(const std::string& title) {
    titleLabel_->setText(title);
    setNeedsLayout();
}

UIButton* UIDialogView::buttonAtIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(buttonViews_.size())) return nullptr;
    return buttonViews_[static_cast<size_t>(index)].get();
}

void UIDialogView::rebuildButtons() {
    for (auto& b : buttonViews_) b->removeFromSuperview();
    buttonViews_.clear();
    for (int i = 0; i < numberOfButtons(); ++i) {
        auto b = std::make_shared<UIButton>(CGRectZero);
        b->setTitle(titles_[static_cast<size_t>(i)], UIControlStateNormal);
        styleButton(*b, i);
        b->addTarget(this, [this, i](UIControl*, UIEvent*) { clickButtonAtIndex(i); }, UIControlEventTouchUpInside);
        buttonContainer(i).addSubview(b);
        buttonViews_.push_back(b);
    }
    setNeedsLayout();
}

void UIDialogView::present(UIView* anchor) {
    if (visible_) return;
    UIView* root = UIViewController::interfaceRootView(anchor);
    if (!root) {
        NSLog("UIDialogView: there is no window to show the dialog in");
        return;
    }
    auto self = shared_from_this();
    notifyWillPresent();
    CGRect container = root->bounds();
    dimmer_ = std::make_shared<UIView>(container);
    dimmer_->setBackgroundColor(UIColor::colorWithWhite(0, 0.4));
    dimmer_->setOpaque(false);
    dimmer_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(dimmer_);
    CGRect finalFrame = layoutIn(container);
    root->addSubview(self);
    visible_ = true;
    UIApplication::sharedApplication().pushModalBlocker(this);
    dimmer_->setAlpha(0);
    if (slidesUp()) setFrame(CGRectMake(finalFrame.origin.x, CGRectGetMaxY(container), finalFrame.size.width, finalFrame.size.height));
    else setAlpha(0);
    UIView::beginAnimations("UIDialogPresent");
    UIView::setAnimationDuration(kPresentDuration);
    std::weak_ptr<UIView> weakSelf = self;
    UIView::setAnimationDidStopSelector([weakSelf](const std::string&, bool, void*) {
        if (auto s = std::static_pointer_cast<UIDialogView>(weakSelf.lock())) s->notifyDidPresent();
    });
    dimmer_->setAlpha(1);
    setFrame(finalFrame);
    setAlpha(1);
    UIView::commitAnimations();
}

void UIDialogView::autoresizeWithOldSuperviewSize(CGSize) {
    // A dismissing dialog keeps its way out.
    if (!visible_ || dismissing_ || !superview()) return;
    setFrame(layoutIn(superview()->bounds()));
}

void UIDialogView::clickButtonAtIndex(int index) {
    if (!visible_ || dismissing_) return;
    auto keep = shared_from_this();
    notifyClicked(index);
    dismissWithClickedButtonIndex(index, true);
}

void UIDialogView::dismissWithClickedButtonIndex(int index, bool animated) {
    if (!visible_ || dismissing_) return;
    dismissing_ = true;
    auto self = std::static_pointer_cast<UIDialogView>(shared_from_this());
    notifyWillDismiss(index);
    UIApplication::sharedApplication().removeModalBlocker(this);
    std::weak_ptr<UIView> weakSelf = self;
    auto finish = [weakSelf, index](const std::string&, bool, void*) {
        auto self = std::static_pointer_cast<UIDialogView>(weakSelf.lock());
        if (!self) return;
        if (self->dimmer_) self->dimmer_->removeFromSuperview();
        self->dimmer_.reset();
        self->removeFromSuperview();
        self->visible_ = false;
        self->dismissing_ = false;
        self->notifyDidDismiss(index);
    };
    if (animated && superview()) {
        CGRect container = superview()->bounds();
        UIView::beginAnimations("UIDialogDismiss");
        UIView::setAnimationDuration(kPresentDuration);
        UIView::setAnimationDidStopSelector(finish);
        if (slidesUp()) setFrame(CGRectMake(frame().origin.x, CGRectGetMaxY(container), frame().size.width, frame().size.height));
        else setAlpha(0);
        if (dimmer_) dimmer_->setAlpha(0);
        UIView::commitAnimations();
    } else {
        finish("", true, nullptr);
    }
}
