#include "platform/ui/hosting/UIPopoverController.h"

#include <algorithm>
#include <array>

#include "platform/foundation/Log.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIBarButtonView.h"
#include "platform/ui/hosting/UIPopoverView.h"

namespace {
constexpr double kFadeDuration = 0.2;
constexpr double kScreenMargin = 10;
constexpr double kArrowInset = 10 + UIPopoverView::kArrowBase / 2;  // keeps the arrow off the corners

// Covers the interface behind the box: a touch on it is a tap outside, except
// over a pass-through view, which the hit test lets through.
class PopoverBackdrop : public UIView {
public:
    PopoverBackdrop(CGRect frame, UIPopoverController* owner) : UIView(frame), owner_(owner) {
        setOpaque(false);
        setBackgroundColor(UIColor::clearColor());
        setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    }
    void forget() { owner_ = nullptr; }
    UIView* hitTest(CGPoint point, UIEvent* event) override {
        if (!owner_ || isHidden() || !pointInside(point, event)) return nullptr;
        if (owner_->passesThrough(convertPointToView(point, nullptr))) return nullptr;
        return this;
    }
    void touchesBegan(const UITouchSet&, UIEvent*) override {
        if (owner_) owner_->tappedOutside();
    }

protected:
    void autoresizeWithOldSuperviewSize(CGSize oldSize) override {
        UIView::autoresizeWithOldSuperviewSize(oldSize);
        if (owner_ && superview() && superview()->bounds().size != oldSize) owner_->interfaceTurned();
    }

private:
    UIPopoverController* owner_;  // unretained; cleared by the owner before it goes
};

UIView* viewForItem(UIView* tree, const UIBarButtonItem* item) {
    if (auto* b = dynamic_cast<UIBarButtonView*>(tree); b && b->item() == item && !b->isHidden()) return b;
    for (const auto& sub : tree->subviews())
        if (UIView* found = viewForItem(sub.get(), item)) return found;
    return nullptr;
}

double clampTo(double v, double lo, double hi) { return hi < lo ? lo : std::clamp(v, lo, hi); }
}  // namespace

UIPopoverController::UIPopoverController(std::shared_ptr<UIViewController> contentViewController)
    : content_(std::move(contentViewController)) {}

UIPopoverController::~UIPopoverController() {
    if (content_ && content_->popoverController() == this) content_->setPopoverController(nullptr);
    if (auto* b = static_cast<PopoverBackdrop*>(backdrop_.get())) {
        b->forget();
        b->removeFromSuperview();
    }
    if (box_) box_->removeFromSuperview();
}

CGSize UIPopoverController::popoverContentSize() const {
    if (contentSize_.width > 0 && contentSize_.height > 0) return contentSize_;
    return content_ ? content_->contentSizeForViewInPopover() : CGSizeMake(320, 480);
}

void UIPopoverController::setPopoverContentSize(CGSize size, bool) {
    contentSize_ = size;
    if (visible_) place();
}

void UIPopoverController::setContentViewController(std::shared_ptr<UIViewController> controller, bool animated) {
    if (controller == content_) return;
    if (visible_ && content_) {
        content_->beginAppearance(false, animated);
        box_->setContentView(nullptr);
        content_->endAppearance();
    }
    if (content_ && content_->popoverController() == this) content_->setPopoverController(nullptr);
    content_ = std::move(controller);
    if (visible_ && content_) {
        content_->setPopoverController(this);
        content_->beginAppearance(true, animated);
        box_->setContentView(content_->viewPtr());
        place();
        content_->endAppearance();
    }
}

UIPopoverArrowDirection UIPopoverController::popoverArrowDirection() const {
    return visible_ && box_ ? box_->arrowDirection() : UIPopoverArrowDirectionUnknown;
}

bool UIPopoverController::passesThrough(CGPoint pointInWindow) const {
    for (UIView* v : passthrough_) {
        if (!v || !v->window() || v->isHidden()) continue;
        if (v->pointInside(v->convertPointFromView(pointInWindow, nullptr), nullptr)) return true;
    }
    return false;
}

void UIPopoverController::presentPopoverFromBarButtonItem(UIBarButtonItem* item, unsigned permitted, bool animated) {
    UIView* anchor = nullptr;
    if (item && item->customView() && item->customView()->window()) anchor = item->customView();
    UIWindow* key = UIApplication::sharedApplication().keyWindow();
    if (!anchor && item && key) anchor = viewForItem(key, item);
    if (!anchor) {
        NSLog("UIPopoverController: the bar button item is not on screen");
        return;
    }
    presentPopoverFromRect(anchor->bounds(), anchor, permitted, animated);
}

void UIPopoverController::presentPopoverFromRect(CGRect rect, UIView* view, unsigned permitted, bool animated) {
    if (!content_) return;
    UIView* root = view && view->window() ? UIViewController::interfaceRootView(view) : nullptr;
    if (!root) {
        NSLog("UIPopoverController: cannot present from a view that is not in a window");
        return;
    }
    anchor_ = view->convertRectToView(rect, root);
    permitted_ = (permitted & UIPopoverArrowDirectionAny) ? (permitted & UIPopoverArrowDirectionAny) : UIPopoverArrowDirectionAny;
    ++generation_;
    if (visible_ && root_ == root) {  // already up: move it
        place();
        return;
    }
    if (visible_) dismissPopoverAnimated(false);
    root_ = root;
    if (!backdrop_) backdrop_ = std::make_shared<PopoverBackdrop>(root->bounds(), this);
    backdrop_->setFrame(root->bounds());
    if (!box_) box_ = std::make_shared<UIPopoverView>();
    if (auto* owner = dynamic_cast<UIViewController*>(root->viewController())) content_->setInterfaceOrientationTree(owner->interfaceOrientation());
    content_->setPopoverController(this);
    content_->beginAppearance(true, animated);
    box_->setContentView(content_->viewPtr());
    root->addSubview(backdrop_);
    root->addSubview(box_);
    visible_ = true;
    place();
    std::weak_ptr<UIViewController> weakContent = content_;
    auto appeared = [weakContent](const std::string&, bool, void*) {
        if (auto c = weakContent.lock()) c->endAppearance();
    };
    if (animated) {
        box_->setAlpha(0);
        UIView::beginAnimations("UIPopoverPresent");
        UIView::setAnimationDuration(kFadeDuration);
        UIView::setAnimationDidStopSelector(appeared);
        box_->setAlpha(1);
        UIView::commitAnimations();
    } else {
        box_->setAlpha(1);
        appeared("", true, nullptr);
    }
}

