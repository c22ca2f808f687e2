#include "platform/ui/UIScreen.h"

#include "platform/graphics/CGContext.h"
#include "platform/ui/UIApplication.h"

UIScreen& UIScreen::mainScreen()
{
    static UIScreen screen;
    return screen;
}

CGRect UIScreen::bounds() const
{
    return CGRectMake(0, 0, size_.width, size_.height);
}

CGRect UIScreen::applicationFrame() const
{
    CGRect b = bounds();
    auto& app = UIApplication::sharedApplication();
    if (app.isStatusBarHidden()) return b;
    const double bar = 20;
    switch (app.statusBarOrientation()) {
    case UIInterfaceOrientationLandscapeRight: return CGRectMake(0, 0, b.size.width - bar, b.size.height);
    case UIInterfaceOrientationLandscapeLeft: return CGRectMake(bar, 0, b.size.width - bar, b.size.height);
    case UIInterfaceOrientationPortraitUpsideDown: return CGRectMake(0, 0, b.size.width, b.size.height - bar);
    case UIInterfaceOrientationPortrait:
    default: return CGRectMake(0, bar, b.size.width, b.size.height - bar);
    }
}

CGSize UIScreen::pixelSize() const
{
    return CGSizeMake(size_.width * scale_, size_.height * scale_);
}

void UIScreen::configure(UIUserInterfaceIdiom idiom, double scale)
{
    size_ = idiom == UIUserInterfaceIdiomPad ? CGSizeMake(768, 1024) : CGSizeMake(320, 480);
    scale_ = scale >= 2 ? 2 : 1;
    UIGraphicsSetScreenScale(scale_);
}
