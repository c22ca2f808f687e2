#pragma once
// The social network session: the application's identifier, the access token and its expiry
// (in memory only), the login through the network's app, the browser or the in-app dialog,
// the callback URL that completes it, logout, and the factory of requests and dialogs.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/NSDate.h"
#include "social/FBEndpoints.h"
#include "social/FBParams.h"
#include "social/FBRequest.h"
#include "social/FBSessionDelegate.h"

class FBDialog;
class FBDialogDelegate;
class FBLoginDialog;

class Facebook : public FBLoginDialogDelegate {
 public:
  static constexpr const char* kRedirectURL = "fbconnect://success";
  static constexpr const char* kFBAppAuthURL = "fbauth://authorize";

  explicit Facebook(std::string appId, FBEndpoints endpoints = FBEndpoints::fromDefaults());
  ~Facebook() override;
  Facebook(const Facebook&) = delete;
  Facebook& operator=(const Facebook&) = delete;

  void authorize(std::vector<std::string> permissions, FBSessionDelegate* delegate);
  void authorizeWithFBAppAuth(bool tryFBAppAuth, bool trySafariAuth);
  // True when the URL was this application's login callback and has been handled.
  bool handleOpenURL(const std::string& url);
  void logout(FBSessionDelegate* delegate);
  bool isSessionValid() const;

  std::shared_ptr<FBRequest> requestWithParams(FBParams& params, FBRequestDelegate* delegate);
  std::shared_ptr<FBRequest> requestWithMethodName(const std::string& methodName, FBParams& params,
                                                   const std::string& httpMethod, FBRequestDelegate* delegate);
  std::shared_ptr<FBRequest> requestWithGraphPath(const std::string& graphPath, FBRequestDelegate* delegate);
  std::shared_ptr<FBRequest> requestWithGraphPath(const std::string& graphPath, FBParams& params,
                                                  FBRequestDelegate* delegate);
  std::shared_ptr<FBRequest> requestWithGraphPath(const std::string& graphPath, FBParams& params,
                                                  const std::string& httpMethod, FBRequestDelegate* delegate);
  void dialog(const std::string& action, FBDialogDelegate* delegate);
  void dialog(const std::string& action, FBParams& params, FBDialogDelegate* delegate);

  // A query or fragment into its pairs; a pair without "=" is skipped, a value keeps any
  // further "=" and is percent-decoded.
  static std::map<std::string, std::string> parseURLParams(const std::string& query);
  // The expiry of a token given its "expires_in" value: absent or 0 means it does not expire.
  static NSDate expirationDateFor(const std::optional<std::string>& expiresIn);

  // From the login dialog and the callback URL.
  void fbDialogLogin(const std::string& token, const std::optional<NSDate>& expirationDate) override;
  void fbDialogNotLogin(bool cancelled) override;

  const std::string& appId() const { return appId_; }
  const FBEndpoints& endpoints() const { return endpoints_; }
  // "fb<identifier>://authorize".
  std::string callbackURL() const;
  const std::string& accessToken() const { return accessToken_; }
  void setAccessToken(std::string token) { accessToken_ = std::move(token); }
  const std::optional<NSDate>& expirationDate() const { return expirationDate_; }
  void setExpirationDate(std::optional<NSDate> date) { expirationDate_ = date; }
  FBSessionDelegate* sessionDelegate() const { return sessionDelegate_; }
  void setSessionDelegate(FBSessionDelegate* delegate) { sessionDelegate_ = delegate; }
  // Called by a delegate that goes away: the session forgets it if it is the one held.
  void resignSessionDelegate(FBSessionDelegate* delegate);
  FBLoginDialog* loginDialog() const { return loginDialog_.get(); }
  FBDialog* currentDialog() const { return fbDialog_.get(); }

 private:
  std::shared_ptr<FBRequest> openUrl(const std::string& url, FBParams& params, const std::string& httpMethod,
                                     FBRequestDelegate* delegate);

  std::string accessToken_;
  std::optional<NSDate> expirationDate_;
  FBSessionDelegate* sessionDelegate_ = nullptr;  // unretained
  std::shared_ptr<FBRequest> request_;
  std::shared_ptr<FBLoginDialog> loginDialog_;
  std::shared_ptr<FBDialog> fbDialog_;
  std::string appId_;
  std::vector<std::string> permissions_;
  FBEndpoints endpoints_;
};
