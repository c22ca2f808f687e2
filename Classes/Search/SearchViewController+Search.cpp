// The search bar, the dimming overlay while it edits and the keyboard with the operator keys.
#include "Classes/Search/SearchViewController.h"

#include "platform/foundation/RunLoop.h"
#include "platform/foundation/StringUtils.h"
#include "platform/ui/hosting/UIKeyboard.h"

void SearchViewController::searchBarTextDidChange(UISearchBar*, const std::string&) {
    if (loadingResults_) cancelPreviousSearch_->store(true);
    RunLoop::main().cancelPreviousPerformRequests(this, "refreshViewWithRetry");
    RunLoop::main().performAfterDelay(this, 0.2, [this] { refreshViewWithRetry(); }, "refreshViewWithRetry");
}

void SearchViewController::searchBarTextDidBeginEditing(UISearchBar*) {
    showOpaqueView();
    useSavedSearchFromHistory_.reset();
    lastTranslationSearched_ = 0;
    isTextFilterResults_ = true;
}

void SearchViewController::searchBarTextDidEndEditing(UISearchBar* bar) {
    useSavedSearchFromHistory_.reset();
    hideOpaqueView();
    if (bar && !bar->text().empty()) {
        isTextFilterResults_ = true;
        addToRecentSearches();
    } else {
        isTextFilterResults_ = false;
    }
}

void SearchViewController::searchBarSearchButtonClicked(UISearchBar* bar) {
    const std::string text = bar ? bar->text() : std::string();
    if (text.empty() || !strLastSearchedWord_ || text != *strLastSearchedWord_) refreshViewWithRetry();
    if (bar) bar->resignFirstResponder();
    addToRecentSearches();
}

void SearchViewController::searchBarCancelButtonClicked(UISearchBar* bar) {
    isTextFilterResults_ = bar && !bar->text().empty();
    if (bar) bar->resignFirstResponder();
    refreshViewWithRetry();
}

void SearchViewController::showOpaqueView() {
    if (!viewOpaqueLayer) return;
    UIView::beginAnimations("Show Table");
    UIView::setAnimationDuration(0.3);
    viewOpaqueLayer->setUserInteractionEnabled(true);
    viewOpaqueLayer->setBackgroundColor(UIColor::blackColor());
    viewOpaqueLayer->setAlpha(0.2);
    UIView::commitAnimations();
}

void SearchViewController::hideOpaqueView() {
    // Giving up the keyboard ends the editing, which hides the overlay again.
    if (hidingOpaque_) return;
    hidingOpaque_ = true;
    if (viewOpaqueLayer) {
        UIView::beginAnimations("Show Table");
        UIView::setAnimationDuration(0.3);
        viewOpaqueLayer->setUserInteractionEnabled(false);
        viewOpaqueLayer->setAlpha(0);
        UIView::commitAnimations();
    }
    if (txtSearchBar && txtSearchBar->isFirstResponder()) txtSearchBar->resignFirstResponder();
    hidingOpaque_ = false;
}

void SearchViewController::keyboardWillShow() {
    if (!txtSearchBar || !txtSearchBar->isFirstResponder()) return;
    keyboardSize_ = UIKeyboard::userInfo().bounds.size;
    showHideKeyboard(true, true);
}

void SearchViewController::keyboardWillHide() {
    if (keyboardIsShowing_) showHideKeyboard(false, true);
}

void SearchViewController::showHideKeyboard(bool showing, bool animated) {
    // The state follows the notification's kind, so a repeated show never shrinks twice.
    if (showing == keyboardIsShowing_ || !tblSearchResults || !isViewLoaded()) return;
    keyboardIsShowing_ = showing;
    const double searchHeight = txtSearchBar ? txtSearchBar->frame().size.height : 0;
    const double d = keyboardSize_.height - tblSearchResults->frame().origin.x - searchHeight - 5;
    const CGRect bounds = view()->bounds();
    if (animated) {
        UIView::beginAnimations("Show Table");
        UIView::setAnimationDuration(0.3);
    }
    CGRect f = tblSearchResults->frame();
    f.size.height += showing ? -d : d;
    tblSearchResults->setFrame(f);
    if (viewSearchBar) {
        if (!viewSearchBar->superview()) view()->addSubview(viewSearchBar);
        const double y = showing ? bounds.size.height - keyboardSize_.height + 5 : bounds.size.height;
        viewSearchBar->setFrame(CGRectMake(0, y, bounds.size.width, 44));
    }
    if (animated) UIView::commitAnimations();
}
