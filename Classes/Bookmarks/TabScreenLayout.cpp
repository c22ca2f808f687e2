#include "Classes/Bookmarks/TabScreenLayout.h"

#include "platform/text/UIFont.h"
#include "platform/ui/UIScreen.h"

TabScreenLayout TabScreenLayout::make(double titleInset) {
    constexpr unsigned kFlexibleSize = UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight;
    TabScreenLayout layout;
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    frame.origin = CGPointMake(0, 0);
    const double w = layout.width = frame.size.width;
    layout.height = frame.size.height;
    layout.root = std::make_shared<UIView>(frame);
    layout.root->setAutoresizingMask(kFlexibleSize);
    layout.root->setBackgroundColor(UIColor::colorWithRed(0.96, 0.93, 0.86, 1));
    layout.background = std::make_shared<UIImageView>(CGRectMake(0, 0, w, layout.height));
    layout.background->setAutoresizingMask(kFlexibleSize);
    layout.root->addSubview(layout.background);

    layout.topBar = std::make_shared<UIView>(CGRectMake(0, 0, w, kTopBarHeight));
    layout.topBar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    layout.topBarImage = std::make_shared<UIImageView>(CGRectMake(0, 0, w, kTopBarHeight));
    layout.topBarImage->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    layout.topBar->addSubview(layout.topBarImage);
    layout.title = std::make_shared<UILabel>(CGRectMake(titleInset, 0, w - 2 * titleInset, kTopBarHeight));
    layout.title->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    layout.title->setTextAlignment(UITextAlignmentCenter);
    layout.title->setFont(UIFont::fontWithName("Helvetica-Bold", 18));
    layout.title->setBackgroundColor(UIColor::clearColor());
    layout.title->setTextColor(UIColor::colorWithRed(0.33, 0.24, 0.10, 1));
    layout.title->setShadowColor(UIColor::colorWithWhite(1, 0.6));
    layout.title->setShadowOffset(CGSizeMake(0, 1));
    layout.topBar->addSubview(layout.title);
    return layout;
}

std::shared_ptr<UIButton> TabScreenLayout::addBackButton(UIResponder* owner, std::function<void()> action) const {
    auto button = std::make_shared<UIButton>(CGRectMake(6, 7, 62, 30));
    button->setFont(UIFont::fontWithName("Helvetica-Bold", 12));
    button->setTitleColor(UIColor::whiteColor(), UIControlStateNormal);
    button->setTitleEdgeInsets(UIEdgeInsetsMake(0, 8, 0, 0));
    button->addTarget(owner, [action = std::move(action)](UIControl*, UIEvent*) { action(); }, UIControlEventTouchUpInside);
    topBar->addSubview(button);
    return button;
}
