#pragma once
// What the tips and the update notice share: full-screen, portrait-only pages of 320 by 436
// points side by side in a paging scroll view, a page control that follows the page shown,
// a welcome page and a close button. Texts come from the main bundle's own string table.

#include <memory>
#include <string>

#include "platform/ui/UIButton.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/hosting/UIPageControl.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "platform/ui/hosting/UIViewController.h"

class NoticePager : public UIViewController, public UIScrollViewDelegate {
public:
    explicit NoticePager(const std::string& nibName);
    ~NoticePager() override;

    static constexpr double kPageWidth = 320;
    static constexpr double kPageHeight = 436;

    // ---- Outlets, wired by the builder ----
    std::shared_ptr<UIScrollView> viewScroll;
    std::shared_ptr<UIPageControl> pgtClt;
    std::shared_ptr<UIButton> btnBack;
    std::shared_ptr<UIView> viewWelcome;
    std::shared_ptr<UILabel> lblWelcomeMid;

    int currentPageInd() const { return currentPageInd_; }

    void backButtonPressed();
    void scrollViewDidScroll(UIScrollView* scrollView) override;
    // The pages cover the status bar while they show; it comes back as it was.
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
        return o == UIInterfaceOrientationPortrait;
    }

protected:
    // A page view at the given position of the scroll view.
    std::shared_ptr<UIView> addPage(int position);
    // A multi-line text label on a page.
    static std::shared_ptr<UILabel> pageLabel(UIView& page, CGRect frame, const std::string& key, double size);
    // Sets the scroll view's content to the given number of pages and the page control's count.
    void setPageCount(int pages);
    void setCloseTitle(const std::string& key);
    // The close button's and the page control's place at the foot of the screen.
    static std::shared_ptr<UIView> buildFrame(NoticePager& pager);

    // Cancels the delayed advance of the tips (nothing for the notice).
    virtual void cancelPendingAdvance() {}

private:
    int currentPageInd_ = 0;
    bool statusBarWasHidden_ = false;
};
