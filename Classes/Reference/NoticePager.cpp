#include "Classes/Reference/NoticePager.h"

#include <cmath>

#include "Classes/Core/Language.h"
#include "platform/foundation/RunLoop.h"
#include "platform/graphics/UIImage.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIScreen.h"

NoticePager::NoticePager(const std::string& nibName) : UIViewController(nibName) { setWantsFullScreenLayout(true); }

NoticePager::~NoticePager() {
    RunLoop::main().cancelPreviousPerformRequests(this);
    if (viewScroll) viewScroll->setDelegate(nullptr);
}

std::shared_ptr<UIView> NoticePager::buildFrame(NoticePager& pager) {
    CGRect frame = UIScreen::mainScreen().bounds();
    frame.origin = CGPointMake(0, 0);
    const double w = frame.size.width, h = frame.size.height;
    auto root = std::make_shared<UIView>(frame);
    root->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));
    auto paper = std::make_shared<UIImageView>(frame);
    paper->setImage(UIImage::imageNamed("bk-bmg-bg.png.png"));
    paper->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    root->addSubview(paper);

    const double left = std::floor((w - kPageWidth) / 2);
    pager.viewScroll = std::make_shared<UIScrollView>(CGRectMake(left, 0, kPageWidth, kPageHeight));
    pager.viewScroll->setPagingEnabled(true);
    pager.viewScroll->setShowsHorizontalScrollIndicator(false);
    pager.viewScroll->setDelegate(&pager);
    pager.viewScroll->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    root->addSubview(pager.viewScroll);

    pager.pgtClt = std::make_shared<UIPageControl>(CGRectMake(left, kPageHeight, kPageWidth, 16));
    pager.pgtClt->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
    root->addSubview(pager.pgtClt);

    pager.btnBack = std::make_shared<UIButton>(CGRectMake(std::floor((w - 200) / 2), h - 34, 200, 30));
    pager.btnBack->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin |
                                       UIViewAutoresizingFlexibleTopMargin);
    pager.btnBack->setFont(UIFont::fontWithName("Helvetica-Bold", 14));
    pager.btnBack->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    if (UIImagePtr button = UIImage::imageNamed("black-button.png"))
        pager.btnBack->setBackgroundImage(button->stretchableImageWithLeftCapWidth(16, 0), UIControlStateNormal);
    if (UIImagePtr button = UIImage::imageNamed("black-button-t.png"))
        pager.btnBack->setBackgroundImage(button->stretchableImageWithLeftCapWidth(16, 0), UIControlStateHighlighted);
    pager.btnBack->addTarget(&pager, [&pager](UIControl*, UIEvent*) { pager.backButtonPressed(); },
                             UIControlEventTouchUpInside);
    root->addSubview(pager.btnBack);
    return root;
}

std::shared_ptr<UIView> NoticePager::addPage(int position) {
    auto page = std::make_shared<UIView>(CGRectMake(position * kPageWidth, 0, kPageWidth, kPageHeight));
    page->setBackgroundColor(UIColor::clearColor());
    if (viewScroll) viewScroll->addSubview(page);
    return page;
}

std::shared_ptr<UILabel> NoticePager::pageLabel(UIView& page, CGRect frame, const std::string& key, double size) {
    auto label = std::make_shared<UILabel>(frame);
    label->setNumberOfLines(0);
    label->setFont(UIFont::fontWithName("Helvetica", size));
    label->setTextColor(UIColor::colorWithRed(0.33, 0.24, 0.10, 1));
    label->setBackgroundColor(UIColor::clearColor());
    label->setTextAlignment(UITextAlignmentCenter);
    label->setText(Language::bundleString(key));
    page.addSubview(label);
    return label;
}

void NoticePager::setPageCount(int pages) {
    if (viewScroll) viewScroll->setContentSize(CGSizeMake(kPageWidth * pages, kPageHeight));
    if (pgtClt) pgtClt->setNumberOfPages(pages);
}

void NoticePager::setCloseTitle(const std::string& key) {
    if (!btnBack) return;
    const std::string title = Language::bundleString(key);
    btnBack->setTitle(title, UIControlStateNormal);
    btnBack->setTitle(title, UIControlStateHighlighted);
}

void NoticePager::scrollViewDidScroll(UIScrollView* scrollView) {
    const double width = scrollView->frame().size.width;
    if (width <= 0) return;
    const int page = static_cast<int>((scrollView->contentOffset().x + 10) / width);
    if (page == currentPageInd_) return;
    cancelPendingAdvance();
    if (pgtClt) pgtClt->setCurrentPage(page);
    currentPageInd_ = page;
}

void NoticePager::backButtonPressed() {
    cancelPendingAdvance();
    dismissModalViewControllerAnimated(true);
}

void NoticePager::viewWillAppear(bool animated) {
    statusBarWasHidden_ = UIApplication::sharedApplication().isStatusBarHidden();
    UIApplication::sharedApplication().setStatusBarHidden(true, animated);
}

void NoticePager::viewWillDisappear(bool animated) {
    UIApplication::sharedApplication().setStatusBarHidden(statusBarWasHidden_, animated);
}
