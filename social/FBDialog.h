#pragma once
// A floating panel above the whole window that shows one of the social network's web pages,
// with a title bar, the network's icon and a close button, and turns the page's final
// redirect to "fbconnect:" into success, cancellation or an error.

#include <memory>
#include <optional>
#include <string>

#include "platform/services/UIWebView.h"
#include "platform/ui/UIView.h"
#include "social/FBError.h"
#include "social/FBParams.h"

class FBDialog;
class UIActivityIndicatorView;
class UIButton;
class UIImageView;
class UILabel;

// Every operation optional; not retained by the dialog.
class FBDialogDelegate {
 public:
  virtual ~FBDialogDelegate() = default;
  virtual void dialogDidComplete(FBDialog* dialog) {}
  virtual void dialogCompleteWithUrl(const std::string& url) {}
  virtual void dialogDidNotCompleteWithUrl(const std::string& url) {}
  virtual void dialogDidNotComplete(FBDialog* dialog) {}
  virtual void dialogDidFailWithError(FBDialog* dialog, const NSError& error) {}
  // None: the delegate does not answer (the link opens outside).
  virtual std::optional<bool> dialogShouldOpenURLInExternalBrowser(FBDialog* dialog, const std::string& url) {
    return std::nullopt;
  }
};

// True on a tablet.
bool FBDeviceIsTablet();

class FBDialog : public UIView, protected UIWebViewDelegate {
 public:
  FBDialog();
  FBDialog(const std::string& serverURL, FBParams params, FBDialogDelegate* delegate);
  ~FBDialog() override;

  FBDialogDelegate* delegate() const { return delegate_; }
  void setDelegate(FBDialogDelegate* delegate) { delegate_ = delegate; }
  const FBParams& params() const { return params_; }
  std::string title() const;
  void setTitle(const std::string& title);

  // Loads the page and puts the panel on screen above the key window.
  void show();
  void load();
  void loadURL(const std::string& url, const FBParams& params);
  void dismissWithSuccess(bool success, bool animated);
  virtual void dismissWithError(const NSError& error, bool animated);
  void cancel();
  void dismiss(bool animated);
  virtual void dialogDidSucceed(const std::string& url);
  virtual void dialogDidCancel(const std::string& url);
  virtual void dialogWillAppear() {}
  virtual void dialogWillDisappear() {}

  // The page address: base, "?" and the escaped pairs; the base alone without parameters.
  static std::string generateURL(const std::string& baseURL, const FBParams& params);
  // The value of a key of the URL's query or fragment, decoded; none when absent.
  static std::optional<std::string> getStringFromUrl(const std::string& url, const std::string& key);

  // Parts, for tests and the drawing.
  UIWebView* webView() const { return webView_.get(); }
  UIButton* closeButton() const { return closeButton_.get(); }
  const std::string& loadingURL() const { return loadingURL_; }
  bool isShowing() const { return superview() != nullptr; }
  void sizeToFitOrientation(bool transform);

  void drawRect(CGRect rect) override;

 protected:
  bool webViewShouldStartLoadWithRequest(UIWebView* webView, const NSURLRequest& request,
                                         UIWebViewNavigationType navigationType) override;
  void webViewDidFinishLoad(UIWebView* webView) override;
  void webViewDidFailLoadWithError(UIWebView* webView, const NSError& error) override;
  void updateWebOrientation();

 private:
  void build();
  void addObservers();
  void removeObservers();
  void postDismissCleanup();
  void deviceOrientationDidChange();
  void keyboardWillShow();
  void keyboardWillHide();
  CGAffineTransform transformForOrientation() const;

  FBDialogDelegate* delegate_ = nullptr;  // unretained
  FBParams params_;
  std::string serverURL_;
  std::string loadingURL_;
  std::shared_ptr<UIWebView> webView_;
  std::shared_ptr<UIActivityIndicatorView> spinner_;
  std::shared_ptr<UIImageView> iconView_;
  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UIButton> closeButton_;
  int orientation_ = 0;
  bool showingKeyboard_ = false;
  std::shared_ptr<UIView> modalBackgroundView_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