void UIPopoverController::place() {
    if (!root_ || !box_) return;
    CGRect area = CGRectInset(root_->bounds(), kScreenMargin, kScreenMargin);
    CGSize want = popoverContentSize();
    CGRect a = anchor_;
    // Room for the box on each side of the anchor; the arrow on the top edge means the box is below.
    struct Side {
        UIPopoverArrowDirection dir;
        double room;
    };
    const std::array<Side, 4> sides{{
        {UIPopoverArrowDirectionUp, CGRectGetMaxY(area) - CGRectGetMaxY(a)},
        {UIPopoverArrowDirectionDown, CGRectGetMinY(a) - CGRectGetMinY(area)},
        {UIPopoverArrowDirectionLeft, CGRectGetMaxX(area) - CGRectGetMaxX(a)},
        {UIPopoverArrowDirectionRight, CGRectGetMinX(a) - CGRectGetMinX(area)},
    }};
    const Side* chosen = nullptr;
    double bestShare = -1;
    for (const Side& s : sides) {
        if (!(permitted_ & s.dir)) continue;
        CGSize need = UIPopoverView::sizeForContent(want, s.dir);
        bool vertical = s.dir == UIPopoverArrowDirectionUp || s.dir == UIPopoverArrowDirectionDown;
        double share = s.room / (vertical ? need.height : need.width);
        if (share >= 1) {  // the first side where it fits whole wins
            chosen = &s;
            break;
        }
        if (share > bestShare) {
            bestShare = share;
            chosen = &s;
        }
    }
    UIPopoverArrowDirection dir = chosen->dir;
    bool vertical = dir == UIPopoverArrowDirectionUp || dir == UIPopoverArrowDirectionDown;
    CGSize size = UIPopoverView::sizeForContent(want, dir);
    // Shrink to the room on the chosen side and to the area across it.
    double room = std::max(chosen->room, 0.0);
    if (vertical) {
        size.height = std::min(size.height, room);
        size.width = std::min(size.width, area.size.width);
    } else {
        size.width = std::min(size.width, room);
        size.height = std::min(size.height, area.size.height);
    }
    CGRect f;
    f.size = size;
    if (vertical) {
        f.origin.x = clampTo(CGRectGetMidX(a) - size.width / 2, area.origin.x, CGRectGetMaxX(area) - size.width);
        f.origin.y = dir == UIPopoverArrowDirectionUp ? CGRectGetMaxY(a) : CGRectGetMinY(a) - size.height;
        box_->setArrow(dir, clampTo(CGRectGetMidX(a) - f.origin.x, kArrowInset, size.width - kArrowInset));
    } else {
        f.origin.y = clampTo(CGRectGetMidY(a) - size.height / 2, area.origin.y, CGRectGetMaxY(area) - size.height);
        f.origin.x = dir == UIPopoverArrowDirectionLeft ? CGRectGetMaxX(a) : CGRectGetMinX(a) - size.width;
        box_->setArrow(dir, clampTo(CGRectGetMidY(a) - f.origin.y, kArrowInset, size.height - kArrowInset));
    }
    box_->setFrame(f);
    box_->setNeedsLayout();
    box_->layoutIfNeeded();
}

void UIPopoverController::tappedOutside() {
    if (!visible_) return;
    auto keep = shared_from_this();
    if (delegate_ && !delegate_->popoverControllerShouldDismissPopover(this)) return;
    dismissPopoverAnimated(true);
    if (delegate_) delegate_->popoverControllerDidDismissPopover(this);
}

void UIPopoverController::interfaceTurned() {
    if (!visible_) return;
    auto keep = shared_from_this();
    dismissPopoverAnimated(false);
    if (delegate_) delegate_->popoverControllerDidDismissPopover(this);
}

void UIPopoverController::dismissPopoverAnimated(bool animated) {
    if (!visible_) return;
    visible_ = false;
    // The backdrop goes at once so the next touch reaches the interface.
    if (backdrop_) backdrop_->removeFromSuperview();
    if (content_) content_->beginAppearance(false, animated);
    int generation = ++generation_;
    if (animated && box_) {
        std::weak_ptr<UIPopoverController> weakSelf = weak_from_this();
        UIView::beginAnimations("UIPopoverDismiss");
        UIView::setAnimationDuration(kFadeDuration);
        UIView::setAnimationDidStopSelector([weakSelf, generation](const std::string&, bool, void*) {
            auto self = weakSelf.lock();
            if (self && self->generation_ == generation) self->finishDismiss();
        });
        box_->setAlpha(0);
        UIView::commitAnimations();
    } else {
        finishDismiss();
    }
}

void UIPopoverController::finishDismiss() {
    if (box_) {
        box_->removeFromSuperview();
        box_->setContentView(nullptr);
    }
    root_ = nullptr;
    if (content_) {
        if (content_->popoverController() == this) content_->setPopoverController(nullptr);
        content_->endAppearance();
    }
}
