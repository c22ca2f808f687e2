#include "social/FBDialog.h"

#include <cmath>

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/StringUtils.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/UIColor.h"
#include "platform/graphics/UIImage.h"
#include "platform/net/NSURL.h"
#include "platform/text/UIFont.h"
#include "platform/ui/UIActivityIndicatorView.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIButton.h"
#include "platform/ui/UIDevice.h"
#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UIScreen.h"
#include "platform/ui/UIWindow.h"
#include "platform/ui/hosting/UIKeyboard.h"
#include "social/FBRequest.h"
#include "social/Facebook.h"

namespace {

constexpr double kPadding = 10, kBorderWidth = 10;
constexpr double kTransitionDuration = 0.3;

bool isLandscape(int orientation) {
  return orientation == UIInterfaceOrientationLandscapeLeft || orientation == UIInterfaceOrientationLandscapeRight;
}

void addRoundedRectToPath(CGContext& context, CGRect rect, double radius) {
  const double x = rect.origin.x, y = rect.origin.y, w = rect.size.width, h = rect.size.height;
  context.beginPath();
  context.moveToPoint(x, y + radius);
  context.addArcToPoint(x, y, x + radius, y, radius);
  context.addArcToPoint(x + w, y, x + w, y + radius, radius);
  context.addArcToPoint(x + w, y + h, x + w - radius, y + h, radius);
  context.addArcToPoint(x, y + h, x, y + h - radius, radius);
  context.closePath();
}

void fillRect(CGContext& context, CGRect rect, const UIColor& color, double radius) {
  context.saveGState();
  context.setFillColorWithColor(color);
  if (radius > 0) addRoundedRectToPath(context, rect, radius);
  else {
    context.beginPath();
    context.addRect(rect);
  }
  context.fillPath();
  context.restoreGState();
}

void strokeLines(CGContext& context, CGRect r, const UIColor& color) {
  const double x = r.origin.x, y = r.origin.y, w = r.size.width, h = r.size.height;
  context.saveGState();
  context.setStrokeColorWithColor(color);
  context.setLineWidth(1);
  const double segments[4][4] = {{x + 0.5, y - 0.5, x + w, y - 0.5},
                                 {x + 0.5, y + h - 0.5, x + w - 0.5, y + h - 0.5},
                                 {x + w - 0.5, y, x + w - 0.5, y + h},
                                 {x + 0.5, y, x + 0.5, y + h}};
  for (const auto& s : segments) {
    context.beginPath();
    context.moveToPoint(s[0], s[1]);
    context.addLineToPoint(s[2], s[3]);
    context.strokePath();
  }
  context.restoreGState();
}

}  // namespace

bool FBDeviceIsTablet() { return UIDevice::currentDevice().userInterfaceIdiom() == UIUserInterfaceIdiomPad; }

FBDialog::FBDialog() { build(); }

FBDialog::FBDialog(const std::string& serverURL, FBParams params, FBDialogDelegate* delegate) : FBDialog() {
  serverURL_ = serverURL;
  params_ = std::move(params);
  delegate_ = delegate;
}

FBDialog::~FBDialog() {
  removeObservers();
  if (webView_) webView_->setDelegate(nullptr);
}

