#pragma once
// The in-app web page screen: the platform web view between the navigation bar and a toolbar
// with back, forward, refresh-or-stop and action buttons, Close in the navigation bar, and the
// page's title as the screen's title. Links load inside the screen; a link of another program's
// scheme goes to that program, or an alert says that none opens it. The action button offers the
// page to the desktop's browser and is shown only for pages the browser can open (not our own
// pages in the bundle). A load that fails for any reason but a stop says why in an alert. The
// viewer always lays a page out to the screen's width.

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/services/UIWebView.h"
#include "platform/ui/hosting/UIActionSheet.h"
#include "platform/ui/hosting/UIAlertView.h"
#include "platform/ui/hosting/UINavigationBar.h"
#include "toolkit/controllers/TTModelViewController.h"

class TTWebController : public TTModelViewController, public UIWebViewDelegate, public UIActionSheetDelegate {
 public:
  TTWebController();
  ~TTWebController() override;

  // Built from a navigator URL: the request under "request" in the query (an NSURLRequest*)
  // when there is one, else the URL.
  static std::shared_ptr<TTWebController> createWithNavigatorURL(const std::string& url,
                                                                 const std::map<std::string, void*>& query);

  void openURL(const std::string& url);
  // Loads the view first when needed.
  void openRequest(const NSURLRequest& request);
  // The address being loaded, else the page shown.
  std::string URL() const;

  UIView* headerView() const { return headerView_.get(); }
  // A view above the page inside its scrolling area.
  void setHeaderView(std::shared_ptr<UIView> view);

  UIWebView* webView() const { return webView_.get(); }
  UIToolbar* toolbar() const { return toolbar_.get(); }
  UIBarButtonItem* backButton() const { return backButton_.get(); }
  UIBarButtonItem* forwardButton() const { return forwardButton_.get(); }
  UIBarButtonItem* refreshButton() const { return refreshButton_.get(); }
  UIBarButtonItem* stopButton() const { return stopButton_.get(); }
  UIBarButtonItem* closeButton() const { return closeButton_.get(); }
  UIBarButtonItem* actionButton() const { return actionButton_.get(); }
  UIActionSheet* actionSheet() const { return actionSheet_.get(); }
  // The alert shown last (a failed load, a link no program opens), kept while it shows.
  UIAlertView* alert() const { return alert_.get(); }

  void backAction();
  void forwardAction();
  void refreshAction();
  void stopAction();
  void shareAction();
  void dismissView();

  void loadView() override;
  void viewDidUnload() override;
  // Pages are read either way up, as the reading screen is.
  bool shouldAutorotateToInterfaceOrientation(UIInterfaceOrientation o) override {
    return o != UIInterfaceOrientationPortraitUpsideDown;
  }
  bool persistView(Value::Map& state) override;
  void restoreView(const Value::Map& state) override;

  bool webViewShouldStartLoadWithRequest(UIWebView* webView, const NSURLRequest& request,
                                         UIWebViewNavigationType navigationType) override;
  void webViewDidStartLoad(UIWebView* webView) override;
  void webViewDidFinishLoad(UIWebView* webView) override;
  void webViewDidFailLoadWithError(UIWebView* webView, const NSError& error) override;
  void actionSheetClickedButtonAtIndex(UIActionSheet* sheet, int buttonIndex) override;

 private:
  void loadEnded();
  void updateHistoryButtons();
  // The action button (with its space) is in the toolbar exactly when the browser can open URL().
  void updateActionButton();
  void showAlert(const std::string& title, const std::string& message);

  std::shared_ptr<UIWebView> webView_;
  std::string loadingURL_;  // empty when no load runs
  std::shared_ptr<UIToolbar> toolbar_;
  std::shared_ptr<UIView> headerView_;
  UIBarButtonItemPtr backButton_, forwardButton_, stopButton_, refreshButton_, closeButton_, actionButton_, space_;
  std::shared_ptr<UIActionSheet> actionSheet_;
  std::shared_ptr<UIAlertView> alert_;
};
