#include "social/Facebook.h"

#include "platform/foundation/Log.h"
#include "platform/foundation/StringUtils.h"
#include "platform/net/NSHTTPCookieStorage.h"
#include "platform/net/NSURL.h"
#include "platform/ui/UIApplication.h"
#include "platform/ui/UIDevice.h"
#include "social/FBLoginDialog.h"

namespace {

// A dialog the session lets go of leaves the screen and reports nothing more.
void retire(FBDialog* dialog) {
  if (!dialog) return;
  dialog->setDelegate(nullptr);
  if (auto* login = dynamic_cast<FBLoginDialog*>(dialog)) login->setLoginDelegate(nullptr);
  if (dialog->isShowing()) dialog->dismiss(false);
}

}  // namespace

Facebook::Facebook(std::string appId, FBEndpoints endpoints) : appId_(std::move(appId)), endpoints_(std::move(endpoints)) {}

Facebook::~Facebook() {
  retire(loginDialog_.get());
  retire(fbDialog_.get());
}

NSDate Facebook::expirationDateFor(const std::optional<std::string>& expiresIn) {
  const long long seconds = expiresIn ? str::toLongLong(*expiresIn) : 0;
  return seconds > 0 ? NSDate::dateWithTimeIntervalSinceNow(static_cast<double>(seconds)) : NSDate::distantFuture();
}

std::string Facebook::callbackURL() const { return "fb" + appId_ + "://authorize"; }

void Facebook::resignSessionDelegate(FBSessionDelegate* delegate) {
  if (sessionDelegate_ == delegate) sessionDelegate_ = nullptr;
}

void Facebook::authorize(std::vector<std::string> permissions, FBSessionDelegate* delegate) {
  permissions_ = std::move(permissions);
  sessionDelegate_ = delegate;
  authorizeWithFBAppAuth(true, true);
}

void Facebook::authorizeWithFBAppAuth(bool tryFBAppAuth, bool trySafariAuth) {
  FBParams params{{"client_id", appId_}, {"type", "user_agent"}, {"redirect_uri", kRedirectURL},
                  {"display", "touch"},  {"sdk", "2"}};
  if (!permissions_.empty()) params.set("scope", str::join(permissions_, ","));
  const std::string loginURL = endpoints_.dialogBase + "oauth";
  bool didOpenOtherApp = false;
  UIApplication& application = UIApplication::sharedApplication();
  if (UIDevice::currentDevice().isMultitaskingSupported()) {
    if (tryFBAppAuth) didOpenOtherApp = application.openURL(FBRequest::serializeURL(kFBAppAuthURL, params));
    if (trySafariAuth && !didOpenOtherApp && !endpoints_.dialogBase.empty()) {
      params.set("redirect_uri", callbackURL());
      didOpenOtherApp = application.openURL(FBRequest::serializeURL(loginURL, params));
    }
  }
  if (didOpenOtherApp) return;
  // The dialog completes the login itself, from its own redirect.
  params.set("redirect_uri", kRedirectURL);
  retire(loginDialog_.get());
  loginDialog_ = std::make_shared<FBLoginDialog>(loginURL, params, this);
  loginDialog_->show();
}

std::map<std::string, std::string> Facebook::parseURLParams(const std::string& query) {
  std::map<std::string, std::string> params;
  for (const std::string& pair : str::split(query, "&")) {
    const size_t eq = pair.find('=');
    if (eq == std::string::npos) continue;
    const std::string raw = pair.substr(eq + 1);
    params[pair.substr(0, eq)] = str::percentUnescape(raw).value_or(raw);
  }
  return params;
}

bool Facebook::handleOpenURL(const std::string& url) {
  if (!str::hasPrefixIgnoringASCIICase(url, callbackURL())) return false;
  std::optional<NSURL> parsed = NSURL::URLWithString(url);
  std::string query;
  if (parsed) query = parsed->fragment().value_or(parsed->query().value_or(""));
  const std::map<std::string, std::string> params = parseURLParams(query);
  auto token = params.find("access_token");
  if (token != params.end() && !token->second.empty()) {
    auto expiresIn = params.find("expires_in");
    fbDialogLogin(token->second, expirationDateFor(expiresIn == params.end() ? std::nullopt
                                                                             : std::optional<std::string>(expiresIn->second)));
    return true;
  }
  auto error = params.find("error");
  if (error != params.end() && error->second == "service_disabled_use_browser") {
    authorizeWithFBAppAuth(false, true);
    return true;
  }
  if (error != params.end() && error->second == "service_disabled") {
    authorizeWithFBAppAuth(false, false);
    return true;
  }
  const bool cancelled = !params.count("error_code") && (error == params.end() || error->second == "access_denied");
  fbDialogNotLogin(cancelled);
  return true;
}

