#include "Classes/App/PlaceholderAppDelegate.h"

#include <cmath>

#include "platform/ui/UIApplication.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"

namespace {
std::shared_ptr<UILabel> makeLabel(const std::string& text, UIFontPtr font, UIColorPtr color, CGRect frame)
{
    auto label = std::make_shared<UILabel>(frame);
    label->setText(text);
    label->setFont(std::move(font));
    label->setTextColor(std::move(color));
    label->setBackgroundColor(nullptr);
    label->setOpaque(false);
    label->setTextAlignment(UITextAlignmentCenter);
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin |
                               UIViewAutoresizingFlexibleBottomMargin);
    return label;
}
}  // namespace

bool PlaceholderAppDelegate::applicationDidFinishLaunchingWithOptions(UIApplication& app,
                                                                       const UIApplicationLaunchOptions&)
{
    window_ = std::make_shared<UIWindow>();
    window_->setBackgroundColor(UIColor::blackColor());
    CGRect frame = UIScreen::mainScreen().applicationFrame();
    root_ = std::make_shared<UIView>(frame);
    root_->setBackgroundColor(UIColor::colorWithRed(0.06, 0.27, 0.24, 1));
    double w = frame.size.width, mid = frame.size.height / 2;
    root_->addSubview(makeLabel("Lumeno", UIFont::fontWithName("Helvetica-Bold", 40), UIColor::whiteColor(),
                                CGRectMake(0, mid - 60, w, 50)));
    root_->addSubview(makeLabel("Quran reader", UIFont::fontWithName("Helvetica", 18),
                                UIColor::colorWithRed(0.85, 0.78, 0.55, 1), CGRectMake(0, mid, w, 24)));
    root_->addSubview(makeLabel("Ctrl+R turns the device", UIFont::fontWithName("Helvetica", 12),
                                UIColor::colorWithWhite(1, 0.6), CGRectMake(0, mid + 60, w, 18)));
    window_->addSubview(root_);
    // Turn the content with the device, as a root controller would.
    app.setRotationHandler([this, &app](UIDeviceOrientation o) {
        if (o != UIDeviceOrientationPortrait && o != UIDeviceOrientationLandscapeLeft &&
            o != UIDeviceOrientationLandscapeRight)
            return;
        app.setStatusBarOrientation(static_cast<UIInterfaceOrientation>(o));
        UIView::beginAnimations("Rotate");
        UIView::setAnimationDuration(0.3);
        layoutForOrientation(o);
        UIView::commitAnimations();
    });
    layoutForOrientation(app.statusBarOrientation());
    window_->makeKeyAndVisible();
    return true;
}

void PlaceholderAppDelegate::layoutForOrientation(int orientation)
{
    CGRect app = UIScreen::mainScreen().applicationFrame();
    double angle = orientation == UIInterfaceOrientationLandscapeRight  ? M_PI / 2
                   : orientation == UIInterfaceOrientationLandscapeLeft ? -M_PI / 2
                                                                        : 0;
    bool landscape = UIInterfaceOrientationIsLandscape(orientation);
    root_->setTransform(CGAffineTransformMakeRotation(angle));
    root_->setCenter(CGPointMake(CGRectGetMidX(app), CGRectGetMidY(app)));
    root_->setBounds(landscape ? CGRectMake(0, 0, app.size.height, app.size.width)
                               : CGRectMake(0, 0, app.size.width, app.size.height));
}
