// The tablet's popover: the reading screen shows its pickers in one popover it keeps.

#include "Classes/Reading/SurahViewController.h"

UIPopoverController& SurahViewController::createPopoverViewWithController(std::shared_ptr<UIViewController> controller) {
    if (popoverView_) {
        popoverView_->setPassthroughViews({});
        popoverView_->setContentViewController(std::move(controller));
    } else {
        popoverView_ = std::make_shared<UIPopoverController>(std::move(controller));
        popoverView_->setDelegate(this);
    }
    return *popoverView_;
}

void SurahViewController::popoverControllerDidDismissPopover(UIPopoverController*) {
    if (showingDialControl_) hideDialControl();
    isShowingSurahInfo_ = false;
    playOptionsPopoverDismissed();
}
