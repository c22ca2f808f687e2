#include "social/FBLoginDialog.h"

#include "social/Facebook.h"

FBLoginDialog::FBLoginDialog(const std::string& loginURL, FBParams params, FBLoginDialogDelegate* delegate)
    : FBDialog(loginURL, std::move(params), nullptr), loginDelegate_(delegate) {}

void FBLoginDialog::dialogDidSucceed(const std::string& url) {
  const std::optional<std::string> token = getStringFromUrl(url, "access_token");
  // Without a lifetime the token does not expire, as with the callback link.
  const NSDate expiry = Facebook::expirationDateFor(getStringFromUrl(url, "expires_in"));
  if (token && !token->empty()) {
    if (loginDelegate_) loginDelegate_->fbDialogLogin(*token, expiry);
    dismissWithSuccess(true, true);
  } else {
    dialogDidCancel(url);
  }
}

void FBLoginDialog::dialogDidCancel(const std::string& url) {
  dismissWithSuccess(false, true);
  if (loginDelegate_) loginDelegate_->fbDialogNotLogin(true);
}

void FBLoginDialog::webViewDidFailLoadWithError(UIWebView* webView, const NSError& error) {
  if ((error.domain == NSURLErrorDomain && error.code == NSURLErrorCancelled) ||
      (error.domain == WebKitErrorDomain && error.code == WebKitErrorFrameLoadInterruptedByPolicyChange))
    return;
  FBDialog::webViewDidFailLoadWithError(webView, error);
}

void FBLoginDialog::dismissWithError(const NSError& error, bool animated) {
  FBDialog::dismissWithError(error, animated);
  if (loginDelegate_) loginDelegate_->fbDialogNotLogin(false);
}