void FBDialog::build() {
  setBackgroundColor(UIColor::clearColor());
  setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  setContentMode(UIViewContentModeRedraw);

  iconView_ = std::make_shared<UIImageView>(UIImage::imageNamed("FBDialog.bundle/images/fbicon.png"));
  addSubview(iconView_);

  closeButton_ = UIButton::buttonWithType(UIButtonTypeCustom);
  if (UIImagePtr close = UIImage::imageNamed("FBDialog.bundle/images/close.png")) closeButton_->setImage(close, UIControlStateNormal);
  else closeButton_->setTitle("\xC3\x97", UIControlStateNormal);  // a drawn cross where the image is missing
  closeButton_->setTitleColor(UIColor::colorWithRed(167.0 / 255, 184.0 / 255, 216.0 / 255, 1), UIControlStateNormal);
  closeButton_->setTitleColor(UIColor::whiteColor(), UIControlStateHighlighted);
  closeButton_->setFont(UIFont::boldSystemFontOfSize(12));
  closeButton_->setShowsTouchWhenHighlighted(true);
  closeButton_->setAutoresizingMask(UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleBottomMargin);
  std::weak_ptr<bool> alive = alive_;
  closeButton_->addTarget(this, [this, alive](UIControl*, UIEvent*) {
    if (!alive.expired()) cancel();
  }, UIControlEventTouchUpInside);
  addSubview(closeButton_);

  titleLabel_ = std::make_shared<UILabel>();
  titleLabel_->setText("Connect to Facebook");
  titleLabel_->setBackgroundColor(UIColor::clearColor());
  titleLabel_->setTextColor(UIColor::whiteColor());
  titleLabel_->setFont(UIFont::boldSystemFontOfSize(FBDeviceIsTablet() ? 18 : 14));
  titleLabel_->setAutoresizingMask(UIViewAutoresizingFlexibleRightMargin | UIViewAutoresizingFlexibleBottomMargin);
  addSubview(titleLabel_);

  webView_ = std::make_shared<UIWebView>(CGRectMake(kPadding, kPadding, 480, 480));
  webView_->setDelegate(this);
  webView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  addSubview(webView_);

  spinner_ = std::make_shared<UIActivityIndicatorView>(UIActivityIndicatorViewStyleWhiteLarge);
  spinner_->setAutoresizingMask(UIViewAutoresizingFlexibleTopMargin | UIViewAutoresizingFlexibleBottomMargin |
                                UIViewAutoresizingFlexibleLeftMargin | UIViewAutoresizingFlexibleRightMargin);
  addSubview(spinner_);
  modalBackgroundView_ = std::make_shared<UIView>();
}

std::string FBDialog::title() const { return titleLabel_->text(); }
void FBDialog::setTitle(const std::string& title) { titleLabel_->setText(title); }

void FBDialog::drawRect(CGRect rect) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  const CGRect b = bounds();
  CGRect grayRect = b;
  grayRect.origin.x -= 0.5;
  grayRect.origin.y -= 0.5;
  fillRect(*context, grayRect, *UIColor::colorWithRed(0.3, 0.3, 0.3, 0.8), 10);
  const CGRect header = CGRectMake(std::ceil(b.origin.x + kBorderWidth), std::ceil(b.origin.y + kBorderWidth),
                                   b.size.width - kBorderWidth * 2, titleLabel_->frame().size.height);
  fillRect(*context, header, *UIColor::colorWithRed(109.0 / 256, 132.0 / 256, 180.0 / 256, 1), 0);
  strokeLines(*context, header, *UIColor::colorWithRed(0.23, 0.35, 0.6, 1));
  const CGRect page = CGRectMake(header.origin.x, header.origin.y + header.size.height, header.size.width,
                                 webView_->frame().size.height + 1);
  strokeLines(*context, page, *UIColor::colorWithRed(0.3, 0.3, 0.3, 1));
}

std::string FBDialog::generateURL(const std::string& baseURL, const FBParams& params) {
  if (params.empty()) return baseURL;
  std::vector<std::string> pairs;
  for (const FBParams::Entry& entry : params.entries())
    if (const std::string* text = std::get_if<std::string>(&entry.second))
      pairs.push_back(entry.first + "=" + str::percentEscapeComponent(*text));
  return baseURL + "?" + str::join(pairs, "&");
}

std::optional<std::string> FBDialog::getStringFromUrl(const std::string& url, const std::string& key) {
  std::optional<NSURL> parsed = NSURL::URLWithString(url);
  if (!parsed) return std::nullopt;
  for (const std::optional<std::string>& part : {parsed->query(), parsed->fragment()}) {
    if (!part) continue;
    const std::map<std::string, std::string> params = Facebook::parseURLParams(*part);
    if (auto it = params.find(key); it != params.end()) return it->second;
  }
  return std::nullopt;
}

void FBDialog::load() { loadURL(serverURL_, params_); }

void FBDialog::loadURL(const std::string& url, const FBParams& params) {
  loadingURL_ = generateURL(url, params);
  webView_->loadRequest(NSURLRequest::requestWithURL(loadingURL_));
}

void FBDialog::sizeToFitOrientation(bool transform) {
  if (transform) setTransform(CGAffineTransformIdentity);
  const CGRect frame = UIScreen::mainScreen().applicationFrame();
  const CGPoint center{frame.origin.x + std::ceil(frame.size.width / 2), frame.origin.y + std::ceil(frame.size.height / 2)};
  const double scale = FBDeviceIsTablet() ? 0.6 : 1.0;
  const double width = std::floor(scale * frame.size.width) - kPadding * 2;
  const double height = std::floor(scale * frame.size.height) - kPadding * 2;
  orientation_ = UIApplication::sharedApplication().statusBarOrientation();
  if (isLandscape(orientation_)) setFrame(CGRectMake(kPadding, kPadding, height, width));
  else setFrame(CGRectMake(kPadding, kPadding, width, height));
  setCenter(center);
  if (transform) setTransform(transformForOrientation());
}