void Facebook::fbDialogLogin(const std::string& token, const std::optional<NSDate>& expirationDate) {
  accessToken_ = token;
  expirationDate_ = expirationDate;
  if (sessionDelegate_) sessionDelegate_->fbDidLogin();
}

void Facebook::fbDialogNotLogin(bool cancelled) {
  if (sessionDelegate_) sessionDelegate_->fbDidNotLogin(cancelled);
}

bool Facebook::isSessionValid() const {
  return !accessToken_.empty() && expirationDate_ && expirationDate_->timeIntervalSinceNow() > 0;
}

void Facebook::logout(FBSessionDelegate* delegate) {
  sessionDelegate_ = delegate;
  FBParams params;
  requestWithMethodName("auth.expireSession", params, "GET", nullptr);
  accessToken_.clear();
  expirationDate_.reset();
  if (std::optional<NSURL> cookies = NSURL::URLWithString(endpoints_.loginCookieURL))
    NSHTTPCookieStorage::sharedHTTPCookieStorage().deleteCookiesForHost(cookies->host());
  if (sessionDelegate_) sessionDelegate_->fbDidLogout();
}

std::shared_ptr<FBRequest> Facebook::openUrl(const std::string& url, FBParams& params, const std::string& httpMethod,
                                             FBRequestDelegate* delegate) {
  params.set("format", "json");
  params.set("sdk", "ios");
  params.set("sdk_version", "2");
  if (isSessionValid()) params.set("access_token", accessToken_);
  request_ = FBRequest::getRequestWithParams(params, httpMethod, delegate, url);
  request_->connect();
  return request_;
}

std::shared_ptr<FBRequest> Facebook::requestWithParams(FBParams& params, FBRequestDelegate* delegate) {
  const std::string* method = params.text("method");
  if (!method) {
    NSLog("API Method must be specified");
    return nullptr;
  }
  const std::string name = *method;
  params.remove("method");
  return requestWithMethodName(name, params, "GET", delegate);
}

std::shared_ptr<FBRequest> Facebook::requestWithMethodName(const std::string& methodName, FBParams& params,
                                                           const std::string& httpMethod, FBRequestDelegate* delegate) {
  return openUrl(endpoints_.restBase + methodName, params, httpMethod, delegate);
}

std::shared_ptr<FBRequest> Facebook::requestWithGraphPath(const std::string& graphPath, FBRequestDelegate* delegate) {
  FBParams params;
  return requestWithGraphPath(graphPath, params, "GET", delegate);
}

std::shared_ptr<FBRequest> Facebook::requestWithGraphPath(const std::string& graphPath, FBParams& params,
                                                          FBRequestDelegate* delegate) {
  return requestWithGraphPath(graphPath, params, "GET", delegate);
}

std::shared_ptr<FBRequest> Facebook::requestWithGraphPath(const std::string& graphPath, FBParams& params,
                                                          const std::string& httpMethod, FBRequestDelegate* delegate) {
  return openUrl(endpoints_.graphBase + graphPath, params, httpMethod, delegate);
}

void Facebook::dialog(const std::string& action, FBDialogDelegate* delegate) {
  FBParams params;
  dialog(action, params, delegate);
}

void Facebook::dialog(const std::string& action, FBParams& params, FBDialogDelegate* delegate) {
  retire(fbDialog_.get());
  fbDialog_.reset();
  const std::string dialogURL = endpoints_.dialogBase + action;
  params.set("display", "touch");
  params.set("sdk", "2");
  params.set("redirect_uri", kRedirectURL);
  if (action == "oauth") {
    params.set("type", "user_agent");
    auto login = std::make_shared<FBLoginDialog>(dialogURL, params, this);
    fbDialog_ = login;
  } else {
    params.set("app_id", appId_);
    if (isSessionValid()) params.set("access_token", str::percentUnescape(accessToken_).value_or(accessToken_));
    fbDialog_ = std::make_shared<FBDialog>(dialogURL, params, delegate);
  }
  fbDialog_->show();
}
