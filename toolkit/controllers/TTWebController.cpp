#include "toolkit/controllers/TTWebController.h"

#include "platform/foundation/Format.h"
#include "platform/net/URLParts.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/hosting/UIScrollView.h"
#include "toolkit/controllers/TTGlobalStyle.h"
#include "toolkit/foundation/TTGlobal.h"
#include "toolkit/foundation/TTGlobalUI.h"
#include "toolkit/network/TTURLCache.h"
#include "toolkit/views/UIWindow+TTCategory.h"

namespace {
enum : long { kForwardTag = 1, kBackTag = 2, kRefreshOrStopTag = 3 };
constexpr double kToolbarHeight = 44;

UIBarButtonItemPtr tagged(UIBarButtonItemPtr item, long tag) {
  item->setTag(tag);
  return item;
}

// Schemes the viewer shows itself; a link of any other scheme belongs to another program.
bool viewerShows(const std::string& scheme) {
  return scheme == "http" || scheme == "https" || scheme == "file" || scheme == "about";
}

// A stop by the user, or a load this screen turned away itself: nothing to explain.
bool failureNeedsNoWord(const NSError& error) {
  return (error.domain == NSURLErrorDomain && error.code == NSURLErrorCancelled) ||
         (error.domain == WebKitErrorDomain && error.code == WebKitErrorFrameLoadInterruptedByPolicyChange);
}
}  // namespace

TTWebController::TTWebController() { setHidesBottomBarWhenPushed(true); }

TTWebController::~TTWebController() {
  if (webView_) webView_->setDelegate(nullptr);
  if (actionSheet_) actionSheet_->setDelegate(nullptr);
}

std::shared_ptr<TTWebController> TTWebController::createWithNavigatorURL(const std::string& url,
                                                                         const std::map<std::string, void*>& query) {
  auto controller = std::make_shared<TTWebController>();
  auto it = query.find("request");
  if (it != query.end() && it->second) {
    controller->openRequest(*static_cast<const NSURLRequest*>(it->second));
  } else {
    controller->openURL(url);
  }
  return controller;
}

void TTWebController::openURL(const std::string& url) { openRequest(NSURLRequest(url)); }

void TTWebController::openRequest(const NSURLRequest& request) {
  view();
  webView_->loadRequest(request);
}

std::string TTWebController::URL() const {
  if (!loadingURL_.empty()) return loadingURL_;
  return webView_ ? webView_->request().URL() : std::string();
}

void TTWebController::loadView() {
  TTModelViewController::loadView();
  UIView* root = view();

  webView_ = std::make_shared<UIWebView>(TTFrameBetweenBars());
  webView_->setDelegate(this);
  webView_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
  webView_->setScalesPageToFit(true);
  root->addSubview(webView_);

  closeButton_ = std::make_shared<UIBarButtonItem>(TTToolkitLocalizedString("Close"), UIBarButtonItemStylePlain,
                                                   [this](UIBarButtonItem*) { dismissView(); });
  navigationItem()->setRightBarButtonItem(closeButton_);

  TTURLCache& cache = TTURLCache::sharedCache();
  backButton_ = tagged(std::make_shared<UIBarButtonItem>(cache.imageForURL("bundle://Vantrel.bundle/images/backIcon.png"),
                                                         UIBarButtonItemStylePlain, [this](UIBarButtonItem*) { backAction(); }),
                       kBackTag);
  backButton_->setEnabled(false);
  forwardButton_ = tagged(
      std::make_shared<UIBarButtonItem>(cache.imageForURL("bundle://Vantrel.bundle/images/forwardIcon.png"),
                                        UIBarButtonItemStylePlain, [this](UIBarButtonItem*) { forwardAction(); }),
      kForwardTag);
  forwardButton_->setEnabled(false);
  refreshButton_ = tagged(std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemRefresh,
                                                            [this](UIBarButtonItem*) { refreshAction(); }),
                          kRefreshOrStopTag);
  stopButton_ = tagged(
      std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemStop, [this](UIBarButtonItem*) { stopAction(); }),
      kRefreshOrStopTag);
  actionButton_ = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemAction, [this](UIBarButtonItem*) { shareAction(); });
  space_ = std::make_shared<UIBarButtonItem>(UIBarButtonSystemItemFlexibleSpace, nullptr);

  const CGRect bounds = root->bounds();
  toolbar_ = std::make_shared<UIToolbar>(
      CGRectMake(0, bounds.size.height - kToolbarHeight, bounds.size.width, kToolbarHeight));
  toolbar_->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin);
  toolbar_->setTintColor(tt::globalNavigationBarTintColor());
  toolbar_->setItems({backButton_, space_, forwardButton_, space_, refreshButton_, space_, actionButton_});
  root->addSubview(toolbar_);
  updateActionButton();
}

void TTWebController::viewDidUnload() {
  TTModelViewController::viewDidUnload();
  if (webView_) webView_->setDelegate(nullptr);
  webView_.reset();
  toolbar_.reset();
  backButton_.reset();
  closeButton_.reset();
  forwardButton_.reset();
  refreshButton_.reset();
  stopButton_.reset();
  actionButton_.reset();
  space_.reset();
}