CGAffineTransform FBDialog::transformForOrientation() const {
  switch (UIApplication::sharedApplication().statusBarOrientation()) {
  case UIInterfaceOrientationLandscapeLeft: return CGAffineTransformMakeRotation(M_PI * 1.5);
  case UIInterfaceOrientationLandscapeRight: return CGAffineTransformMakeRotation(M_PI / 2);
  case UIInterfaceOrientationPortraitUpsideDown: return CGAffineTransformMakeRotation(-M_PI);
  default: return CGAffineTransformIdentity;
  }
}

void FBDialog::show() {
  load();
  sizeToFitOrientation(false);
  iconView_->sizeToFit();
  titleLabel_->sizeToFit();
  closeButton_->sizeToFit();
  const double innerWidth = frame().size.width - (kBorderWidth + 1) * 2;
  const CGSize icon = iconView_->frame().size;
  const double titleHeight = titleLabel_->frame().size.height;
  titleLabel_->setFrame(CGRectMake(kBorderWidth + 8 + icon.width + 8, kBorderWidth,
                                   innerWidth - (titleHeight + icon.width + 16), titleHeight + 8));
  const double T = titleLabel_->frame().size.height;
  const double W = frame().size.width, H = frame().size.height;
  iconView_->setFrame(CGRectMake(kBorderWidth + 8, kBorderWidth + std::floor(T / 2 - icon.height / 2), icon.width, icon.height));
  closeButton_->setFrame(CGRectMake(W - (T + kBorderWidth), kBorderWidth, T, T));
  webView_->setFrame(CGRectMake(kBorderWidth + 1, kBorderWidth + T, innerWidth, H - (T + 1 + kBorderWidth * 2)));
  spinner_->sizeToFit();
  spinner_->startAnimating();
  spinner_->setCenter(webView_->center());

  UIApplication& application = UIApplication::sharedApplication();
  UIWindow* window = application.keyWindow();
  if (!window && !application.windows().empty()) window = application.windows().front();
  if (window) {
    modalBackgroundView_->setFrame(window->bounds());
    modalBackgroundView_->addSubview(std::static_pointer_cast<UIView>(shared_from_this()));
    window->addSubview(modalBackgroundView_);
  }
  dialogWillAppear();
  setTransform(CGAffineTransformMakeScale(0.001, 0.001));
  std::weak_ptr<bool> alive = alive_;
  UIView::animateWithDuration(kTransitionDuration / 1.5, [this] { setTransform(CGAffineTransformMakeScale(1.1, 1.1)); },
                              [this, alive](bool) {
                                if (alive.expired()) return;
                                UIView::animateWithDuration(kTransitionDuration / 2,
                                                            [this] { setTransform(CGAffineTransformMakeScale(0.9, 0.9)); },
                                                            [this, alive](bool) {
                                                              if (alive.expired()) return;
                                                              UIView::animateWithDuration(kTransitionDuration / 2, [this] {
                                                                setTransform(transformForOrientation());
                                                              });
                                                            });
                              });
  addObservers();
}

void FBDialog::addObservers() {
  NSNotificationCenter& center = NSNotificationCenter::defaultCenter();
  std::weak_ptr<bool> alive = alive_;
  center.addObserver(this, UIDeviceOrientationDidChangeNotification, [this, alive] {
    if (!alive.expired()) deviceOrientationDidChange();
  });
  center.addObserver(this, UIKeyboardWillShowNotification, [this, alive] {
    if (!alive.expired()) keyboardWillShow();
  });
  center.addObserver(this, UIKeyboardWillHideNotification, [this, alive] {
    if (!alive.expired()) keyboardWillHide();
  });
}

void FBDialog::removeObservers() { NSNotificationCenter::defaultCenter().removeObserver(this); }

void FBDialog::deviceOrientationDidChange() {
  const int orientation = UIApplication::sharedApplication().statusBarOrientation();
  if (showingKeyboard_ || orientation == orientation_ || orientation < 1 || orientation > 4) return;
  updateWebOrientation();
  UIView::animateWithDuration(0.3, [this] { sizeToFitOrientation(true); });
}

