#pragma once
// The web view: loads pages over the network layer (or from HTML text) and shows them in a
// small viewer (title, headings, paragraphs, links, image captions, right-to-left blocks).
// Links and redirects ask the delegate first; a redirect to an app's own scheme is never
// loaded. Content that is not HTML or text goes to the desktop's browser. Only "document.title"
// is understood of scripts.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/net/NSURLConnection.h"
#include "platform/services/SimpleHTMLDocument.h"
#include "platform/ui/UIView.h"

class UIScrollView;
class UIWebView;

enum UIWebViewNavigationType : int {
  UIWebViewNavigationTypeLinkClicked = 0,
  UIWebViewNavigationTypeFormSubmitted = 1,
  UIWebViewNavigationTypeBackForward = 2,
  UIWebViewNavigationTypeReload = 3,
  UIWebViewNavigationTypeFormResubmitted = 4,
  UIWebViewNavigationTypeOther = 5,
};

inline constexpr const char* WebKitErrorDomain = "WebKitErrorDomain";
enum : int { WebKitErrorCannotShowURL = 101, WebKitErrorFrameLoadInterruptedByPolicyChange = 102 };

// Every operation optional; unretained by the web view.
class UIWebViewDelegate {
 public:
  virtual ~UIWebViewDelegate() = default;
  virtual bool webViewShouldStartLoadWithRequest(UIWebView* webView, const NSURLRequest& request,
                                                 UIWebViewNavigationType navigationType) {
    return true;
  }
  virtual void webViewDidStartLoad(UIWebView* webView) {}
  virtual void webViewDidFinishLoad(UIWebView* webView) {}
  virtual void webViewDidFailLoadWithError(UIWebView* webView, const NSError& error) {}
};

class UIWebView : public UIView, private NSURLConnectionDelegate {
 public:
  explicit UIWebView(CGRect frame = CGRectZero);
  ~UIWebView() override;

  UIWebViewDelegate* delegate() const { return delegate_; }
  void setDelegate(UIWebViewDelegate* delegate) { delegate_ = delegate; }

  void loadRequest(const NSURLRequest& request);
  void loadHTMLString(const std::string& html, const std::string& baseURL);
  void reload();
  void stopLoading();
  void goBack();
  void goForward();
  bool canGoBack() const { return historyIndex_ > 0; }
  bool canGoForward() const { return historyIndex_ + 1 < static_cast<int>(history_.size()); }
  bool isLoading() const { return static_cast<bool>(connection_); }
  // The page being loaded, else the page shown (a failed or stopped load leaves the page it
  // would have replaced).
  const NSURLRequest& request() const { return request_; }

  std::string stringByEvaluatingJavaScriptFromString(const std::string& script) const;
  bool scalesPageToFit() const { return scalesPageToFit_; }
  void setScalesPageToFit(bool on) { scalesPageToFit_ = on; }

  // The viewer. Room left above the page inside the scrolling area, for a header view there.
  UIScrollView* scrollView() const { return scroll_.get(); }
  double topInset() const { return topInset_; }
  void setTopInset(double inset);
  const SimpleHTMLDocument& document() const { return document_; }
  // The view showing a block of the document (tests tap links through it).
  UIView* viewForBlock(size_t index) const;
  // A link in the page was tapped.
  void followLink(const std::string& href);

  void layoutSubviews() override;

 private:
  // historyIndex: the entry a back or forward load shows, taken on once the page is shown.
  void load(const NSURLRequest& request, UIWebViewNavigationType type, bool recordHistory, int historyIndex = -1);
  void show(const std::string& html, const std::string& url);
  void rebuild();
  void finishWith(const std::optional<NSError>& error);
  void connectionDidReceiveResponse(NSURLConnection&, const NSHTTPURLResponse& response) override;
  void connectionDidReceiveData(NSURLConnection&, const std::vector<uint8_t>& data) override;
  std::optional<NSURLRequest> connectionWillSendRequest(NSURLConnection&, const NSURLRequest& request,
                                                        const NSHTTPURLResponse&) override;
  void connectionDidFinishLoading(NSURLConnection&) override;
  void connectionDidFailWithError(NSURLConnection&, const NSError& error) override;

  UIWebViewDelegate* delegate_ = nullptr;
  std::shared_ptr<UIScrollView> scroll_;
  std::vector<std::shared_ptr<UIView>> blockViews_;
  SimpleHTMLDocument document_;
  NSURLRequest request_;
  NSURLRequest shown_;
  int pendingHistoryIndex_ = -1;
  double topInset_ = 0;
  std::shared_ptr<NSURLConnection> connection_;
  NSHTTPURLResponse response_;
  std::string body_;
  bool recordHistory_ = false;
  bool interrupted_ = false;  // the delegate refused a redirect
  std::vector<NSURLRequest> history_;
  int historyIndex_ = -1;
  bool scalesPageToFit_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
