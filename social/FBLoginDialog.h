#pragma once
// The login page in a dialog: reads the token and its lifetime from the success redirect and
// reports to the session.

#include "social/FBDialog.h"
#include "social/FBSessionDelegate.h"

class FBLoginDialog : public FBDialog {
 public:
  FBLoginDialog(const std::string& loginURL, FBParams params, FBLoginDialogDelegate* delegate);

  FBLoginDialogDelegate* loginDelegate() const { return loginDelegate_; }
  void setLoginDelegate(FBLoginDialogDelegate* delegate) { loginDelegate_ = delegate; }

  void dialogDidSucceed(const std::string& url) override;
  void dialogDidCancel(const std::string& url) override;
  // Also tells the session that the login failed.
  void dismissWithError(const NSError& error, bool animated) override;

 protected:
  void webViewDidFailLoadWithError(UIWebView* webView, const NSError& error) override;

 private:
  FBLoginDialogDelegate* loginDelegate_ = nullptr;  // unretained
};
