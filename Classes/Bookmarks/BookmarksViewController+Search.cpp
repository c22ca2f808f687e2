// Filtering the bookmark list by its search bar, with the dimming overlay while it edits.
#include "Classes/Bookmarks/BookmarksViewController.h"

void BookmarksViewController::searchBarTextDidChange(UISearchBar*, const std::string&) { refreshViewWithRetry(); }

void BookmarksViewController::searchBarTextDidBeginEditing(UISearchBar*) {
    showOpaqueView();
    isTextFilterResults_ = true;
}

void BookmarksViewController::searchBarTextDidEndEditing(UISearchBar* bar) {
    hideOpaqueView();
    isTextFilterResults_ = bar && !bar->text().empty();
}

void BookmarksViewController::searchBarSearchButtonClicked(UISearchBar* bar) {
    refreshViewWithRetry();
    if (bar) bar->resignFirstResponder();
}

void BookmarksViewController::searchBarCancelButtonClicked(UISearchBar* bar) {
    isTextFilterResults_ = bar && !bar->text().empty();
    if (bar) bar->resignFirstResponder();
    refreshViewWithRetry();
}

void BookmarksViewController::showOpaqueView() {
    if (viewBgSearch) {
        viewBgSearch->setBackgroundColor(UIColor::blackColor());
        viewBgSearch->setAlpha(0);
    }
    UIView::beginAnimations("Show Table");
    UIView::setAnimationDuration(0.3);
    if (viewOpaqueLayer) {
        viewOpaqueLayer->setUserInteractionEnabled(true);
        viewOpaqueLayer->setBackgroundColor(UIColor::blackColor());
        viewOpaqueLayer->setAlpha(0.05);
    }
    if (viewBgSearch) viewBgSearch->setAlpha(0.05);
    UIView::commitAnimations();
}

void BookmarksViewController::hideOpaqueView() {
    // Giving up the keyboard ends the editing, which hides the overlay again.
    if (hidingOpaque_) return;
    hidingOpaque_ = true;
    UIView::beginAnimations("Show Table");
    UIView::setAnimationDuration(0.3);
    if (viewOpaqueLayer) {
        viewOpaqueLayer->setUserInteractionEnabled(false);
        viewOpaqueLayer->setAlpha(0);
    }
    if (viewBgSearch) viewBgSearch->setAlpha(0);
    UIView::commitAnimations();
    if (txtSearchBar && txtSearchBar->isFirstResponder()) txtSearchBar->resignFirstResponder();
    hidingOpaque_ = false;
}