void FBDialog::keyboardWillShow() {
  showingKeyboard_ = true;
  if (FBDeviceIsTablet() || !isLandscape(orientation_)) return;
  const double T = titleLabel_->frame().size.height;
  CGRect f = webView_->frame();
  f.origin.x -= 20;
  f.origin.y -= 20 + T;
  f.size.width += 40;
  f.size.height += 2 * (20 + T);
  webView_->setFrame(f);
}

void FBDialog::keyboardWillHide() {
  showingKeyboard_ = false;
  if (FBDeviceIsTablet() || !isLandscape(orientation_)) return;
  const double T = titleLabel_->frame().size.height;
  CGRect f = webView_->frame();
  f.origin.x += 20;
  f.origin.y += 20 + T;
  f.size.width -= 40;
  f.size.height -= 2 * (20 + T);
  webView_->setFrame(f);
}

void FBDialog::updateWebOrientation() {
  webView_->stringByEvaluatingJavaScriptFromString(isLandscape(UIApplication::sharedApplication().statusBarOrientation())
                                                       ? "document.body.setAttribute('orientation', 90);"
                                                       : "document.body.removeAttribute('orientation');");
}

bool FBDialog::webViewShouldStartLoadWithRequest(UIWebView*, const NSURLRequest& request,
                                                 UIWebViewNavigationType navigationType) {
  const std::string& url = request.URL();
  std::optional<NSURL> parsed = NSURL::URLWithString(url);
  if (parsed && parsed->scheme() == "fbconnect") {
    if (str::hasPrefix(parsed->resourceSpecifier(), "//cancel")) {
      std::optional<std::string> code = getStringFromUrl(url, "error_code");
      if (code) {
        std::optional<std::string> message = getStringFromUrl(url, "error_msg");
        FBError error(str::toInt(*code), JSONObject{{"error_msg", JSONValue(message.value_or(""))}});
        dismissWithError(error, true);
      } else {
        dialogDidCancel(url);
      }
    } else {
      dialogDidSucceed(url);
    }
    return false;
  }
  if (url == loadingURL_ || navigationType != UIWebViewNavigationTypeLinkClicked) return true;
  if (delegate_)
    if (std::optional<bool> external = delegate_->dialogShouldOpenURLInExternalBrowser(this, url); external && !*external)
      return false;
  UIApplication::sharedApplication().openURL(url);
  return false;
}

void FBDialog::webViewDidFinishLoad(UIWebView* webView) {
  spinner_->stopAnimating();
  spinner_->setHidden(true);
  setTitle(webView_->stringByEvaluatingJavaScriptFromString("document.title"));
  updateWebOrientation();
}

void FBDialog::webViewDidFailLoadWithError(UIWebView*, const NSError& error) {
  if (error.domain == WebKitErrorDomain && error.code == WebKitErrorFrameLoadInterruptedByPolicyChange) return;
  dismissWithError(error, true);
}

void FBDialog::dialogDidSucceed(const std::string& url) {
  if (delegate_) delegate_->dialogCompleteWithUrl(url);
  dismissWithSuccess(true, true);
}

void FBDialog::dialogDidCancel(const std::string& url) {
  if (delegate_) delegate_->dialogDidNotCompleteWithUrl(url);
  dismissWithSuccess(false, true);
}

void FBDialog::cancel() { dialogDidCancel(""); }

void FBDialog::dismissWithSuccess(bool success, bool animated) {
  if (delegate_) {
    if (success) delegate_->dialogDidComplete(this);
    else delegate_->dialogDidNotComplete(this);
  }
  dismiss(animated);
}

void FBDialog::dismissWithError(const NSError& error, bool animated) {
  if (delegate_) delegate_->dialogDidFailWithError(this, error);
  dismiss(animated);
}

void FBDialog::dismiss(bool animated) {
  dialogWillDisappear();
  loadingURL_.clear();
  if (!animated) {
    postDismissCleanup();
    return;
  }
  std::weak_ptr<bool> alive = alive_;
  UIView::animateWithDuration(kTransitionDuration, [this] { setAlpha(0); }, [this, alive](bool) {
    if (!alive.expired()) postDismissCleanup();
  });
}

void FBDialog::postDismissCleanup() {
  removeObservers();
  webView_->stopLoading();
  removeFromSuperview();
  modalBackgroundView_->removeFromSuperview();
}
