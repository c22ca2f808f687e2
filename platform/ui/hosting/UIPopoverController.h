#pragma once
// A tablet popover: shows a content controller's view in a framed box whose arrow
// points at a rectangle or a bar button item. A tap outside the box asks the
// delegate and dismisses it; touches on the pass-through views go to them instead.
// A turn of the interface closes it (what it pointed at has moved), and the delegate
// is told as after a tap outside.

#include <memory>
#include <vector>

#include "platform/ui/UIView.h"
#include "platform/ui/hosting/UIBarButtonItem.h"
#include "platform/ui/hosting/UIHostingTypes.h"
#include "platform/ui/hosting/UIViewController.h"

class UIPopoverController;
class UIPopoverView;

class UIPopoverControllerDelegate {
public:
    virtual ~UIPopoverControllerDelegate() = default;
    // Asked only for a tap outside; a dismissal in code is never asked.
    virtual bool popoverControllerShouldDismissPopover(UIPopoverController* popover) { return true; }
    // Told only after a dismissal by a tap outside or a turn.
    virtual void popoverControllerDidDismissPopover(UIPopoverController* popover) {}
};

class UIPopoverController : public std::enable_shared_from_this<UIPopoverController> {
public:
    // initWithContentViewController:
    explicit UIPopoverController(std::shared_ptr<UIViewController> contentViewController);
    ~UIPopoverController();
    UIPopoverController(const UIPopoverController&) = delete;
    UIPopoverController& operator=(const UIPopoverController&) = delete;

    UIPopoverControllerDelegate* delegate() const { return delegate_; }
    void setDelegate(UIPopoverControllerDelegate* d) { delegate_ = d; }  // unretained

    UIViewController* contentViewController() const { return content_.get(); }
    const std::shared_ptr<UIViewController>& contentViewControllerPtr() const { return content_; }
    void setContentViewController(std::shared_ptr<UIViewController> controller, bool animated = false);

    // The content controller's own size unless one was set here.
    CGSize popoverContentSize() const;
    void setPopoverContentSize(CGSize size, bool animated = false);

    // Unretained views that keep their touches while the popover is shown.
    const std::vector<UIView*>& passthroughViews() const { return passthrough_; }
    void setPassthroughViews(std::vector<UIView*> views) { passthrough_ = std::move(views); }

    bool isPopoverVisible() const { return visible_; }
    // The side the arrow took; Unknown while hidden.
    UIPopoverArrowDirection popoverArrowDirection() const;

    // `rect` is in `view`'s coordinates. Presenting again while shown moves the popover.
    void presentPopoverFromRect(CGRect rect, UIView* view, unsigned permittedArrowDirections, bool animated);
    void presentPopoverFromBarButtonItem(UIBarButtonItem* item, unsigned permittedArrowDirections, bool animated);
    void dismissPopoverAnimated(bool animated);

    // The framed box while shown (tests and layout).
    UIPopoverView* popoverView() const { return box_.get(); }

    // A tap outside the box (the backdrop's touch).
    void tappedOutside();
    // The interface it is shown in changed size (a turn).
    void interfaceTurned();
    bool passesThrough(CGPoint pointInWindow) const;

private:
    void place();
    void finishDismiss();
    std::shared_ptr<UIViewController> content_;
    UIPopoverControllerDelegate* delegate_ = nullptr;  // unretained
    CGSize contentSize_ = CGSizeZero;
    std::vector<UIView*> passthrough_;
    std::shared_ptr<UIView> backdrop_;
    std::shared_ptr<UIPopoverView> box_;
    UIView* root_ = nullptr;  // unretained: the interface root holding the box
    CGRect anchor_ = CGRectZero;  // in root_'s coordinates
    unsigned permitted_ = UIPopoverArrowDirectionAny;
    bool visible_ = false;
    int generation_ = 0;  // tells a finished fade-out from a newer presentation
};

using UIPopoverControllerPtr = std::shared_ptr<UIPopoverController>;