void TTWebController::backAction() {
  if (webView_) webView_->goBack();
}
void TTWebController::forwardAction() {
  if (webView_) webView_->goForward();
}
void TTWebController::refreshAction() {
  if (webView_) webView_->reload();
}
void TTWebController::stopAction() {
  if (webView_) webView_->stopLoading();
}

void TTWebController::shareAction() {
  if (actionSheet_) actionSheet_->setDelegate(nullptr);
  actionSheet_ = std::make_shared<UIActionSheet>("", this, TTToolkitLocalizedString("Cancel"), "",
                                                 std::vector<std::string>{TTToolkitLocalizedString("Open in Safari")});
  actionSheet_->showInView(view());
}

void TTWebController::actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) {
  if (buttonIndex != 0) return;
  const std::string url = URL();
  if (!UIApplication::sharedApplication().openURL(url))
    showAlert(TTToolkitLocalizedString("Sorry, there was an error."),
              stringWithFormat(TTToolkitLocalizedString("The browser could not be started for %@.").c_str(), url));
}

void TTWebController::showAlert(const std::string& title, const std::string& message) {
  alert_ = std::make_shared<UIAlertView>(title, message, nullptr, TTToolkitLocalizedString("OK"),
                                         std::vector<std::string>{});
  alert_->show();
}

void TTWebController::dismissView() { dismissModalViewControllerAnimated(true); }

bool TTWebController::persistView(Value::Map& state) {
  const std::string url = URL();
  if (!url.empty()) state["URL"] = Value(url);
  return TTModelViewController::persistView(state);
}

void TTWebController::restoreView(const Value::Map& state) {
  auto it = state.find("URL");
  if (it == state.end()) return;
  const std::string url = it->second.stringValue().value_or("");
  if (!url.empty() && url != "about:blank") openURL(url);
}

void TTWebController::setHeaderView(std::shared_ptr<UIView> header) {
  if (header == headerView_) return;
  if (headerView_) headerView_->removeFromSuperview();
  headerView_ = std::move(header);
  view();
  if (headerView_) {
    headerView_->setFrame(CGRectMake(0, 0, webView_->bounds().size.width, headerView_->frame().size.height));
    webView_->scrollView()->addSubview(headerView_);
  }
  webView_->setTopInset(headerView_ ? headerView_->frame().size.height : 0);
}

bool TTWebController::webViewShouldStartLoadWithRequest(UIWebView*, const NSURLRequest& request, UIWebViewNavigationType) {
  const std::string url = request.URL();
  URLParts parts;
  if (URLParts::parse(url, parts) && !viewerShows(parts.scheme)) {
    // Another program's link: hand it over, or say that nothing here opens it.
    UIApplication& app = UIApplication::sharedApplication();
    if (!app.canOpenURL(url) || !app.openURL(url))
      showAlert(TTToolkitLocalizedString("Cannot Open Link"),
                stringWithFormat(TTToolkitLocalizedString("No program on this computer opens \"%@:\" links.").c_str(),
                                 parts.scheme));
    return false;
  }
  loadingURL_ = url;
  return true;
}

void TTWebController::webViewDidStartLoad(UIWebView*) {
  setTitle(TTToolkitLocalizedString("Loading..."));
  if (toolbar_) tt::replaceItemWithTag(*toolbar_, kRefreshOrStopTag, stopButton_);
  updateHistoryButtons();
  updateActionButton();
}

void TTWebController::webViewDidFinishLoad(UIWebView*) {
  loadingURL_.clear();
  loadEnded();
}

void TTWebController::webViewDidFailLoadWithError(UIWebView*, const NSError& error) {
  const std::string failed = loadingURL_;
  loadingURL_.clear();
  loadEnded();
  if (failureNeedsNoWord(error)) return;
  std::string why = error.localizedDescription.empty() ? TTTextForURLError(error) : error.localizedDescription;
  if (!failed.empty()) why += "\n" + failed;
  showAlert(TTToolkitLocalizedString("Sorry, there was an error."), why);
}

void TTWebController::loadEnded() {
  if (webView_) setTitle(webView_->stringByEvaluatingJavaScriptFromString("document.title"));
  if (toolbar_) tt::replaceItemWithTag(*toolbar_, kRefreshOrStopTag, refreshButton_);
  updateHistoryButtons();
  updateActionButton();
}

void TTWebController::updateActionButton() {
  if (!toolbar_ || !actionButton_) return;
  std::vector<UIBarButtonItemPtr> items = toolbar_->items();
  const bool shown = !items.empty() && items.back() == actionButton_;
  const std::string url = URL();
  const bool offered = !url.empty() && UIApplication::sharedApplication().canOpenURL(url);
  if (shown == offered) return;
  if (offered) {
    items.push_back(space_);
    items.push_back(actionButton_);
  } else {
    items.resize(items.size() - 2);
  }
  toolbar_->setItems(std::move(items));
}

void TTWebController::updateHistoryButtons() {
  if (!webView_) return;
  if (backButton_) backButton_->setEnabled(webView_->canGoBack());
  if (forwardButton_) forwardButton_->setEnabled(webView_->canGoForward());
}
